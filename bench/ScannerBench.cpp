// Speed of the scanner over a large HTML document with an HTML-like scheme built by hand.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "BenchDocument.h"
#include "engine/scheme/Highlighter.h"
#include "engine/scheme/Recognizers.h"
#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SyntaxScheme.h"
#include "engine/text/TextStore.h"

namespace {

using namespace quinkle;

enum : uint8_t {
    kBlank = 1,
    kText = 2,
    kEntity = 3,
    kTagOpen = 5,
    kTagClose = 6,
    kName = 7,
    kEquals = 8,
    kValue = 9,
    kScriptOpen = 10,
    kScriptClose = 11,
    kComment = 12,
    kScriptTagClose = 16,
    kTagBlank = 17,
    kScriptIdent = 30,
    kScriptNumber = 31,
    kScriptString = 32,
    kScriptWord = 33,
    kScriptLineComment = 34,
    kScriptComment = 35,
    kScriptBlank = 36,
};

TokenDef Token(int32_t start, int32_t body, bool star, TokenEnd end, uint8_t value) {
    TokenDef def;
    def.Start.Group = start;
    def.Body.Group = body;
    def.Body.Star = star;
    def.End = end;
    def.Value = value;
    def.Valid = StateSet::All();
    return def;
}

TokenDef Whole(SyntaxScheme& scheme, int32_t entry, uint8_t value) {
    TokenDef def;
    def.Start.IsRecognizer = true;
    def.Start.Number = static_cast<uint8_t>(entry);
    def.Start.Group = scheme.AddCharGroup(RecognizerFirstChars(entry));
    def.Value = value;
    def.Valid = StateSet::All();
    return def;
}

TokenEnd End(std::initializer_list<int32_t> groups, bool include) {
    return TokenEnd::OfGroups(groups, include);
}

TokenStateInfo Change(StateSet add, StateSet remove) {
    TokenStateInfo info;
    info.Add = add;
    info.Remove = remove;
    return info;
}

// States: 0 text, 2 script, 3 inside a tag, 4 inside a script tag.
void BuildHtmlScheme(SyntaxScheme& scheme) {
    scheme.Reset();
    scheme.SetCaseSensitive(false);
    auto group = [&](std::string_view chars, bool negated = false) {
        return scheme.AddCharGroup(CharGroup::Of(chars, negated));
    };
    CharGroup blankSet = CharGroup::Range(1, ' ');
    int32_t blank = scheme.AddCharGroup(blankSet);
    int32_t notBlank = scheme.AddCharGroup(CharGroup::Range(1, ' ', true));
    CharGroup textSet = CharGroup::Range(1, ' ');
    textSet.Add('<');
    textSet.Add('&');
    textSet.Negated = true;
    int32_t text = scheme.AddCharGroup(textSet);
    CharGroup stopSet = textSet;
    stopSet.Negated = false;
    int32_t textEnd = scheme.AddCharGroup(stopSet);
    CharGroup nameSet = CharGroup::Range('a', 'z');
    nameSet.AddRange('A', 'Z');
    nameSet.AddRange('0', '9');
    nameSet.Add('-');
    nameSet.Add('_');
    nameSet.Add(':');
    int32_t name = scheme.AddCharGroup(nameSet);
    nameSet.Negated = true;
    int32_t notName = scheme.AddCharGroup(nameSet);
    CharGroup entitySet = CharGroup::Range('a', 'z');
    entitySet.AddRange('A', 'Z');
    entitySet.AddRange('0', '9');
    entitySet.Add('#');
    int32_t entity = scheme.AddCharGroup(entitySet);

    // Text.
    scheme.AddToken(Token(blank, blank, true, End({notBlank}, false), kBlank));
    scheme.AddToken(Token(text, text, true, End({textEnd}, false), kText));
    scheme.AddToken(Token(group("&"), entity, false, End({group(";")}, true), kEntity));
    scheme.AddKeyword("<", -1, kTagOpen, {0});
    scheme.AddKeyword("</", -1, kTagOpen, {0});
    scheme.AddKeyword("<!", -1, kTagOpen, {0});
    scheme.SetTokenStateInfo(kTagOpen, Change({3}, {0}));
    scheme.AddKeyword("<!--", -1, kComment, {0, 2});
    HandlerDef comment;
    comment.Start.Group = scheme.AddCharGroup(CharGroup::Any());
    comment.Start.Star = true;
    comment.End = End({group("-"), group("-"), group(">")}, true);
    scheme.SetHandler(kComment, comment);
    scheme.AddKeyword("<script", notName, kScriptOpen, {0});
    scheme.SetTokenStateInfo(kScriptOpen, Change({4}, {0}));

    // Inside tags (3) and script tags (4).
    for (int state : {3, 4}) {
        scheme.AddToken(Token(blank, blank, true, End({notBlank}, false), kTagBlank), state);
        scheme.AddToken(Token(name, name, true, End({notName}, false), kName), state);
        scheme.AddToken(Token(group("="), blank, false, End({}, false), kEquals), state);
        scheme.AddToken(Whole(scheme, rcHtmlString, kValue), state);
        TokenDef close = Token(group(">"), blank, false, End({}, false), kTagClose);
        close.Value = state == 3 ? kTagClose : kScriptTagClose;
        scheme.AddToken(close, state);
    }
    scheme.SetTokenStateInfo(kTagClose, Change({0}, {3}));
    scheme.SetTokenStateInfo(kScriptTagClose, Change({2}, {4}));

    // Script blocks (2).
    scheme.AddToken(Token(blank, blank, true, End({notBlank}, false), kScriptBlank), 2);
    scheme.AddToken(Whole(scheme, rcIdentifier, kScriptIdent), 2);
    scheme.AddToken(Whole(scheme, rcNumberOrFP, kScriptNumber), 2);
    scheme.AddToken(Whole(scheme, rcCString, kScriptString), 2);
    scheme.AddToken(Whole(scheme, rcCStringSingleQuote, kScriptString), 2);
    for (const char* word : {"function", "var", "return", "if", "else", "for", "while", "new",
                             "this", "true", "false", "null", "document", "window"})
        scheme.AddKeyword(word, notName, kScriptWord, {2});
    scheme.AddKeyword("</script", notName, kScriptClose, {2});
    scheme.SetTokenStateInfo(kScriptClose, Change({3}, {2}));
    scheme.AddKeyword("//", -1, kScriptLineComment, {2});
    HandlerDef line;
    line.Start.IsRecognizer = true;
    line.Start.Number = rcJsLineComment;
    scheme.SetHandler(kScriptLineComment, line);
    scheme.AddKeyword("/*", -1, kScriptComment, {2});
    HandlerDef block = comment;
    block.End = End({group("*"), group("/")}, true);
    scheme.SetHandler(kScriptComment, block);

    for (uint8_t value : {kScriptIdent, kScriptNumber, kScriptString, kScriptWord,
                          kScriptLineComment, kScriptComment, kScriptBlank, kScriptTagClose})
        scheme.SetContextState(value, {2});
    for (uint8_t value : {kTagOpen, kName, kEquals, kValue, kTagBlank})
        scheme.SetContextState(value, {3});
}

void BM_ScanDocument(benchmark::State& state) {
    const std::string& document = quinkle::bench::Document();
    SyntaxScheme scheme;
    BuildHtmlScheme(scheme);
    std::vector<uint8_t> values(document.size());
    for (auto _ : state) {
        size_t start = 0;
        uint8_t context = 0;
        while (start < document.size()) {
            size_t end = document.find('\r', start);
            end = end == std::string::npos ? document.size() : end + 1;
            scheme.SetLineContext(context);
            TextCursor cursor(std::string_view(document).substr(start, end - start));
            int32_t length = 0;
            uint8_t* out = values.data() + start;
            while (!cursor.AtEnd()) {
                context = scheme.ScanToken(cursor, length);
                std::fill(out, out + length, context);
                out += length;
            }
            start = end;
        }
        benchmark::DoNotOptimize(values.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(document.size()));
}
BENCHMARK(BM_ScanDocument)->Unit(benchmark::kMillisecond);

// The same document in a text store, every row highlighted from scratch.
void BM_HighlightStore(benchmark::State& state) {
    std::string text;
    for (char c : quinkle::bench::Document())
        if (c != '\n') text += c;
    TextStore store;
    store.Insert(0, text);
    SyntaxScheme scheme;
    BuildHtmlScheme(scheme);
    Highlighter highlighter(store, &scheme);
    for (auto _ : state) {
        highlighter.InvalidateAll();
        highlighter.HighlightAll();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_HighlightStore)->Unit(benchmark::kMillisecond);

// The document in a store, highlighted with the shipped HTML scheme; each pass switches to the
// scheme again (every row's style bytes dropped) and highlights every row, as the editor does
// when the user picks a scheme or changes its tables.
void BM_RescanAfterSchemeChange(benchmark::State& state) {
    std::string text;
    for (char c : quinkle::bench::Document())
        if (c != '\n') text += c;
    TextStore store;
    store.Insert(0, text);
    CompiledScheme html;
    SchemeCompiler(html).CompileFile(std::string(QUINKLE_SOURCE_DIR) + "/schemes/html.sch");
    Highlighter highlighter(store, &html.Scheme);
    highlighter.HighlightAll();
    for (auto _ : state) {
        highlighter.SetScheme(&html.Scheme);
        highlighter.HighlightAll();
    }
    state.counters["rows"] = static_cast<double>(store.RowCount());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_RescanAfterSchemeChange)->Unit(benchmark::kMillisecond);

}  // namespace

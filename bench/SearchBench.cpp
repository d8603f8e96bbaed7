// Speed of the search engine over the 20 MB document in the editor's store: plain search,
// four expressions, and replace-all of 100,000 matches with its undo; counting the matches of
// five expressions in the document as stored in one piece, as the command-line tool does;
// expressions over made-up texts of 100 KB and 20 MB, and how soon a runaway expression is
// stopped.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "BenchDocument.h"
#include "engine/editor/SourceEditor.h"
#include "engine/search/PlainSearch.h"
#include "engine/search/REParser.h"
#include "engine/search/StoreReader.h"

namespace {

using namespace quinkle;

SourceEditor& LoadedEditor() {
    static std::unique_ptr<SourceEditor> editor = [] {
        auto loaded = std::make_unique<SourceEditor>();
        loaded->LoadFromFile(bench::DocumentFile());
        return loaded;
    }();
    return *editor;
}

// Every match of a plain text, as a find-all over the store walks them.
void BM_PlainSearch(benchmark::State& state, const char* word, bool matchCase) {
    SourceEditor& editor = LoadedEditor();
    StoreReader reader(editor.Store());
    PlainSearcher searcher(word, matchCase);
    int64_t count = 0;
    for (auto _ : state) {
        count = 0;
        for (int32_t at = 0;; ++count) {
            int32_t found = searcher.FindForward(reader, at, reader.Length());
            if (found < 0) break;
            at = found + searcher.PatternLength();
        }
    }
    state.SetBytesProcessed(state.iterations() * reader.Length());
    state.counters["matches"] = static_cast<double>(count);
}
BENCHMARK_CAPTURE(BM_PlainSearch, word_match_case, "function", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainSearch, word_any_case, "function", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainSearch, absent_text, "no such text here", true)
    ->Unit(benchmark::kMillisecond);

void BM_Expression(benchmark::State& state, const char* pattern) {
    SourceEditor& editor = LoadedEditor();
    StoreReader reader(editor.Store());
    REParser parser;
    parser.Compile(pattern);
    int64_t count = 0;
    for (auto _ : state) {
        count = 0;
        for (int32_t at = 0; parser.Search(reader, at, reader.Length()); ++count)
            at = std::max(parser.MatchEnd(), parser.MatchStart() + 1);
    }
    state.SetBytesProcessed(state.iterations() * reader.Length());
    state.counters["matches"] = static_cast<double>(count);
}
BENCHMARK_CAPTURE(BM_Expression, literal_word, "function")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Expression, td_tag, "<td[^>]*>")->Unit(benchmark::kMillisecond);
// A double quote opens a quoted run in an expression, so a literal one is written \".
BENCHMARK_CAPTURE(BM_Expression, html_link, "href=\\\"[^\"]*\\.html\\\"")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Expression, class_or_id, "(class|id)=\\\"[a-z]+\\\"")
    ->Unit(benchmark::kMillisecond);

// The benchmark document as the editor stores it (each CR LF one CR), in one piece.
const std::string& StoredDocument() {
    static const std::string stored = [] {
        const std::string& document = bench::Document();
        std::string text;
        text.reserve(document.size());
        for (size_t i = 0; i < document.size(); ++i)
            if (!(document[i] == '\r' && i + 1 < document.size() && document[i + 1] == '\n'))
                text += document[i] == '\n' ? '\r' : document[i];
        return text;
    }();
    return stored;
}

/// The editor's word bytes when no scheme changes them.
ByteSet WordBytes() {
    ByteSet set;
    set.AddRange('a', 'z');
    set.AddRange('A', 'Z');
    set.AddRange('0', '9');
    for (char c : {'_', '\'', '-'}) set.Add(static_cast<uint8_t>(c));
    set.AddRange(0x80, 0xFF);
    return set;
}

// Counting every match of an expression in the stored document, with match case, as the
// command-line search tool does: matches do not overlap, and with whole words a match next
// to a word byte is passed over (the search goes on one byte after its start).
void BM_CountStored(benchmark::State& state, const char* pattern, bool wholeWords) {
    StringReader reader(StoredDocument());
    ByteSet words = WordBytes();
    ReaderCursor around(reader);
    auto isWord = [&](int32_t at) {
        int c = around.At(at);
        return c >= 0 && words.Has(static_cast<uint8_t>(c));
    };
    REParser parser;
    parser.Compile(pattern, true);
    int64_t count = 0;
    for (auto _ : state) {
        count = 0;
        for (int32_t at = 0; at <= reader.Length();) {
            if (!parser.Search(reader, at, reader.Length())) break;
            int32_t start = parser.MatchStart();
            int32_t end = parser.MatchEnd();
            bool accepted = !wholeWords || (!isWord(start - 1) && !isWord(end));
            if (accepted) ++count;
            at = accepted && end > start ? end : start + 1;
        }
    }
    state.SetBytesProcessed(state.iterations() * reader.Length());
    state.counters["matches"] = static_cast<double>(count);
}
BENCHMARK_CAPTURE(BM_CountStored, class_or_id, "(class|id)=\\\"[a-z]+\\\"", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountStored, html_link, "href=\\\"[^\"]*\\.html\\\"", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountStored, td_tag, "<td[^>]*>", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountStored, date, "[0-9]{4}-[0-9]{2}", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountStored, whole_word_class, "class", true)->Unit(benchmark::kMillisecond);

// Made-up texts of a given size (in KB, at most the benchmark document's size), each in an
// editor of its own.
SourceEditor& MadeUpEditor(const std::string& kind, int64_t kilobytes) {
    static std::map<std::pair<std::string, int64_t>, std::unique_ptr<SourceEditor>> editors;
    std::unique_ptr<SourceEditor>& editor = editors[{kind, kilobytes}];
    if (!editor) {
        std::string text;
        size_t size = std::min(static_cast<size_t>(kilobytes) << 10, bench::DocumentBytes());
        text.reserve(size + 1000);
        if (kind == "blocks") {  // one line: 999 "a" and an "x", over and over
            while (text.size() < size) text.append(999, 'a').push_back('x');
        } else if (kind == "words") {  // the words "w000" to "w199" in turn
            for (int i = 0; text.size() < size; i = (i + 1) % 200) {
                std::string number = std::to_string(i);
                text += 'w' + std::string(3 - number.size(), '0') + number + ' ';
            }
        } else if (kind == "pairs") {  // one line of "ab" over and over
            while (text.size() < size) text += "ab";
        } else {  // one run of "a"
            text.assign(size, 'a');
        }
        editor = std::make_unique<SourceEditor>();
        editor->SetText(text.c_str());
    }
    return *editor;
}

/// An alternation of the 200 words of the "words" text.
std::string Words() {
    std::string words;
    for (int i = 0; i < 200; ++i) {
        std::string number = std::to_string(i);
        words += (i ? "|w" : "w") + std::string(3 - number.size(), '0') + number;
    }
    return words;
}

// Every match of an expression over a made-up text of the range argument's size in KB, as a
// find-all walks them.
void BM_ExpressionMadeUp(benchmark::State& state, const char* kind, std::string pattern) {
    SourceEditor& editor = MadeUpEditor(kind, state.range(0));
    StoreReader reader(editor.Store());
    REParser parser;
    parser.Compile(pattern);
    int64_t count = 0;
    for (auto _ : state) {
        count = 0;
        try {
            for (int32_t at = 0; parser.Search(reader, at, reader.Length()); ++count)
                at = std::max(parser.MatchEnd(), parser.MatchStart() + 1);
        } catch (const ERegExpError& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * reader.Length());
    state.counters["matches"] = static_cast<double>(count);
}
BENCHMARK_CAPTURE(BM_ExpressionMadeUp, blocks_dot_repeat, "blocks", ".{1,100}x")
    ->Arg(100)
    ->Arg(20480)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExpressionMadeUp, blocks_set_run, "blocks", "[^x]*x")
    ->Arg(100)
    ->Arg(20480)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExpressionMadeUp, blocks_absent_end, "blocks", ".*z")
    ->Arg(100)
    ->Arg(20480)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExpressionMadeUp, words_alternation, "words", Words())
    ->Arg(100)
    ->Arg(20480)
    ->Unit(benchmark::kMillisecond);
// A loop that every start walks through the rest of the line, to no match.
BENCHMARK_CAPTURE(BM_ExpressionMadeUp, pairs_loop_absent_end, "pairs", "(a|b)*c")
    ->Arg(20)
    ->Arg(100)
    ->Arg(20480)
    ->Unit(benchmark::kMillisecond);

// The time until a runaway expression stops with "Expression is too complex" on a run of
// "a" of the given size (the range argument, in KB).
void BM_RunawayStops(benchmark::State& state) {
    SourceEditor& editor = MadeUpEditor("run", state.range(0));
    StoreReader reader(editor.Store());
    REParser parser;
    parser.Compile("(a+)+b");
    for (auto _ : state) {
        try {
            parser.Search(reader, 0, reader.Length());
            state.SkipWithError("the runaway expression ended without the message");
        } catch (const ERegExpError&) {
        }
    }
    state.counters["bytes"] = reader.Length();
}
BENCHMARK(BM_RunawayStops)->Arg(100)->Arg(1024)->Arg(20480)->Unit(benchmark::kMillisecond);

// Replace-all of the first 100,000 occurrences of "<" (fewer in a smaller document) by "&lt;",
// and the undo of it, each timed on its own.
int32_t EndOfMatches(SourceEditor& editor, const char* text, int wanted, int& found) {
    StoreReader reader(editor.Store());
    PlainSearcher searcher(text, true);
    int32_t end = 0;
    for (found = 0; found < wanted; ++found) {
        int32_t at = searcher.FindForward(reader, end, reader.Length());
        if (at < 0) break;
        end = at + searcher.PatternLength();
    }
    return end;
}

void BM_ReplaceAll100k(benchmark::State& state, bool timeUndo) {
    SourceEditor& editor = LoadedEditor();
    int found = 0;
    int32_t to = EndOfMatches(editor, "<", 100000, found);
    for (auto _ : state) {
        if (timeUndo) state.PauseTiming();
        int32_t replaced = editor.ReplaceAll(0, to, "<", "&lt;", true, false);
        if (replaced != found) state.SkipWithError("replace-all missed matches");
        if (timeUndo)
            state.ResumeTiming();
        else
            state.PauseTiming();
        editor.Undo();
        if (!timeUndo) state.ResumeTiming();
    }
    state.counters["matches"] = found;
    if (editor.CanUndo()) state.SkipWithError("undo left changes behind");
}
BENCHMARK_CAPTURE(BM_ReplaceAll100k, replace, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReplaceAll100k, undo, true)->Unit(benchmark::kMillisecond);

}  // namespace

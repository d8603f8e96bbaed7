// A random scheme built through the model's API scans a random text to its end: the scan must
// finish, every token must take at least one character, and nothing may crash.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/scheme/Highlighter.h"
#include "engine/scheme/Recognizers.h"
#include "engine/scheme/SyntaxScheme.h"
#include "engine/text/EditorError.h"
#include "engine/text/TextStore.h"

namespace {

using namespace quinkle;

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    bool Bit() { return (Byte() & 1) != 0; }
    // States and values stay small so that random parts meet each other.
    StateSet States() {
        uint8_t bits = Byte();
        StateSet set;
        for (int n = 0; n < 8; ++n)
            if (bits & (1 << n)) set.Set(n);
        return set;
    }
    uint8_t Value() { return Byte() % 12; }
    std::string Text(size_t most) {
        static const char kAlphabet[] = "ab1 <>/*-'\"\\.@e\r_x";
        std::string text;
        size_t length = Byte() % (most + 1);
        for (size_t i = 0; i < length; ++i) text += kAlphabet[Byte() % (sizeof kAlphabet - 1)];
        return text;
    }
    std::string_view Rest() {
        std::string_view rest(reinterpret_cast<const char*>(m_data) + m_pos, m_size - m_pos);
        m_pos = m_size;
        return rest;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

int32_t Group(Input& in, SyntaxScheme& scheme) {
    CharGroup group;
    group.Negated = in.Bit();
    uint8_t first = in.Byte();
    group.AddRange(first, static_cast<uint8_t>(std::min(255, first + in.Byte() % 40)));
    if (in.Byte() < 40) group = CharGroup{};
    return scheme.AddCharGroup(group);
}

TokenPart Part(Input& in, SyntaxScheme& scheme) {
    TokenPart part;
    part.Star = in.Bit();
    switch (in.Byte() % 4) {
        case 0:
            part.Match = true;
            break;
        case 1:
            part.IsRecognizer = true;
            break;
        default:
            part.Group = Group(in, scheme);
            break;
    }
    part.Number = in.Byte() % 24;
    if (!part.IsRecognizer && !part.Match) part.Group = Group(in, scheme);
    return part;
}

TokenEnd End(Input& in, SyntaxScheme& scheme) {
    TokenEnd end;
    end.Present = in.Byte() > 40;
    end.Include = in.Bit();
    switch (in.Byte() % 5) {
        case 0:
            end.Match = true;
            break;
        case 1:
            end.IsRecognizer = true;
            break;
        default:
            end.Count = in.Byte() % 5;
            for (int i = 0; i < end.Count; ++i) end.Groups[i] = Group(in, scheme);
            break;
    }
    end.Number = in.Byte() % 16;
    return end;
}

void Build(Input& in, SyntaxScheme& scheme) {
    scheme.SetCaseSensitive(in.Bit());
    for (int i = in.Byte() % 8; i > 0; --i) {
        try {
            scheme.AddKeyword(in.Text(4), in.Bit() ? Group(in, scheme) : -1, in.Value(),
                              in.States());
        } catch (const ESourceEditor&) {
        }
    }
    for (int i = in.Byte() % 8; i > 0; --i) {
        TokenDef def;
        if (in.Byte() < 60) {
            def.Start.IsRecognizer = true;
            def.Start.Number = static_cast<uint8_t>(10 + in.Byte() % 11);
            def.Start.Group = scheme.AddCharGroup(RecognizerFirstChars(def.Start.Number));
        } else {
            def.Start.Group = Group(in, scheme);
            def.Body = Part(in, scheme);
            def.End = End(in, scheme);
        }
        def.Valid = in.States();
        def.Value = in.Value();
        int32_t state = in.Bit() ? SyntaxScheme::kDefaultTable : in.Byte() % 8;
        scheme.AddToken(def, state);
    }
    for (int i = in.Byte() % 4; i > 0; --i) {
        HandlerDef handler;
        handler.Start = Part(in, scheme);
        handler.End = End(in, scheme);
        scheme.SetHandler(in.Value(), handler);
    }
    for (int i = in.Byte() % 6; i > 0; --i) {
        TokenStateInfo info;
        info.Valid = in.Byte() < 200 ? StateSet::All() : in.States();
        info.Add = in.States();
        info.Remove = in.States();
        info.Container = in.Byte() < 50;
        info.Stack = in.Byte() % 16;
        scheme.SetTokenStateInfo(in.Value(), info);
    }
    for (int i = in.Byte() % 4; i > 0; --i) scheme.SetContextState(in.Value(), in.States());
    scheme.SetBoundStates(in.States());
    if (in.Bit()) scheme.SetStartStates(in.States());
    if (in.Bit()) {
        KeywordTableDef table;
        table.States = in.States();
        table.CaseSensitive = in.Bit();
        for (int i = in.Byte() % 4; i > 0; --i) table.Words.push_back({in.Value(), in.Text(4)});
        try {
            scheme.AddKeywordTable(table);
        } catch (const ESourceEditor&) {
        }
    }
    uint8_t take = in.Byte() % 4;
    scheme.OnCustomParse = [take](SyntaxScheme&, int32_t id, TextCursor& stream, int32_t& length,
                                  uint8_t&) {
        for (int i = 0; i < take + id % 2 && !stream.AtEnd(); ++i) {
            stream.Advance();
            ++length;
        }
        return id % 3 != 0;
    };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    SyntaxScheme scheme;
    Build(in, scheme);
    std::string text(in.Rest());
    for (char& c : text)
        if (c == '\n') c = '\r';

    // Every line scanned token by token: each token takes at least one character.
    size_t start = 0;
    uint8_t context = 0;
    while (start < text.size()) {
        size_t end = text.find('\r', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string_view line(text.data() + start, end - start);
        scheme.SetLineContext(context);
        TextCursor cursor(line);
        try {
            while (!cursor.AtEnd()) {
                int32_t before = cursor.Position();
                int32_t length = 0;
                context = scheme.ScanToken(cursor, length);
                if (length < 1 || cursor.Position() != before + length) std::abort();
            }
        } catch (const ESourceEditor&) {
            context = 0;
        }
        start = end;
    }

    // The same text through the highlighter, then edited and highlighted again.
    if (text.size() > 4096) return 0;
    TextStore store;
    store.Insert(0, text);
    Highlighter highlighter(store, &scheme);
    highlighter.HighlightAll();
    if (store.CharCount() > 2) {
        store.Delete(1, store.CharCount() / 2);
        store.Insert(0, "/*\r");
        highlighter.HighlightAll();
    }
    for (int32_t row = 0; row < store.RowCount(); ++row)
        if (!store.Row(row)->Styles) std::abort();
    return 0;
}

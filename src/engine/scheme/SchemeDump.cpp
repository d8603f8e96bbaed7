// Readable dumps of compiled schemes and of scanned tokens.
#include "engine/scheme/SchemeDump.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/scheme/LineScan.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string CharText(int c) {
    if (c > ' ' && c < 127 && c != '\\' && c != '-' && c != ',') return std::string(1, char(c));
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", c);
    return text;
}

std::string Quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        auto u = static_cast<uint8_t>(c);
        if (u < ' ' || u == '\\' || u == '\'' || u >= 127) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", u);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::string FormatGroup(const CharGroup& group) {
    std::string out = group.Negated ? "[^" : "[";
    bool first = true;
    for (int c = 0; c < 256;) {
        bool set = ((group.Bits[c >> 6] >> (c & 63)) & 1) != 0;
        if (!set) {
            ++c;
            continue;
        }
        int last = c;
        while (last + 1 < 256 && ((group.Bits[(last + 1) >> 6] >> ((last + 1) & 63)) & 1) != 0)
            ++last;
        if (!first) out += ',';
        first = false;
        out += CharText(c);
        if (last > c) out += "-" + CharText(last);
        c = last + 1;
    }
    return out + "]";
}

std::string FormatPart(const TokenPart& part) {
    if (part.Match) return "match(" + std::to_string(part.Number) + ")";
    if (part.IsRecognizer) return "recognizer " + std::to_string(part.Number);
    return "group " + std::to_string(part.Group);
}

std::string FormatEnd(const TokenEnd& end) {
    if (!end.Present) return "none";
    std::string out;
    if (end.Match) {
        out = "match(" + std::to_string(end.Number) + ")";
    } else if (end.IsRecognizer) {
        out = "recognizer " + std::to_string(end.Number);
    } else {
        out = "groups";
        for (int i = 0; i < end.Count && i < 4; ++i) out += " " + std::to_string(end.Groups[i]);
    }
    return out + (end.Include ? " include" : " exclude");
}

std::string FormatColor(const SchemeColor& color) {
    return Hex(color.Color) + (color.UseDefault ? " default" : "");
}

void DumpTable(const SyntaxScheme& scheme, int32_t state, std::string& out) {
    for (int c = 0; c < 256;) {
        const TokenDef* def = scheme.StartEntry(state, static_cast<uint8_t>(c));
        if (!def) {
            ++c;
            continue;
        }
        int last = c;
        while (last + 1 < 256 && scheme.StartEntry(state, static_cast<uint8_t>(last + 1)) == def)
            ++last;
        out += "  " + CharText(c) + (last > c ? "-" + CharText(last) : "") + ": value " +
               std::to_string(def->Value) + " valid " + FormatSet(def->Valid) + " start " +
               FormatPart(def->Start);
        if (!def->Start.IsRecognizer)
            out += " body " + FormatPart(def->Body) + (def->Body.Star ? " *" : "") + " end " +
                   FormatEnd(def->End);
        out += "\n";
        c = last + 1;
    }
}

void DumpSchemeTables(const SyntaxScheme& scheme, std::string& out) {
    out += "anchor " + FormatSet(scheme.GetAnchorSet()) + "\n";
    out += "startstate " + FormatSet(scheme.StartStates()) + "\n";
    out += "boundstates " + FormatSet(scheme.BoundStates()) + "\n";
    for (int v = 0; v < 256; ++v) {
        const StateSet& context = scheme.ContextState(static_cast<uint8_t>(v));
        if (context != scheme.StartStates())
            out += "context " + std::to_string(v) + " " + FormatSet(context) + "\n";
    }
    for (int32_t id = 0; id < scheme.Groups().Count(); ++id)
        out += "group " + std::to_string(id) + " " + FormatGroup(scheme.Groups().Get(id)) + "\n";
    out += std::string("words ") +
           (scheme.CaseSensitive() ? "case-sensitive" : "case-insensitive") + "\n";
    for (const KeywordEntry& word : scheme.Keywords().Entries())
        out += "  " + Quoted(word.Word) + " end " + std::to_string(word.EndGroup) + " value " +
               std::to_string(word.Value) + " states " + FormatSet(word.States) + "\n";
    for (const KeywordTableDef& table : scheme.KeywordTables()) {
        out += "kwtable states " + FormatSet(table.States) + " endswith " + Quoted(table.EndSpec) +
               " end " + std::to_string(table.EndGroup) +
               (table.CaseSensitive ? " case-sensitive" : " case-insensitive") + "\n";
        for (const KeywordTableDef::Word& word : table.Words)
            out += "  " + std::to_string(word.Value) + " " + Quoted(word.Text) + "\n";
    }
    out += "tokens\n";
    DumpTable(scheme, SyntaxScheme::kDefaultTable, out);
    for (int s = 0; s < 256; ++s)
        if (scheme.OwnTableStates().Test(s)) {
            out += "tokens instate " + std::to_string(s) + "\n";
            DumpTable(scheme, s, out);
        }
    for (int v = 0; v < 256; ++v)
        if (const HandlerDef* handler = scheme.Handler(static_cast<uint8_t>(v)))
            out += "handler " + std::to_string(v) + " start " + FormatPart(handler->Start) +
                   (handler->Start.Star ? " *" : "") + " end " + FormatEnd(handler->End) + "\n";
    for (int v = 0; v < 256; ++v)
        if (const TokenStateInfo* info = scheme.GetTokenStateInfo(static_cast<uint8_t>(v)))
            out += std::string(info->Container ? "container " : "states ") + std::to_string(v) +
                   " add " + FormatSet(info->Add) + " remove " + FormatSet(info->Remove) +
                   " stack " + std::to_string(info->Stack) + "\n";
}

}  // namespace

std::string FormatSet(const StateSet& set) {
    std::string out = "{";
    bool first = true;
    for (int n = 0; n < 256;) {
        if (!set.Test(n)) {
            ++n;
            continue;
        }
        int last = n;
        while (set.Test(last + 1)) ++last;
        if (!first) out += ',';
        first = false;
        out += std::to_string(n) + (last > n ? "-" + std::to_string(last) : "");
        n = last + 1;
    }
    return out + "}";
}

std::string DumpScheme(const CompiledScheme& compiled) {
    const SchemeSettings& s = compiled.Settings;
    const EditorSettings& editor = s.Editor;
    std::string out;
    out += "name " + Quoted(s.Name) + "\n";
    out += "options " + Hex(editor.Options) + "\n";
    out += "exampletext " + Quoted(s.ExampleText) + "\n";
    out += "wordwrapcolumn " + std::to_string(editor.WrapAtColumn) + "\n";
    out += "gutter " + std::to_string(editor.Gutter) + "\n";
    out += "indentstep " + std::to_string(editor.IndentStep()) + "\n";
    out += "wrapoverride " + Quoted(editor.WrapOverride) + "\n";
    out += "seltextcolor " + FormatColor(s.SelTextColor) + "\n";
    out += "seltextback " + FormatColor(s.SelTextBack) + "\n";
    out += "guttercolor " + FormatColor(s.GutterColor) + "\n";
    out += "margincolor " + FormatColor(s.MarginColor) + "\n";
    out += "marginwidth " + std::to_string(editor.Margin) + "\n";
    out += "rightmargin " + std::to_string(editor.RightMargin) + "\n";
    out += "font " + Quoted(s.Font.Name) + " " + std::to_string(s.Font.Size) + " charset " +
           std::to_string(s.Font.CharSet) + "\n";
    out += "gutterfont " + Quoted(s.GutterFont.Name) + " " + std::to_string(s.GutterFont.Size) +
           " color " + Hex(s.GutterFont.Color) + " style " + std::to_string(s.GutterFont.Style) +
           "\n";
    out += "tabcolumns " + Quoted(editor.TabColumnsText()) + " tabdefault " +
           std::to_string(editor.TabDefault()) + "\n";
    DumpSchemeTables(compiled.Scheme, out);
    const SchemeStyles& styles = compiled.Settings.Editor.Styles;
    for (int e = 0; e < 256; ++e) {
        const EffectDef& effect = styles.Effects[e];
        if (!effect.Defined) continue;
        out += "effect " + std::to_string(e) + " style " + std::to_string(effect.Style) + " fg " +
               Hex(effect.Foreground) + (effect.ForegroundDefault ? "*" : "") + " bg " +
               Hex(effect.Background) + (effect.BackgroundDefault ? "*" : "") +
               (effect.Hotspot ? " hotspot" : "") + "\n";
    }
    for (int v = 0; v < 256; ++v)
        if (styles.TokenEffect[v] != 0)
            out += "map " + std::to_string(v) + " " + std::to_string(styles.TokenEffect[v]) + "\n";
    for (const EditableStyle& style : styles.EditableStyles)
        out += "editablestyle " + Quoted(style.Name) + " " + std::to_string(style.Effect) + "\n";
    for (const KeyBinding& binding : editor.Keys.Bindings())
        out += "key " + Hex(binding.FirstKey) + " " + Hex(binding.SecondKey) + " -> " +
               std::to_string(binding.Command) + "\n";
    // The activation text is listed where it differs from a new table's.
    for (const CodeTemplate& entry : editor.AutoCorrect.Entries())
        out += "autoreplace " + Quoted(entry.Name) + " " + Quoted(entry.Text) + "\n";
    if (editor.AutoCorrect.ActivationKeys() != kDefaultActivationKeys)
        out += "actionkeys " + Quoted(editor.AutoCorrect.ActivationKeys()) + "\n";
    for (const CodeTemplate& entry : editor.Templates.Entries())
        out += "template " + Quoted(entry.Name) + " " + Quoted(entry.Description) + " " +
               Quoted(entry.Text) + "\n";
    if (editor.Templates.HotKey != 0) out += "hotkey " + Hex(editor.Templates.HotKey) + "\n";
    return out;
}

namespace {

/// Splits text into lines that end in CR (the editor's view), the last one without when the
/// text does not end in a line end.
std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(line + '\r');
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

std::string DumpTokens(SyntaxScheme& scheme, const SchemeStyles& styles, std::string_view text) {
    std::string out;
    uint8_t incoming = 0;
    std::vector<uint8_t> values;
    const std::vector<std::string> lines = Lines(text);
    auto emit = [&](size_t line, int32_t from, int32_t to, uint8_t value, bool inner) {
        char entry[96];
        std::snprintf(entry, sizeof entry, "%s%zu:%d %d %d %d\n", inner ? "> " : "", line + 1,
                      from + 1, to - from, value, styles.TokenEffect[value]);
        out += entry;
    };
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        values.assign(line.size(), 0);
        TextCursor cursor(line);
        scheme.SetLineContext(incoming);
        try {
            ScanLineTokens(scheme, cursor,
                           [&](int32_t from, int32_t to, uint8_t value, bool inner) {
                               if (!inner || value != 0)
                                   std::fill(values.begin() + from, values.begin() + to, value);
                               emit(n, from, to, value, inner);
                           });
        } catch (const ESourceEditor& error) {
            out += std::to_string(n + 1) + ": error " + error.what() + "\n";
            for (size_t i = static_cast<size_t>(cursor.Position()); i < values.size(); ++i)
                values[i] = 0;
        }
        incoming = values.empty() ? incoming : values.back();
    }
    scheme.SetLineContext(0);
    return out;
}

TokenCounts CountTokens(SyntaxScheme& scheme, std::string_view text) {
    TokenCounts counts;
    uint8_t incoming = 0;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
            text[next] == '\n')
            ++next;
        // The scanner sees CR as the line end whatever the file holds.
        std::string_view body =
            text.substr(begin, (end == std::string_view::npos ? text.size() : end) - begin);
        std::string line(body);
        if (end != std::string_view::npos) line += '\r';
        TextCursor cursor(line);
        scheme.SetLineContext(incoming);
        uint8_t last = incoming;
        try {
            int32_t length = 0;
            while (!cursor.AtEnd()) {
                const int32_t start = cursor.Position();
                last = scheme.ScanToken(cursor, length);
                if (cursor.Position() <= start) cursor.SetPosition(start + 1);
                ++counts.PerValue[last];
            }
        } catch (const ESourceEditor&) {
            ++counts.Errors;
            last = 0;
        }
        incoming = last;
        counts.Bytes += static_cast<int64_t>(next - begin);
        begin = next;
    }
    scheme.SetLineContext(0);
    return counts;
}

}  // namespace quinkle

// Writing the style string and reading its tagged and older positional forms.
#include "engine/scheme/StyleString.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace quinkle {
namespace {

constexpr std::string_view kPrefix = "Marvox";
constexpr size_t kBodyStart = 8;
constexpr size_t kMaxWrapOverride = 20;
constexpr uint32_t kOldDefaultOptions = 0x3FFDBF0;
constexpr uint32_t kHighlightText = 0x8000000E;
constexpr uint32_t kHighlight = 0x8000000D;

[[noreturn]] void Invalid() { throw ESourceEditor(kInvalidStyleString); }

std::string Decimal(int64_t value) { return std::to_string(value); }
std::string Signed(uint32_t color) { return Decimal(static_cast<int32_t>(color)); }

void Entry(std::string& out, std::string_view key, std::string_view value) {
    out.append(key);
    out += '#';
    out += std::to_string(value.size());
    out += '#';
    out.append(value);
}

std::string EffectsText(const SchemeStyles& styles) {
    std::string list;
    int defined = 0;
    for (int n = 0; n < 256; ++n) {
        const EffectDef& effect = styles.Effects[n];
        if (!effect.Defined) continue;
        ++defined;
        list +=
            Decimal(n) + ',' + Signed(effect.Foreground) + ',' + Signed(effect.Background) + ',';
        if (effect.BackgroundDefault) list += 'X';
        if (effect.ForegroundDefault) list += 'Y';
        if (effect.Style & esBold) list += 'B';
        if (effect.Style & esItalic) list += 'I';
        if (effect.Style & esUnderline) list += 'U';
        list += ';';
    }
    // The count is a byte's worth: all 256 effects are announced as 255.
    const int count = std::min(defined, 255);
    return count == 0 ? "0" : Decimal(count) + ',' + list;
}

std::string FontStyleText(uint8_t style) {
    std::string text;
    if (style & esItalic) text += 'I';
    if (style & esBold) text += 'B';
    if (style & esUnderline) text += 'U';
    if (style & esStrikeout) text += 'S';
    return text;
}

// A cursor over style text with the number readers of both forms.
class StyleReader {
public:
    StyleReader(std::string_view text, size_t pos)
        : m_text(text), m_pos(std::min(pos, text.size())) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    size_t Position() const { return m_pos; }
    void Skip(size_t count) { m_pos = std::min(m_text.size(), m_pos + count); }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++m_pos;
        return true;
    }

    /// An optionally signed decimal number; false (nothing taken) when no digit follows.
    bool Number(int32_t& value) {
        size_t at = m_pos;
        const bool negative = at < m_text.size() && m_text[at] == '-';
        if (negative) ++at;
        if (at >= m_text.size() || !IsDigit(m_text[at])) return false;
        int64_t magnitude = 0;
        while (at < m_text.size() && IsDigit(m_text[at])) {
            magnitude = magnitude * 10 + (m_text[at++] - '0');
            if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1) Invalid();
        }
        const int64_t result = negative ? -magnitude : magnitude;
        if (result > std::numeric_limits<int32_t>::max()) Invalid();
        value = static_cast<int32_t>(result);
        m_pos = at;
        return true;
    }
    /// A number, or `def` when there is none; a comma after it is taken.
    int32_t Field(int32_t def) {
        int32_t value = def;
        Number(value);
        Take(',');
        return value;
    }
    /// `count` characters (fewer at the end of the text), then a comma if one follows.
    std::string Chars(int32_t count) {
        if (count < 0) Invalid();
        const size_t length = std::min(static_cast<size_t>(count), m_text.size() - m_pos);
        std::string text(m_text.substr(m_pos, length));
        m_pos += length;
        Take(',');
        return text;
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

private:
    std::string_view m_text;
    size_t m_pos;
};

// An effect count and that many entries: number, foreground, background, then style letters.
void ReadEffects(StyleReader& r, SchemeStyles& styles) {
    const int32_t count = r.Field(0);
    if (count < 0) Invalid();
    for (int32_t i = 0; i < count; ++i) {
        int32_t number = 0;
        if (!r.Number(number) || number < 0 || number > 255) Invalid();
        r.Take(',');
        EffectDef& effect = styles.Effects[number];
        effect.Foreground = static_cast<uint32_t>(r.Field(0x000000));
        effect.Background = static_cast<uint32_t>(r.Field(0xFFFFFF));
        effect.Style = 0;
        effect.ForegroundDefault = false;
        effect.BackgroundDefault = false;
        effect.Defined = true;
        for (;;) {
            const char c = static_cast<char>(r.Peek() | 0x20);
            if (r.Take(';')) break;
            if (c == 'b') {
                effect.Style |= esBold;
            } else if (c == 'i') {
                effect.Style |= esItalic;
            } else if (c == 'u') {
                effect.Style |= esUnderline;
            } else if (c == 'x') {
                effect.BackgroundDefault = true;
            } else if (c == 'y') {
                effect.ForegroundDefault = true;
            } else {
                break;
            }
            r.Skip(1);
        }
    }
}

int32_t ToNumber(std::string_view value) {
    StyleReader r(value, 0);
    int32_t number = 0;
    if (!r.Number(number) || !r.AtEnd()) Invalid();
    return number;
}

void Apply(std::string_view key, std::string_view value, SchemeSettings& s) {
    EditorSettings& e = s.Editor;
    auto number = [&] { return ToNumber(value); };
    auto color = [&] { return static_cast<uint32_t>(ToNumber(value)); };
    if (key == "OPT") {
        e.Options = static_cast<uint32_t>(number());
    } else if (key == "GWD") {
        e.Gutter = number();
    } else if (key == "GCL") {
        s.GutterColor.Color = color();
    } else if (key == "WRC") {
        e.WrapAtColumn = static_cast<uint16_t>(number());
    } else if (key == "IDS") {
        e.SetIndentStep(number());
    } else if (key == "WRO") {
        e.WrapOverride = value;
    } else if (key == "FON") {
        s.Font.Name = value;
    } else if (key == "FOS") {
        s.Font.Size = number();
    } else if (key == "STC") {
        s.SelTextColor.Color = color();
    } else if (key == "STB") {
        s.SelTextBack.Color = color();
    } else if (key == "TBC") {
        e.SetTabColumns(value);
    } else if (key == "TBD") {
        e.SetTabDefault(number());
    } else if (key == "EFF") {
        StyleReader r(value, 0);
        ReadEffects(r, e.Styles);
    } else if (key == "GDF") {
        s.GutterColor.UseDefault = value == "1";
    } else if (key == "MDF") {
        s.MarginColor.UseDefault = value == "1";
    } else if (key == "SDF") {
        s.SelTextColor.UseDefault = value == "1";
    } else if (key == "BDF") {
        s.SelTextBack.UseDefault = value == "1";
    } else if (key == "FOC") {
        s.Font.CharSet = static_cast<uint8_t>(number());
    } else if (key == "RMG") {
        e.RightMargin = number();
    } else if (key == "LNN") {
        s.GutterFont.Name = value;
    } else if (key == "LNS") {
        s.GutterFont.Size = number();
    } else if (key == "LNC") {
        s.GutterFont.Color = color();
    } else if (key == "LNE") {
        uint8_t style = 0;
        if (value.find('I') != std::string_view::npos) style |= esItalic;
        if (value.find('S') != std::string_view::npos) style |= esStrikeout;
        if (value.find('U') != std::string_view::npos) style |= esUnderline;
        if (value.find('B') != std::string_view::npos) style |= esBold;
        s.GutterFont.Style = style;
    }
}

void ParseTagged(std::string_view text, SchemeSettings& settings) {
    size_t pos = kBodyStart;
    while (pos < text.size()) {
        size_t keyEnd = pos;
        while (keyEnd < text.size() && keyEnd - pos < 4 &&
               std::isalnum(static_cast<unsigned char>(text[keyEnd])))
            ++keyEnd;
        const std::string_view key = text.substr(pos, keyEnd - pos);
        if (key == "END" || keyEnd >= text.size() || text[keyEnd] != '#') return;
        size_t lengthEnd = keyEnd + 1;
        uint64_t length = 0;
        while (lengthEnd < text.size() && StyleReader::IsDigit(text[lengthEnd]) &&
               length <= text.size())
            length = length * 10 + static_cast<uint64_t>(text[lengthEnd++] - '0');
        if (lengthEnd == keyEnd + 1 || lengthEnd >= text.size() || text[lengthEnd] != '#') return;
        const size_t valueStart = lengthEnd + 1;
        if (length > text.size() - valueStart) return;
        Apply(key, text.substr(valueStart, length), settings);
        pos = valueStart + length;
    }
}

void ParsePositional(std::string_view text, int version, SchemeSettings& s) {
    EditorSettings& e = s.Editor;
    StyleReader r(text, kBodyStart);
    e.Options = static_cast<uint32_t>(r.Field(static_cast<int32_t>(kOldDefaultOptions)));
    e.Gutter = r.Field(34);
    e.WrapAtColumn = static_cast<uint16_t>(r.Field(0));
    e.SetIndentStep(r.Field(1));
    std::string wrap = r.Chars(r.Field(0));
    if (wrap.size() > kMaxWrapOverride) wrap.resize(kMaxWrapOverride);
    e.WrapOverride = wrap;
    if (version == 1) {
        s.Font.Name = "Courier New";
        s.Font.Size = 10;
        s.Font.CharSet = 1;
        s.SelTextColor.Color = kHighlightText;
        s.SelTextBack.Color = kHighlight;
    } else {
        s.Font.Name = r.Chars(r.Field(0));
        s.Font.Size = r.Field(10);
        if (version >= 3) {
            s.SelTextColor.Color =
                static_cast<uint32_t>(r.Field(static_cast<int32_t>(kHighlightText)));
            s.SelTextBack.Color = static_cast<uint32_t>(r.Field(static_cast<int32_t>(kHighlight)));
        }
        if (version >= 4) {
            e.SetTabColumns(r.Chars(r.Field(0)));
            e.SetTabDefault(r.Field(4));
        }
    }
    ReadEffects(r, e.Styles);
}

}  // namespace

std::string WriteStyleString(const SchemeSettings& s) {
    const EditorSettings& e = s.Editor;
    std::string out(kPrefix);
    out += "6:";
    Entry(out, "OPT", Signed(e.Options));
    Entry(out, "GWD", Decimal(e.Gutter));
    Entry(out, "GCL", Signed(s.GutterColor.Color));
    Entry(out, "WRC", Decimal(e.WrapAtColumn));
    Entry(out, "IDS", Decimal(e.IndentStep()));
    Entry(out, "WRO", e.WrapOverride);
    Entry(out, "FON", s.Font.Name);
    Entry(out, "FOS", Decimal(s.Font.Size));
    Entry(out, "STC", Signed(s.SelTextColor.Color));
    Entry(out, "STB", Signed(s.SelTextBack.Color));
    Entry(out, "TBC", e.TabColumnsText());
    Entry(out, "TBD", Decimal(e.TabDefault()));
    Entry(out, "EFF", EffectsText(e.Styles));
    Entry(out, "GDF", s.GutterColor.UseDefault ? "1" : "0");
    Entry(out, "MDF", s.MarginColor.UseDefault ? "1" : "0");
    Entry(out, "SDF", s.SelTextColor.UseDefault ? "1" : "0");
    Entry(out, "BDF", s.SelTextBack.UseDefault ? "1" : "0");
    Entry(out, "FOC", Decimal(s.Font.CharSet));
    Entry(out, "RMG", Decimal(e.RightMargin));
    Entry(out, "LNN", s.GutterFont.Name);
    Entry(out, "LNS", Decimal(s.GutterFont.Size));
    Entry(out, "LNC", Signed(s.GutterFont.Color));
    Entry(out, "LNT", "");
    Entry(out, "LNE", FontStyleText(s.GutterFont.Style));
    out += "#END#";
    return out;
}

int StyleStringVersion(std::string_view text) {
    if (text.size() < kPrefix.size() + 1 || text.substr(0, kPrefix.size()) != kPrefix ||
        text[6] < '1' || text[6] > '9')
        Invalid();
    return text[6] - '0';
}

int ParseStyleString(std::string_view text, SchemeSettings& settings) {
    const int version = StyleStringVersion(text);
    if (version >= 5)
        ParseTagged(text, settings);
    else
        ParsePositional(text, version, settings);
    return version;
}

}  // namespace quinkle

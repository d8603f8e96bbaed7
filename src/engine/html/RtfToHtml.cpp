// The rich-text reader: control words, groups and destinations, turned into calls on the HTML
// writer. Groups live on an explicit stack, so nesting depth costs memory, never recursion.
#include "engine/html/RtfToHtml.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

#include "engine/html/CodePages.h"
#include "engine/html/HtmlHelpers.h"
#include "engine/html/RtfHtmlWriter.h"
#include "engine/html/RtfSyntax.h"
#include "engine/text/AsciiText.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

using namespace rtf;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Beyond this depth groups are counted but share the innermost state, which bounds memory.
constexpr size_t kMaxDepth = 1000;
constexpr int32_t kParameterLimit = 1'000'000'000;
constexpr size_t kNameLimit = 256;
constexpr size_t kMaxNotes = 20;
constexpr int kDefaultHalfPoints = 24;  // RTF's default size, 12 points

// Where the text of a group goes.
enum class Dest : uint8_t {
    Body,
    Skip,
    FontTable,
    ColourTable,
    FieldInstruction,
    ListMarker,
    Info,
    Title,
    Footnote,
};

struct Group {
    Dest Destination = Dest::Body;
    bool Field = false;   // this group is a \field
    bool Object = false;  // an \object: only its \result has text
    bool Hidden = false;
    int Uc = 1;
    // character formatting as the file states it
    int Font = -1;    // -1: the default font
    int Colour = -1;  // -1: none chosen; 0 is the table's first entry, often "auto"
    int HalfPoints = kDefaultHalfPoints;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    // paragraph formatting
    RtfParagraph::Align Alignment = RtfParagraph::Align::Left;
    bool InTable = false;
    bool ListLevel = false;  // \ls with a list number
    bool HangingIndent = false;
};

struct Font {
    std::string Name;
    int CodePage = 0;  // 0: the document's
};

struct Colour {
    bool Auto = true;
    int Red = 0, Green = 0, Blue = 0;
};

struct Field {
    std::string Instruction;
    bool Linked = false;
};

class Translator {
public:
    explicit Translator(std::string_view rtf) : m_in(rtf) { m_groups.emplace_back(); }

    RtfTranslation Run();

private:
    Group& Top() { return m_groups.back(); }
    const Group& Top() const { return m_groups.back(); }
    void Open();
    void Close();
    void Destination(Kw word);
    void ControlWord(std::string_view word, bool hasParameter, int32_t parameter);
    void Symbol(char c);
    /// A byte of text: raw, or escaped as "\'hh" or "\\".
    void Byte(unsigned char byte, bool escaped = false);
    /// A character of the current destination.
    void Character(char32_t c);
    /// A character of the body.
    void Emit(char32_t c);
    void FlushPrefix();
    void ResetMarker();
    void EndParagraph();
    void FontTableText(char32_t c);
    void ColourTableEnd();
    int CodePage() const;
    RtfParagraph Paragraph() const;
    const RtfRun& CurrentRun();
    void Note(std::string note);
    void SkipBinary(int32_t count);

    std::string_view m_in;
    size_t m_pos = 0;
    std::vector<Group> m_groups;
    size_t m_excessDepth = 0;
    int m_skip = 0;            // fallback characters of a \u still to skip
    bool m_ignorable = false;  // "\*" came just before
    char32_t m_highSurrogate = 0;
    RtfHtmlWriter m_writer;
    // the header's tables
    int m_codePage = 1252;
    int m_defaultFont = 0;
    std::map<int, Font> m_fonts;
    int m_fontEntry = -1;
    std::vector<Colour> m_colours;
    Colour m_colourEntry;
    // fields, list markers, footnotes
    std::vector<Field> m_fields;
    std::u32string m_marker;
    bool m_markerSeen = false;
    std::u32string m_prefix;  // a hanging paragraph's leading text that may be its marker
    RtfRun m_prefixRun;
    std::vector<std::string> m_footnotes;
    std::string m_title;
    std::vector<std::string> m_notes;
    std::set<std::string> m_noted;
    RtfRun m_run;
    bool m_runDirty = true;
};

RtfTranslation Translator::Run() {
    while (m_pos < m_in.size()) {
        const char c = m_in[m_pos++];
        if (c == '{') {
            Open();
        } else if (c == '}') {
            Close();
        } else if (c == '\\') {
            if (m_pos >= m_in.size()) break;
            const char next = m_in[m_pos];
            if (IsLetter(next)) {
                const size_t start = m_pos;
                while (m_pos < m_in.size() && IsLetter(m_in[m_pos])) ++m_pos;
                const std::string_view word = m_in.substr(start, m_pos - start);
                bool negative = false, hasParameter = false;
                if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1])) {
                    negative = true;
                    ++m_pos;
                }
                int64_t value = 0;
                while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
                    hasParameter = true;
                    value = std::min<int64_t>(value * 10 + (m_in[m_pos] - '0'), kParameterLimit);
                    ++m_pos;
                }
                if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
                const auto parameter = static_cast<int32_t>(negative ? -value : value);
                if (m_skip > 0) {
                    --m_skip;
                    if (word == "bin") SkipBinary(parameter);
                    continue;
                }
                ControlWord(word, hasParameter, parameter);
            } else {
                ++m_pos;
                Symbol(next);
            }
        } else if (c != '\r' && c != '\n') {
            Byte(static_cast<unsigned char>(c));
        }
    }
    while (m_groups.size() > 1 || m_excessDepth > 0) Close();
    FlushPrefix();
    RtfTranslation result;
    result.Body = m_writer.Finish();
    if (!m_footnotes.empty()) {
        result.Body += "\r\n<HR>";
        for (size_t i = 0; i < m_footnotes.size(); ++i)
            result.Body += "\r\n<P>[" + std::to_string(i + 1) + "] " + m_footnotes[i] + "</P>";
    }
    result.Title = std::move(m_title);
    result.Notes = std::move(m_notes);
    return result;
}

void Translator::Open() {
    m_skip = 0;
    if (m_groups.size() >= kMaxDepth) {
        ++m_excessDepth;
        return;
    }
    Group inner = Top();
    inner.Field = false;
    m_groups.push_back(inner);
}

void Translator::Close() {
    m_skip = 0;
    if (m_excessDepth > 0) {
        --m_excessDepth;
        return;
    }
    if (m_groups.size() <= 1) return;  // a stray closing brace
    const Group closed = m_groups.back();
    m_groups.pop_back();
    m_runDirty = true;
    const Dest outer = Top().Destination;
    if (closed.Destination == Dest::FontTable && m_fontEntry >= 0 && outer == Dest::FontTable) {
        // An entry's group ends its entry even without its ";".
        FontTableText(U';');
    }
    if (closed.Destination == Dest::FieldInstruction && outer != Dest::FieldInstruction &&
        !m_fields.empty()) {
        Field& field = m_fields.back();
        const std::string target = HyperlinkTarget(field.Instruction);
        if (!target.empty()) {
            FlushPrefix();
            m_writer.StartLink(target);
            field.Linked = true;
        }
    }
    if (closed.Field && !m_fields.empty()) {
        if (m_fields.back().Linked) {
            FlushPrefix();
            m_writer.EndLink();
        }
        m_fields.pop_back();
    }
    if (closed.Destination == Dest::Footnote && outer != Dest::Footnote) {
        std::string& note = m_footnotes.back();
        while (!note.empty() && note.back() == ' ') note.pop_back();
    }
}

void Translator::Destination(Kw word) {
    Group& group = Top();
    // Inside a skipped group only an object's result has text again.
    if (group.Destination == Dest::Skip && !(word == Kw::Result && group.Object)) return;
    if (group.Destination == Dest::Info && word != Kw::Title) {
        group.Destination = Dest::Skip;
        return;
    }
    switch (word) {
        case Kw::FontTable:
            group.Destination = Dest::FontTable;
            m_fontEntry = -1;
            break;
        case Kw::ColourTable:
            group.Destination = Dest::ColourTable;
            m_colourEntry = Colour{};
            break;
        case Kw::Info:
            group.Destination = Dest::Info;
            break;
        case Kw::Title:
            group.Destination = group.Destination == Dest::Info ? Dest::Title : Dest::Skip;
            break;
        case Kw::Field:
            if (group.Destination != Dest::Body && group.Destination != Dest::Footnote) break;
            group.Field = true;
            m_fields.push_back(Field{{}, false});
            break;
        case Kw::FieldInstruction:
            group.Destination = m_fields.empty() ? Dest::Skip : Dest::FieldInstruction;
            break;
        case Kw::FieldResult:
            break;  // the result is the text shown
        case Kw::ListText:
            if (group.Destination != Dest::Body) {
                group.Destination = Dest::Skip;
                break;
            }
            group.Destination = Dest::ListMarker;
            m_markerSeen = true;
            m_marker.clear();
            break;
        case Kw::Footnote:
            if (group.Destination != Dest::Body) {
                group.Destination = Dest::Skip;
                break;
            }
            FlushPrefix();
            group.Destination = Dest::Footnote;
            m_footnotes.emplace_back();
            break;
        case Kw::Object:
            group.Object = true;
            group.Destination = Dest::Skip;
            break;
        case Kw::Result:
            if (group.Object) group.Destination = Dest::Body;
            break;
        default:
            group.Destination = Dest::Skip;
            break;
    }
}

void Translator::ControlWord(std::string_view word, bool hasParameter, int32_t parameter) {
    const bool ignorable = m_ignorable;
    m_ignorable = false;
    const auto& words = Keywords();
    const auto found = words.find(word);
    if (found == words.end()) {
        // "\*" marks a destination a reader may skip when it does not know it.
        if (ignorable) Top().Destination = Dest::Skip;
        return;
    }
    const Kw kw = found->second;
    if (kw == Kw::Character) {
        Character(CharacterOf(word));
        return;
    }
    if (kw <= Kw::Result) {
        Destination(kw);
        return;
    }
    Group& group = Top();
    const Dest dest = group.Destination;
    if (dest == Dest::Skip || dest == Dest::Info) {
        if (kw == Kw::Bin) SkipBinary(parameter);
        return;
    }
    const int value = hasParameter ? parameter : -1;
    const bool on = !hasParameter || parameter != 0;
    switch (kw) {
        // the header
        case Kw::Deff:
            m_defaultFont = std::max(0, value);
            return;
        case Kw::AnsiCpg:
            if (value > 0) m_codePage = value;
            return;
        case Kw::Ansi:
            m_codePage = 1252;
            return;
        case Kw::Mac:
            m_codePage = 10000;
            return;
        case Kw::Pc:
            m_codePage = 437;
            return;
        case Kw::Pca:
            m_codePage = 850;
            return;
        case Kw::FCharset:
            if (dest == Dest::FontTable && m_fontEntry >= 0)
                m_fonts[m_fontEntry].CodePage = CharsetCodePage(value);
            return;
        case Kw::Cpg:
            if (dest == Dest::FontTable && m_fontEntry >= 0 && value > 0)
                m_fonts[m_fontEntry].CodePage = value;
            return;
        case Kw::Red:
        case Kw::Green:
        case Kw::Blue:
            if (dest == Dest::ColourTable) {
                const int component = std::clamp(value < 0 ? 0 : value, 0, 255);
                m_colourEntry.Auto = false;
                (kw == Kw::Red     ? m_colourEntry.Red
                 : kw == Kw::Green ? m_colourEntry.Green
                                   : m_colourEntry.Blue) = component;
            }
            return;
        // characters
        case Kw::U: {
            m_skip = group.Uc;
            char32_t c = static_cast<char32_t>(static_cast<uint16_t>(parameter & 0xFFFF));
            if (parameter > 0xFFFF || parameter < -0x8000) c = U'\xFFFD';
            if (c >= 0xD800 && c < 0xDC00) {
                m_highSurrogate = c;
                return;
            }
            if (c >= 0xDC00 && c < 0xE000) {
                c = m_highSurrogate != 0
                        ? 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (c - 0xDC00)
                        : U'\xFFFD';
            }
            m_highSurrogate = 0;
            Character(c);
            return;
        }
        case Kw::Uc:
            group.Uc = std::clamp(value, 0, 10);
            return;
        case Kw::Bin:
            SkipBinary(parameter);
            return;
        case Kw::Tab:
            Character(U'\t');
            return;
        default:
            break;
    }
    if (dest == Dest::Footnote) {
        if (kw == Kw::Par || kw == Kw::Line || kw == Kw::Cell) Character(U' ');
        return;
    }
    if (dest != Dest::Body) {
        if (dest == Dest::FontTable && kw == Kw::F) {
            m_fontEntry = std::max(0, value);
            m_fonts[m_fontEntry].Name.clear();
        }
        return;
    }
    m_runDirty = true;
    switch (kw) {
        case Kw::Par:
        case Kw::Page:
        case Kw::Sect:
            EndParagraph();
            break;
        case Kw::Pard:
            group.Alignment = RtfParagraph::Align::Left;
            group.InTable = false;
            group.ListLevel = false;
            group.HangingIndent = false;
            break;
        case Kw::Plain:
            group.Font = -1;
            group.Colour = -1;
            group.HalfPoints = kDefaultHalfPoints;
            group.Bold = group.Italic = group.Underline = group.Hidden = false;
            break;
        case Kw::Ql:
            group.Alignment = RtfParagraph::Align::Left;
            break;
        case Kw::Qc:
            group.Alignment = RtfParagraph::Align::Centre;
            break;
        case Kw::Qr:
            group.Alignment = RtfParagraph::Align::Right;
            break;
        case Kw::Qj:
            group.Alignment = RtfParagraph::Align::Justify;
            break;
        case Kw::Intbl:
            group.InTable = true;
            break;
        case Kw::Itap:
            group.InTable = value > 0;
            break;
        case Kw::Ls:
            group.ListLevel = value > 0;
            break;
        case Kw::Fi:
            group.HangingIndent = value < 0;
            break;
        case Kw::B:
            group.Bold = on;
            break;
        case Kw::I:
            group.Italic = on;
            break;
        case Kw::Ul:
            group.Underline = on;
            break;
        case Kw::UlNone:
            group.Underline = false;
            break;
        case Kw::V:
            group.Hidden = on;
            break;
        case Kw::F:
            group.Font = value < 0 ? -1 : value;
            break;
        case Kw::Fs:
            group.HalfPoints = value < 0 ? kDefaultHalfPoints : value;
            break;
        case Kw::Cf:
            group.Colour = std::max(0, value);
            break;
        case Kw::Cell:
        case Kw::NestCell:
            FlushPrefix();
            m_writer.EndCell();
            ResetMarker();
            break;
        case Kw::Row:
        case Kw::NestRow:
            FlushPrefix();
            m_writer.EndRow();
            break;
        case Kw::Line:
            FlushPrefix();
            if (!group.Hidden) m_writer.LineBreak(Paragraph(), CurrentRun());
            break;
        case Kw::ChFtn:
            // The mark of the next footnote; its own copy inside the note is left out.
            for (const char c : "[" + std::to_string(m_footnotes.size() + 1) + "]") Emit(c);
            break;
        default:
            break;
    }
}

void Translator::Symbol(char c) {
    if (c == '*') {
        m_ignorable = true;
        return;
    }
    m_ignorable = false;
    if (c == '\'') {
        const int high = m_pos < m_in.size() ? HexDigitValue(m_in[m_pos]) : -1;
        const int low = m_pos + 1 < m_in.size() ? HexDigitValue(m_in[m_pos + 1]) : -1;
        if (high < 0 || low < 0) return;
        m_pos += 2;
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        Byte(static_cast<unsigned char>(high * 16 + low), true);
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    switch (c) {
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<unsigned char>(c), true);
            break;
        case '~':
            Character(U'\xA0');
            break;
        case '-':
            Character(U'\xAD');
            break;
        case '_':
            Character(U'\x2011');
            break;
        case '\r':
        case '\n':
            ControlWord("par", false, 0);
            break;
        case '\t':
            Character(U'\t');
            break;
        default:
            break;  // "\|", "\:" and unknown symbols
    }
}

void Translator::Byte(unsigned char byte, bool escaped) {
    m_ignorable = false;
    if (!escaped && m_skip > 0) {
        --m_skip;
        return;
    }
    if (byte < 128) {
        // Raw control characters are no text; an escaped one (a "\'09") may be a tab.
        if (byte < 32 && byte != '\t') return;
        if (byte == '\t' && !escaped) return;
        Character(byte);
        return;
    }
    const int codePage = CodePage();
    if (codePage == kSymbolCodePage) {
        // Its bullet is the one of its signs that lists use; the rest read as Windows-1252.
        Character(byte == 0xB7 ? U'\x2022' : Windows1252ToUnicode(byte));
        return;
    }
    const auto* table = CodePageHighHalf(codePage);
    Character(table != nullptr ? (*table)[byte - 128] : Windows1252ToUnicode(byte));
}

void Translator::Character(char32_t c) {
    Group& group = Top();
    switch (group.Destination) {
        case Dest::Body:
            if (!group.Hidden) Emit(c);
            break;
        case Dest::FontTable:
            FontTableText(c);
            break;
        case Dest::ColourTable:
            if (c == U';') ColourTableEnd();
            break;
        case Dest::FieldInstruction:
            if (!m_fields.empty() && m_fields.back().Instruction.size() < kNameLimit * 8)
                AppendUtf8(c, m_fields.back().Instruction);
            break;
        case Dest::ListMarker:
            if (m_marker.size() < 16 && c != U'\t' && c != U' ') m_marker += c;
            break;
        case Dest::Title:
            if (m_title.size() < kNameLimit * 4) AppendUtf8(c, m_title);
            break;
        case Dest::Footnote: {
            std::string& note = m_footnotes.back();
            if (c == U'\xA0' && note.empty()) break;  // the blank after the note's own mark
            if (c == U' ' && (note.empty() || note.back() == ' ')) break;
            RtfHtmlWriter::AppendText(c, note);
            break;
        }
        case Dest::Skip:
        case Dest::Info:
            break;
    }
}

void Translator::Emit(char32_t c) {
    // A paragraph with a hanging first line may begin with its list marker before a tab
    // (as some writers set bullets and numbers): its leading text is held back until the
    // tab or anything else decides.
    if (!m_writer.InParagraph() && m_prefix.size() < 8 && !m_markerSeen) {
        const Group& group = Top();
        if (group.HangingIndent && !group.ListLevel && !group.InTable && c != U'\t' && c != U' ') {
            if (m_prefix.empty()) m_prefixRun = CurrentRun();
            m_prefix += c;
            return;
        }
        if (c == U'\t' && !m_prefix.empty() && MarkerKind(m_prefix) != RtfParagraph::List::None) {
            m_markerSeen = true;
            m_marker = std::move(m_prefix);
            m_prefix.clear();
            return;
        }
    }
    FlushPrefix();
    if (c == U'\t' && m_markerSeen && !m_writer.InParagraph()) return;  // a marker's tab
    m_writer.Char(c, Paragraph(), CurrentRun());
}

void Translator::FlushPrefix() {
    if (m_prefix.empty()) return;
    const std::u32string prefix = std::move(m_prefix);
    m_prefix.clear();
    const RtfParagraph paragraph = Paragraph();
    for (const char32_t c : prefix) m_writer.Char(c, paragraph, m_prefixRun);
}

void Translator::ResetMarker() {
    m_markerSeen = false;
    m_marker.clear();
}

void Translator::EndParagraph() {
    FlushPrefix();
    m_writer.EndParagraph();
    ResetMarker();
}

void Translator::FontTableText(char32_t c) {
    if (m_fontEntry < 0) return;
    Font& font = m_fonts[m_fontEntry];
    if (c == U';') {
        while (!font.Name.empty() && font.Name.back() == ' ') font.Name.pop_back();
        m_fontEntry = -1;
        return;
    }
    if (font.Name.size() >= kNameLimit || (font.Name.empty() && c == U' ')) return;
    AppendUtf8(c, font.Name);
}

void Translator::ColourTableEnd() {
    m_colours.push_back(m_colourEntry);
    m_colourEntry = Colour{};
}

int Translator::CodePage() const {
    const Group& group = Top();
    const int number = group.Font >= 0 ? group.Font : m_defaultFont;
    const auto font = m_fonts.find(number);
    if (font != m_fonts.end() && font->second.CodePage != 0) return font->second.CodePage;
    return m_codePage;
}

RtfParagraph Translator::Paragraph() const {
    const Group& group = Top();
    RtfParagraph paragraph;
    paragraph.Alignment = group.Alignment;
    paragraph.InTable = group.InTable;
    if (m_markerSeen)
        paragraph.ListKind = m_marker.empty() ? RtfParagraph::List::Bullets : MarkerKind(m_marker);
    if (paragraph.ListKind == RtfParagraph::List::None && (m_markerSeen || group.ListLevel))
        paragraph.ListKind = RtfParagraph::List::Bullets;
    return paragraph;
}

const RtfRun& Translator::CurrentRun() {
    if (!m_runDirty) return m_run;
    m_runDirty = false;
    const Group& group = Top();
    m_run.Bold = group.Bold;
    m_run.Italic = group.Italic;
    m_run.Underline = group.Underline;
    m_run.FontAttributes.clear();
    if (group.Font >= 0 && group.Font != m_defaultFont) {
        const auto font = m_fonts.find(group.Font);
        if (font == m_fonts.end() || font->second.Name.empty()) {
            Note("Font " + std::to_string(group.Font) +
                 " is not in the font table: the default font is used.");
        } else {
            m_run.FontAttributes += " FACE=\"" + EscapeText(font->second.Name) + "\"";
        }
    }
    if (group.Colour >= 0) {
        if (static_cast<size_t>(group.Colour) >= m_colours.size()) {
            if (group.Colour > 0)
                Note("Colour " + std::to_string(group.Colour) +
                     " is not in the colour table: the default colour is used.");
        } else if (const Colour& colour = m_colours[static_cast<size_t>(group.Colour)];
                   !colour.Auto) {
            static const char kHex[] = "0123456789ABCDEF";
            m_run.FontAttributes += " COLOR=\"#";
            for (const int component : {colour.Red, colour.Green, colour.Blue}) {
                m_run.FontAttributes += kHex[component >> 4];
                m_run.FontAttributes += kHex[component & 15];
            }
            m_run.FontAttributes += '"';
        }
    }
    const int size = HtmlSize(group.HalfPoints);
    if (size != HtmlSize(kDefaultHalfPoints))
        m_run.FontAttributes += " SIZE=\"" + std::to_string(size) + "\"";
    return m_run;
}

void Translator::Note(std::string note) {
    if (m_notes.size() >= kMaxNotes || !m_noted.insert(note).second) return;
    m_notes.push_back(std::move(note));
}

void Translator::SkipBinary(int32_t count) {
    if (count <= 0) return;
    m_pos += std::min(static_cast<size_t>(count), m_in.size() - m_pos);
}

}  // namespace

RtfTranslation TranslateRtf(std::string_view rtf) { return Translator(rtf).Run(); }

std::string BuildRtfPage(const RtfTranslation& translation, std::string_view keywords,
                         std::string_view title, std::string_view description,
                         const BodyFields& body) {
    std::string head = BuildHeadSection(keywords, title, description);
    // The page is written in UTF-8 and says so, for browsers and for the editor.
    constexpr std::string_view kHeadStart = "<head>\r\n";
    if (head.starts_with(kHeadStart))
        head.insert(kHeadStart.size(),
                    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n");
    std::string page = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n";
    page += head;
    page += BuildBodyTag(body);
    page += translation.Body;
    page += "\r\n</body>\r\n</html>";
    return page;
}

}  // namespace quinkle

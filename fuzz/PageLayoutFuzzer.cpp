// A header template, a page setup, a font and lines taken from arbitrary bytes: laying out and
// composing every page may throw the layout's own error but never crash or hang, the rows of
// a page cover its lines in order, and the template keeps every character that is no code.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/print/PageLayout.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Reads the input front to back; past its end every value is 0.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    // A length in points from two bytes, now and then a value no page has.
    double Length() {
        const int value = Byte() << 8 | Byte();
        if (value == 0xFFFF) return -1;
        if (value == 0xFFFE) return 1e300;
        return value / 64.0;
    }
    std::string_view Text() {
        const size_t length = std::min<size_t>(Byte(), m_size - m_at);
        std::string_view text(reinterpret_cast<const char*>(m_data + m_at), length);
        m_at += length;
        return text;
    }
    std::string_view Rest() {
        std::string_view rest(reinterpret_cast<const char*>(m_data + m_at), m_size - m_at);
        m_at = m_size;
        return rest;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// A font whose widths come from the input, some of them 0.
class FuzzFont : public quinkle::FontMetrics {
public:
    explicit FuzzFont(Input& input) : m_lineHeight(input.Length()), m_column(input.Length()) {
        for (double& width : m_widths) width = input.Byte() % 5 == 0 ? 0 : input.Length();
    }
    double LineHeight() const override { return m_lineHeight; }
    double Advance(char32_t code) const override { return m_widths[code % 8]; }
    double ColumnWidth() const override { return m_column; }

private:
    double m_lineHeight;
    double m_column;
    double m_widths[8] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    const std::string pattern(input.Text());
    const quinkle::TemplateValues values{3, 7, "Title &p", {2026, 12, 10, 16, 30}};
    const quinkle::TemplateParts parts = quinkle::ExpandTemplate(pattern, values);
    size_t plain = 0;  // characters of the template outside any "&" code
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '&' && i + 1 < pattern.size())
            ++i;
        else
            ++plain;
    }
    Require(parts.Left.size() + parts.Centre.size() + parts.Right.size() >= plain);

    quinkle::PageSetup setup;
    setup.Width = input.Length() * 4;
    setup.Height = input.Length() * 4;
    setup.Margins = {input.Length(), input.Length(), input.Length(), input.Length()};
    setup.BorderOffset = input.Length();
    setup.Header = pattern;
    setup.Footer = std::string(input.Text());
    const FuzzFont font(input);
    quinkle::EditorSettings tabs;
    tabs.SetTabDefault(1 + input.Byte() % 16);
    const uint8_t flags = input.Byte();

    quinkle::PrintText text;
    text.TextCharset = flags & 1 ? quinkle::Charset::Windows1250 : quinkle::Charset::Utf8;
    std::string_view rest = input.Rest();
    for (size_t start = 0; start <= rest.size();) {
        size_t end = std::min(rest.find('\n', start), rest.size());
        text.Lines.emplace_back(rest.substr(start, end - start));
        text.Styles.push_back({{static_cast<int32_t>(start % 7) - 1,
                                static_cast<int32_t>(end % 11) - 2,
                                {0xFF0000, true, false, true}}});
        start = end + 1;
    }
    try {
        const quinkle::PageLayout layout(text, setup, font, tabs);
        Require(layout.PageCount() >= 1 && layout.PageCount() <= layout.RowCount());
        int32_t line = 0;
        int32_t at = 0;
        for (int page = 1; page <= layout.PageCount() && page <= 64; ++page) {
            for (const quinkle::PlacedRow& row : layout.Rows(page)) {
                // Each row goes on where the last one ended, or starts the next line.
                if (row.Line != line) {
                    Require(row.Line == line + 1 &&
                            at == static_cast<int32_t>(text.Lines[line].size()));
                    line = row.Line;
                    at = 0;
                }
                Require(row.Start == at && (row.End > row.Start || text.Lines[line].empty()));
                at = row.End;
                for (const quinkle::TextPiece& piece : layout.Pieces(row))
                    Require(!piece.Text.empty());
            }
            layout.Decorations(page, values.Stamp);
        }
    } catch (const quinkle::EPrintLayout&) {
    }
    return 0;
}

// Measuring printed rows: the breaks at the body's width and the pieces a row is printed in.
#include "engine/print/RowBreaker.h"

#include <algorithm>
#include <climits>

#include "engine/editor/DisplayColumns.h"
#include "engine/print/PageSetup.h"
#include "engine/text/TextRow.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

// Sums of widths are rounded: a row that fills the width exactly must still fit.
constexpr double kSlack = 1e-6;
// Widths beyond any page; a font that claims more is measured as this.
constexpr double kMaxWidth = 1e5;

bool IsBlank(char c) { return c == ' ' || c == kTab; }

// What prints for a character: control characters as their pictures.
char32_t Printed(char32_t code) {
    if (code < 0x20) return 0x2400 + code;
    if (code == 0x7F) return 0x2421;
    return code;
}

}  // namespace

RowBreaker::RowBreaker(const FontMetrics& metrics, const EditorSettings& tabs, Charset charset,
                       double width)
    : m_metrics(metrics),
      m_tabs(tabs),
      m_charset(charset),
      m_width(width),
      m_columnWidth(metrics.ColumnWidth()) {
    // Tab stops are counted in columns as whole numbers: a column must not be so narrow that a
    // row of the widest page holds more of them than an int32_t counts.
    if (!(m_columnWidth >= 1e-3 && m_columnWidth <= kMaxWidth))
        throw EPrintLayout("The printer font cannot be measured.");
    if (!(m_width <= kMaxWidth)) m_width = kMaxWidth;
    for (char32_t code = 0; code < m_asciiWidth.size(); ++code)
        m_asciiWidth[code] = Width(Printed(code));
}

double RowBreaker::Width(char32_t code) const {
    if (code < m_asciiWidth.size() && m_asciiWidth[code] > 0) return m_asciiWidth[code];
    const double width = m_metrics.Advance(code);
    if (!(width >= 0)) return 0;
    return std::min(width, kMaxWidth);
}

RowBreaker::Step RowBreaker::Advance(std::string_view line, int32_t i, int32_t column,
                                     double x) const {
    const auto byte = static_cast<unsigned char>(line[static_cast<size_t>(i)]);
    if (byte < 0x80 && byte != kTab)  // one byte, one column, as the editor counts it
        return {i + 1, column + 1, x + m_asciiWidth[byte], Printed(byte)};
    const auto size = static_cast<int32_t>(std::min<size_t>(line.size(), INT32_MAX));
    const ColumnStep step =
        StepDisplayColumn(line.data(), size, i, column, m_tabs, m_charset == Charset::Utf8);
    if (byte == kTab) {
        // The editor's stop, or with wide characters before it the first stop beyond them.
        int32_t stop = step.NextColumn;
        if (stop * m_columnWidth <= x + kSlack) {
            stop = m_tabs.NextTabStop(static_cast<int32_t>(x / m_columnWidth));
            if (stop * m_columnWidth <= x + kSlack) stop = m_tabs.NextTabStop(stop);
        }
        return {step.NextIndex, stop, stop * m_columnWidth, 0};
    }
    char32_t code = 0;
    if (m_charset != Charset::Utf8 ||
        DecodeUtf8(line.data() + i, static_cast<size_t>(step.NextIndex - i), code) == 0)
        code = DecodeByte(m_charset, byte);
    code = Printed(code);
    return {step.NextIndex, step.NextColumn, x + Width(code), code};
}

void RowBreaker::Break(std::string_view line, std::vector<int32_t>& ends) const {
    const auto size = static_cast<int32_t>(std::min<size_t>(line.size(), INT32_MAX));
    int32_t start = 0;
    do {
        int32_t i = start;
        int32_t column = 0;
        double x = 0;
        int32_t lastBreak = -1;  // after the last blank that follows other characters
        bool printed = false;    // the row holds a character other than a blank
        int32_t end = size;
        while (i < size) {
            const Step step = Advance(line, i, column, x);
            const bool blank = IsBlank(line[static_cast<size_t>(i)]);
            if (step.X > m_width + kSlack && i > start) {
                if (blank) {
                    end = step.Next;
                    while (end < size && IsBlank(line[static_cast<size_t>(end)])) ++end;
                } else {
                    end = lastBreak > start ? lastBreak : i;
                }
                break;
            }
            if (!blank)
                printed = true;
            else if (printed)
                lastBreak = step.Next;
            i = step.Next;
            column = step.Column;
            x = step.X;
        }
        ends.push_back(end);
        start = end;
    } while (start < size);
}

void RowBreaker::Pieces(std::string_view line, int32_t start, int32_t end,
                        std::span<const StyleRun> styles, std::vector<TextPiece>& out) const {
    const auto size = static_cast<int32_t>(std::min<size_t>(line.size(), INT32_MAX));
    end = std::clamp(end, 0, size);
    size_t run = 0;
    int32_t column = 0;
    double x = 0;
    bool open = false;  // the last piece takes the next character when the style stays
    for (int32_t i = std::max(start, 0); i < end;) {
        // Only blanks follow there, hanging past the width.
        if (IsBlank(line[static_cast<size_t>(i)]) && x >= m_width - kSlack) break;
        const Step step = Advance(line, i, column, x);
        if (step.Code == 0) {
            open = false;
        } else {
            while (run < styles.size() &&
                   int64_t{styles[run].Start} + styles[run].Length <= int64_t{i})
                ++run;
            const PrintStyle style =
                run < styles.size() && styles[run].Start <= i ? styles[run].Style : PrintStyle{};
            if (!open || out.back().Style != style) {
                out.push_back({x, {}, style});
                open = true;
            }
            AppendUtf8(step.Code, out.back().Text);
        }
        i = step.Next;
        column = step.Column;
        x = step.X;
    }
}

double RowBreaker::TextWidth(std::string_view utf8) const {
    double width = 0;
    for (size_t i = 0; i < utf8.size();) {
        char32_t code = 0;
        size_t size = DecodeUtf8(utf8.data() + i, utf8.size() - i, code);
        if (size == 0) {
            code = DecodeByte(Charset::Utf8, static_cast<unsigned char>(utf8[i]));
            size = 1;
        }
        width += Width(Printed(code));
        i += size;
    }
    return width;
}

}  // namespace quinkle

// How a printed line is measured: where its rows end at the body's width, and the pieces of
// text, with their places and styles, that a row is printed in.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/print/FontMetrics.h"
#include "engine/print/PrintText.h"
#include "engine/scheme/EditorSettings.h"
#include "engine/text/Charset.h"

namespace quinkle {

/// A stretch of a row printed in one go: its left edge from the row's start, its characters
/// as UTF-8, its style.
struct TextPiece {
    double X = 0;
    std::string Text;
    PrintStyle Style;
};

/// Measures the characters of lines in a charset. A character advances by its width in the
/// font; a TAB moves to the editor's next tab stop (counted in the font's column widths from
/// the start of the row) that lies beyond the text before it. A control character prints as
/// its Unicode control picture (U+2400 + code, U+2421 for DEL).
class RowBreaker {
public:
    /// Rows are at most `width` points wide. The metrics and the settings must outlive the
    /// breaker. Throws EPrintLayout when the metrics give no usable column width.
    RowBreaker(const FontMetrics& metrics, const EditorSettings& tabs, Charset charset,
               double width);

    /// Appends to `ends` the byte offset after each row of `line`, the last one being its
    /// length; an empty line is one empty row. A row holds at least one character, and ends
    /// at the last blank (space or TAB) that follows other characters of the row when the next
    /// character does not fit, else before that character; blanks that do not fit stay at the
    /// end of their row, past the width, so no row but a line's first begins with one.
    void Break(std::string_view line, std::vector<int32_t>& ends) const;

    /// Appends the pieces of the row of `line` from byte `start` to `end`. A piece ends where
    /// the style changes and at a TAB, which prints nothing; blanks from the width on are left
    /// out. `styles` are the line's style runs (see PrintText).
    void Pieces(std::string_view line, int32_t start, int32_t end, std::span<const StyleRun> styles,
                std::vector<TextPiece>& out) const;

    /// The width of UTF-8 text on one line, TABs and control characters measured as their
    /// pictures.
    double TextWidth(std::string_view utf8) const;

private:
    // Where the row stands after one character.
    struct Step {
        int32_t Next;
        int32_t Column;
        double X;
        char32_t Code;  // what is printed: 0 for a TAB
    };

    Step Advance(std::string_view line, int32_t i, int32_t column, double x) const;
    double Width(char32_t code) const;

    const FontMetrics& m_metrics;
    const EditorSettings& m_tabs;
    Charset m_charset;
    double m_width;
    double m_columnWidth;
    std::array<double, 128> m_asciiWidth{};  // the widths of the ASCII pictures, asked once
};

}  // namespace quinkle

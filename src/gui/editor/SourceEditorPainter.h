// Paints the visible rows of an editor: gutter, margin, text runs, marks, lines and caret.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QTextCharFormat>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "engine/editor/SourceEditor.h"
#include "engine/text/Charset.h"

class QPainter;

namespace quinkle {

/// Fonts, cell metrics and colours of the view.
struct EditorLook {
    /// Takes `font` and measures its cell. The cell width is the whole-pixel advance of the
    /// font; a fixed-pitch font is letter-spaced so that every character advances by exactly
    /// the cell width, and text of any other font is drawn one character per cell.
    void SetFont(const QFont& font);

    QFont Font;
    QFont GutterFont;
    int CharWidth = 8;
    int LineHeight = 16;
    int Ascent = 12;
    bool FixedPitch = true;
    /// The charset the document's bytes are read in.
    Charset TextCharset = Charset::Utf8;

    QColor Text;
    QColor Base;
    QColor Gutter;
    QColor GutterText;
    QColor Margin;
    QColor SelText;
    QColor SelBack;
    QColor RightMarginLine{192, 192, 192};
    QColor WrapColumnLine{160, 192, 224};
    QColor BookmarkFill{0, 96, 192};
    QColor Marks{128, 128, 128};
    /// The boxes that show control bytes (NUL, ESC, ...) of the text.
    QColor ControlChars{200, 0, 120};
    /// Background of the text under range marks (found matches shown all at once).
    QColor MarkBack{255, 240, 120};
};

/// What is drawn besides the text.
struct CaretLook {
    bool Visible = false;     ///< the caret, in its blink phase
    bool Block = false;       ///< a block rather than a bar
    int32_t DropOffset = -1;  ///< where a drag would drop, or -1
};

/// Pixel width of the gutter under `settings` (0 when it is hidden).
int GutterWidth(const EditorSettings& settings);
/// Viewport x of text column 0 with the view scrolled fully left.
int TextLeftOf(const EditorSettings& settings);

/// Paints one view of an editor. Only the rows that meet the dirty rectangle are looked at,
/// so the cost follows the window's size, never the document's.
class SourceEditorPainter {
public:
    using TokenFormatter = std::function<QTextCharFormat(uint8_t token)>;

    SourceEditorPainter(const SourceEditor& editor, const EditorLook& look,
                        const TokenFormatter& formatter, QSize viewport);

    void Paint(QPainter& painter, const QRect& dirty, const CaretLook& caret);

    /// The viewport rectangle of the character cell at `offset` (the caret's cell).
    QRect CellRect(int32_t offset, int32_t beyond) const;

private:
    struct RunStyle {
        QColor Foreground;
        QColor Background;  // invalid: none of its own
        int FontIndex = 0;  // bits: 1 bold, 2 italic, 4 underline, 8 strike-out
    };
    struct Run {
        QString Text;
        int32_t FirstColumn = 0;
        int32_t EndColumn = 0;
        uint8_t Token = 0;
        bool Selected = false;
    };
    struct RowPaint {
        const TextRow* Row = nullptr;  // null for the empty line after the last line end
        int32_t Number = 0;
        int32_t Start = 0;
        int Y = 0;
        int32_t Line = 0;  // the logical line, numbered in the gutter on its first row
    };

    void PaintRow(QPainter& painter, const RowPaint& row);
    void PaintGutter(QPainter& painter, const RowPaint& row);
    void PaintBookmark(QPainter& painter, int y, int n);
    void PaintWrapGlyph(QPainter& painter, int x, int y);
    void PaintText(QPainter& painter, const RowPaint& row);
    void CollectMarks(int32_t from, int32_t to);
    void PaintMarks(QPainter& painter, const RowPaint& row);
    void PaintLineEndMarks(QPainter& painter, const RowPaint& row, int32_t column);
    void AddToRun(QPainter& painter, Run& run, char32_t code, int32_t column, uint8_t token,
                  bool selected, int y);
    void FlushRun(QPainter& painter, Run& run, int y);
    void PaintControl(QPainter& painter, char32_t code, int32_t column, uint8_t token,
                      bool selected, int y);
    void FillCells(QPainter& painter, int32_t from, int32_t to, int y, const QColor& colour);
    void PaintLines(QPainter& painter);
    void PaintCaret(QPainter& painter, const CaretLook& caret);
    const RunStyle& StyleOf(uint8_t token);
    /// The character that the `size` bytes at `bytes` stand for in the text's charset.
    char32_t CodeAt(const char* bytes, int32_t size) const;
    const QFont& FontOf(int index);
    int ColumnX(int32_t column) const;

    const SourceEditor& m_editor;
    const EditorSettings& m_settings;
    const EditorLook& m_look;
    const TokenFormatter& m_formatter;
    QSize m_viewport;
    int m_gutterWidth = 0;
    int m_textLeft = 0;
    int32_t m_leftColumn = 0;
    int32_t m_endColumn = 0;  // first column past the right edge
    int32_t m_selStart = 0;
    int32_t m_selEnd = 0;
    std::array<std::optional<RunStyle>, 256> m_styles;
    std::array<std::optional<QFont>, 16> m_fonts;
    int m_currentFont = -1;
    std::vector<std::pair<int32_t, int32_t>> m_marks;  // visible range marks, by start
};

}  // namespace quinkle

// Paints the visible rows of an editor: gutter, margin, text runs, marks, lines and caret.
#include "gui/editor/SourceEditorPainter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

#include "engine/editor/DisplayColumns.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

constexpr int kBold = 1;
constexpr int kItalic = 2;
constexpr int kUnderline = 4;
constexpr int kStrikeOut = 8;

// Width of the bookmark glyph and the space kept between line numbers and the text margin.
constexpr int kBookmarkWidth = 13;
constexpr int kGutterPadding = 4;

void AppendCode(QString& text, char32_t code) {
    if (QChar::requiresSurrogates(code)) {
        text += QChar(QChar::highSurrogate(code));
        text += QChar(QChar::lowSurrogate(code));
    } else {
        text += QChar(static_cast<char16_t>(code));
    }
}

// A control byte other than TAB and the line end: it has no glyph of its own.
bool IsControl(char32_t code) { return code < 0x20 || code == 0x7F; }

}  // namespace

// ---- look ----

void EditorLook::SetFont(const QFont& font) {
    Font = font;
    Font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    FixedPitch = QFontInfo(Font).fixedPitch();
    qreal advance = QFontMetricsF(Font).horizontalAdvance(QLatin1Char('M'));
    CharWidth = std::max(1, static_cast<int>(std::lround(advance)));
    // Runs of text are drawn in one go, so a fractional advance would drift off the grid
    // that the caret and the mouse use.
    if (FixedPitch && std::abs(CharWidth - advance) > 0.001)
        Font.setLetterSpacing(QFont::AbsoluteSpacing, CharWidth - advance);
    QFontMetrics metrics(Font);
    LineHeight = std::max(1, metrics.height());
    Ascent = metrics.ascent();
    GutterFont = Font;
    GutterFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    if (Font.pointSizeF() > 0)
        GutterFont.setPointSizeF(std::max(6.0, Font.pointSizeF() * 0.8));
    else if (Font.pixelSize() > 0)
        GutterFont.setPixelSize(std::max(8, Font.pixelSize() * 4 / 5));
}

int GutterWidth(const EditorSettings& settings) {
    return settings.Has(smoShowGutter) ? std::max(0, settings.Gutter) : 0;
}

int TextLeftOf(const EditorSettings& settings) {
    return GutterWidth(settings) + std::max(0, settings.Margin);
}

// ---- painter ----

SourceEditorPainter::SourceEditorPainter(const SourceEditor& editor, const EditorLook& look,
                                         const TokenFormatter& formatter, QSize viewport)
    : m_editor(editor),
      m_settings(editor.Settings()),
      m_look(look),
      m_formatter(formatter),
      m_viewport(viewport),
      m_gutterWidth(GutterWidth(m_settings)),
      m_textLeft(TextLeftOf(m_settings)),
      m_leftColumn(editor.LeftColumn()),
      m_selStart(editor.SelStart()),
      m_selEnd(editor.SelEnd()) {
    m_endColumn = m_leftColumn + std::max(0, viewport.width() - m_textLeft) / look.CharWidth + 2;
}

int SourceEditorPainter::ColumnX(int32_t column) const {
    return m_textLeft + (column - m_leftColumn) * m_look.CharWidth;
}

QRect SourceEditorPainter::CellRect(int32_t offset, int32_t beyond) const {
    int32_t row = m_editor.LineFromChar(offset) - m_editor.TopRow();
    int32_t column = m_editor.DisplayColumn(offset) + beyond;
    return {ColumnX(column), row * m_look.LineHeight, m_look.CharWidth, m_look.LineHeight};
}

void SourceEditorPainter::Paint(QPainter& painter, const QRect& dirty, const CaretLook& caret) {
    const int lineHeight = m_look.LineHeight;
    const QRect textArea(m_textLeft, 0, std::max(0, m_viewport.width() - m_textLeft),
                         m_viewport.height());
    if (m_gutterWidth > 0)
        painter.fillRect(QRect(0, dirty.top(), m_gutterWidth, dirty.height()), m_look.Gutter);
    painter.fillRect(QRect(m_gutterWidth, dirty.top(), m_textLeft - m_gutterWidth, dirty.height()),
                     m_look.Margin);
    painter.fillRect(textArea & dirty, m_look.Base);

    // The rows that meet the dirty rectangle, found from the top row downwards.
    const TextStore& store = m_editor.Store();
    const int32_t rowCount = store.RowCount();
    const int32_t lastLine = store.LineFromChar(store.CharCount());
    const int firstVisible = std::max(0, dirty.top() / lineHeight);
    const int lastVisible = std::max(0, dirty.bottom()) / lineHeight;
    int32_t number = m_editor.TopRow() + firstVisible;
    int32_t start = store.RowStart(std::min(number, rowCount));
    int32_t line = store.LineOfRow(std::min(number, rowCount));
    std::vector<RowPaint> rows;
    for (int v = firstVisible; v <= lastVisible && number <= lastLine; ++v, ++number) {
        RowPaint row{number < rowCount ? store.Row(number) : nullptr, number, start, v * lineHeight,
                     line};
        if (row.Row) start += row.Row->Len;
        if (row.Row && row.Row->EndsWithCR()) ++line;
        rows.push_back(row);
    }

    for (const RowPaint& row : rows) PaintGutter(painter, row);
    if (!rows.empty()) CollectMarks(rows.front().Start, start);
    painter.save();
    painter.setClipRect(textArea & dirty);
    painter.setFont(m_look.Font);
    m_currentFont = 0;
    for (const RowPaint& row : rows) {
        PaintMarks(painter, row);
        PaintText(painter, row);
    }
    PaintLines(painter);
    PaintCaret(painter, caret);
    painter.restore();
}

// ---- gutter ----

void SourceEditorPainter::PaintGutter(QPainter& painter, const RowPaint& row) {
    if (m_gutterWidth == 0) return;
    bool continuation = row.Row && row.Row->IsContinuation();
    if (m_settings.Has(smoLineNumbers) && !continuation) {
        painter.setFont(m_look.GutterFont);
        painter.setPen(m_look.GutterText);
        QRect box(0, row.Y, m_gutterWidth - kGutterPadding, m_look.LineHeight);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(row.Line + 1));
    }
    if (continuation && m_settings.Has(smoShowWrapGlyph))
        PaintWrapGlyph(painter, m_gutterWidth - 12, row.Y);
    // Over a long line number rather than under it: the mark is what the eye looks for.
    uint16_t marks = row.Row ? row.Row->MarkBits & kBookmarkBits : 0;
    if (marks) PaintBookmark(painter, row.Y, std::countr_zero(marks));
}

void SourceEditorPainter::PaintBookmark(QPainter& painter, int y, int n) {
    QRectF box(1.5, y + 1.5, std::min(kBookmarkWidth, m_gutterWidth - 2) - 1.0,
               m_look.LineHeight - 3.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_look.BookmarkFill.darker(140));
    painter.setBrush(m_look.BookmarkFill);
    painter.drawRoundedRect(box, 3, 3);
    painter.setFont(m_look.GutterFont);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, QString::number(n));
    painter.restore();
}

void SourceEditorPainter::PaintWrapGlyph(QPainter& painter, int x, int y) {
    // A hooked arrow: down, then right into the row.
    const int h = m_look.LineHeight;
    const int bottom = y + h * 2 / 3;
    painter.setPen(m_look.Marks);
    painter.drawLine(x + 2, y + 3, x + 2, bottom);
    painter.drawLine(x + 2, bottom, x + 9, bottom);
    painter.drawLine(x + 6, bottom - 3, x + 9, bottom);
    painter.drawLine(x + 6, bottom + 3, x + 9, bottom);
}

// ---- range marks ----

void SourceEditorPainter::CollectMarks(int32_t from, int32_t to) {
    m_marks.clear();
    for (const RangeMark* mark = m_editor.FirstMark(); mark; mark = m_editor.NextMark(mark))
        if (mark->End > mark->Start && mark->Start < to && mark->End > from)
            m_marks.emplace_back(mark->Start, mark->End);
    std::sort(m_marks.begin(), m_marks.end());
}

void SourceEditorPainter::PaintMarks(QPainter& painter, const RowPaint& row) {
    if (!row.Row || m_marks.empty()) return;
    const TextRow& text = *row.Row;
    const int32_t length = text.TextLength();
    const bool utf8 = m_look.TextCharset == Charset::Utf8;
    auto columnAt = [&](int32_t index) {
        return DisplayColumnAt(text.Text(), length, index, m_settings, utf8);
    };
    for (const auto& [start, end] : m_marks) {
        if (start >= row.Start + length) break;
        if (end <= row.Start) continue;
        int32_t first = columnAt(std::max(start - row.Start, 0));
        int32_t last = columnAt(std::min(end - row.Start, length));
        if (last > first) FillCells(painter, first, last, row.Y, m_look.MarkBack);
    }
}

// ---- text ----

void SourceEditorPainter::PaintText(QPainter& painter, const RowPaint& row) {
    if (!row.Row) return;  // the empty line after the last line end holds no text
    const TextRow& text = *row.Row;
    const char* bytes = text.Text();
    const int32_t length = text.TextLength();
    const int32_t selFrom = m_selStart - row.Start;
    const int32_t selTo = m_selEnd - row.Start;
    const bool utf8 = m_look.TextCharset == Charset::Utf8;
    Run run;
    int32_t column = 0;
    for (int32_t i = 0; i < length && column < m_endColumn;) {
        bool selected = i >= selFrom && i < selTo;
        uint8_t token = text.Styles ? text.Styles[i] : 0;
        const ColumnStep step = StepDisplayColumn(bytes, length, i, column, m_settings, utf8);
        if (bytes[i] == kTab) {
            if (step.NextColumn > m_leftColumn) {
                FlushRun(painter, run, row.Y);
                QColor back = selected ? m_look.SelBack : StyleOf(token).Background;
                if (back.isValid()) FillCells(painter, column, step.NextColumn, row.Y, back);
            }
            column = step.NextColumn;
            i = step.NextIndex;
            continue;
        }
        const char32_t code = CodeAt(bytes + i, step.NextIndex - i);
        if (column >= m_leftColumn && IsControl(code)) {
            FlushRun(painter, run, row.Y);
            PaintControl(painter, code, column, token, selected, row.Y);
        } else if (column >= m_leftColumn) {
            // Characters outside ASCII may come from a fallback font of another width, so
            // each gets a cell of its own.
            bool alone = code >= 0x80 || !m_look.FixedPitch;
            if (alone) FlushRun(painter, run, row.Y);
            AddToRun(painter, run, code, column, token, selected, row.Y);
            if (alone) FlushRun(painter, run, row.Y);
        }
        column = step.NextColumn;
        i = step.NextIndex;
    }
    FlushRun(painter, run, row.Y);
    if (text.EndsWithCR() && length >= selFrom && length < selTo)
        FillCells(painter, column, column + 1, row.Y, m_look.SelBack);
    PaintLineEndMarks(painter, row, column);
}

void SourceEditorPainter::PaintLineEndMarks(QPainter& painter, const RowPaint& row,
                                            int32_t column) {
    if (!m_settings.Has(smoShowAllChars) || column >= m_endColumn) return;
    const TextRow& text = *row.Row;
    if (text.EndsWithCR()) {
        int32_t at = row.Start + text.TextLength();
        bool selected = at >= m_selStart && at < m_selEnd;
        painter.setPen(selected ? m_look.SelText : m_look.Marks);
        painter.drawText(ColumnX(column), row.Y + m_look.Ascent, QStringLiteral("\u00B6"));
    } else if (m_settings.Has(smoWordWrap) && row.Number + 1 < m_editor.Store().RowCount()) {
        PaintWrapGlyph(painter, ColumnX(column), row.Y);
    }
}

void SourceEditorPainter::PaintControl(QPainter& painter, char32_t code, int32_t column,
                                       uint8_t token, bool selected, int y) {
    // The letter of its caret notation (NUL "@", SOH "A", ESC "[", DEL "?") on a box of a
    // colour of its own: every font has those letters, and the box tells them from text.
    QColor back = selected ? m_look.SelBack : StyleOf(token).Background;
    if (back.isValid()) FillCells(painter, column, column + 1, y, back);
    const QRect cell(ColumnX(column), y, m_look.CharWidth, m_look.LineHeight);
    painter.fillRect(cell.adjusted(0, 1, -1, -1), m_look.ControlChars);
    painter.setPen(m_look.Base);
    const char letter = static_cast<char>(code == 0x7F ? '?' : '@' + code);
    painter.drawText(cell.left(), y + m_look.Ascent, QString(QLatin1Char(letter)));
}

char32_t SourceEditorPainter::CodeAt(const char* bytes, int32_t size) const {
    const auto first = static_cast<unsigned char>(bytes[0]);
    if (m_look.TextCharset != Charset::Utf8) return DecodeByte(m_look.TextCharset, first);
    char32_t code;
    // A byte that starts no valid sequence shows as the Windows-1252 character it would be.
    if (DecodeUtf8(bytes, static_cast<size_t>(size), code) == 0) return Windows1252ToUnicode(first);
    return code;
}

void SourceEditorPainter::AddToRun(QPainter& painter, Run& run, char32_t code, int32_t column,
                                   uint8_t token, bool selected, int y) {
    bool continues = !run.Text.isEmpty() && run.EndColumn == column && run.Token == token &&
                     run.Selected == selected;
    if (!continues) {
        FlushRun(painter, run, y);
        run.FirstColumn = column;
        run.Token = token;
        run.Selected = selected;
    }
    AppendCode(run.Text, code);
    run.EndColumn = column + 1;
}

void SourceEditorPainter::FlushRun(QPainter& painter, Run& run, int y) {
    if (run.Text.isEmpty()) return;
    const RunStyle& style = StyleOf(run.Token);
    QColor back = run.Selected ? m_look.SelBack : style.Background;
    if (back.isValid()) FillCells(painter, run.FirstColumn, run.EndColumn, y, back);
    painter.setPen(run.Selected ? m_look.SelText : style.Foreground);
    if (m_currentFont != style.FontIndex) {
        painter.setFont(FontOf(style.FontIndex));
        m_currentFont = style.FontIndex;
    }
    painter.drawText(ColumnX(run.FirstColumn), y + m_look.Ascent, run.Text);
    run.Text.clear();
}

void SourceEditorPainter::FillCells(QPainter& painter, int32_t from, int32_t to, int y,
                                    const QColor& colour) {
    int32_t first = std::max(from, m_leftColumn);
    if (to <= first) return;
    painter.fillRect(ColumnX(first), y, (to - first) * m_look.CharWidth, m_look.LineHeight, colour);
}

const SourceEditorPainter::RunStyle& SourceEditorPainter::StyleOf(uint8_t token) {
    std::optional<RunStyle>& slot = m_styles[token];
    if (slot) return *slot;
    RunStyle style{m_look.Text, QColor(), 0};
    if (m_formatter) {
        QTextCharFormat format = m_formatter(token);
        if (format.foreground().style() != Qt::NoBrush)
            style.Foreground = format.foreground().color();
        if (format.background().style() != Qt::NoBrush)
            style.Background = format.background().color();
        if (format.hasProperty(QTextFormat::FontWeight) && format.fontWeight() >= QFont::DemiBold)
            style.FontIndex |= kBold;
        if (format.fontItalic()) style.FontIndex |= kItalic;
        if (format.fontUnderline()) style.FontIndex |= kUnderline;
        if (format.fontStrikeOut()) style.FontIndex |= kStrikeOut;
    }
    slot = style;
    return *slot;
}

const QFont& SourceEditorPainter::FontOf(int index) {
    if (index == 0) return m_look.Font;
    std::optional<QFont>& slot = m_fonts[index];
    if (!slot) {
        QFont font = m_look.Font;
        font.setBold(index & kBold);
        font.setItalic(index & kItalic);
        font.setUnderline(index & kUnderline);
        font.setStrikeOut(index & kStrikeOut);
        slot = font;
    }
    return *slot;
}

// ---- lines and caret ----

void SourceEditorPainter::PaintLines(QPainter& painter) {
    auto line = [&](int32_t column, const QColor& colour) {
        int x = ColumnX(column);
        if (x < m_textLeft || x >= m_viewport.width()) return;
        painter.setPen(colour);
        painter.drawLine(x, 0, x, m_viewport.height());
    };
    if (m_settings.Has(smoShowRMargin) && m_settings.RightMargin > 0)
        line(m_settings.RightMargin, m_look.RightMarginLine);
    if (m_settings.Has(smoShowWrapColumn) && m_settings.WrapAtColumn > 0)
        line(m_settings.WrapAtColumn, m_look.WrapColumnLine);
}

void SourceEditorPainter::PaintCaret(QPainter& painter, const CaretLook& caret) {
    if (caret.DropOffset >= 0) {
        QRect cell = CellRect(caret.DropOffset, 0);
        painter.fillRect(cell.left(), cell.top(), 2, cell.height(), m_look.Marks);
    }
    if (!caret.Visible) return;
    QRect cell = CellRect(m_editor.Caret(), m_editor.CaretBeyondEnd());
    if (caret.Block) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(cell, Qt::white);
        painter.restore();
    } else {
        painter.fillRect(cell.left(), cell.top(), 2, cell.height(), m_look.Text);
    }
}

}  // namespace quinkle

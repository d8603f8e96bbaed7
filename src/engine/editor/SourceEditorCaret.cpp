// Caret movement, word boundaries, mouse placement and numbered bookmarks.
#include <algorithm>

#include "engine/editor/SourceEditor.h"
#include "engine/text/EditorError.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

// How far past a line end the caret may stand.
constexpr int32_t kMaxBeyondEnd = 2047;

bool IsBlank(char c) { return c == ' ' || c == kTab; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsUtf8Byte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

// ---- rows and characters ----

SourceEditor::RowSpan SourceEditor::SpanOfRow(int32_t row) const {
    if (row >= m_store->RowCount()) {  // the empty line after the last CR
        int32_t end = m_store->CharCount();
        return {m_store->RowCount(), end, end, end};
    }
    const TextRow* text = m_store->Row(row);
    int32_t start = m_store->RowStart(row);
    return {row, start, start + text->TextLength(), start + text->Len};
}

SourceEditor::RowSpan SourceEditor::SpanAt(int32_t offset) const {
    return SpanOfRow(m_store->LineFromChar(Clamp(offset)));
}

char SourceEditor::CharAt(int32_t offset) const {
    if (offset < 0 || offset >= m_store->CharCount()) return '\0';
    RowIndex::Location at = m_store->Locate(offset);
    return at.Text->Text()[offset - at.RowStart];
}

int32_t SourceEditor::NextCharacter(int32_t offset) const {
    if (offset >= m_store->CharCount()) return m_store->CharCount();
    if (!MultiByteText) return offset + 1;
    RowIndex::Location at = m_store->Locate(offset);
    int32_t index = offset - at.RowStart;
    char32_t cp;
    size_t length = DecodeUtf8(at.Text->Text() + index, at.Text->Len - index, cp);
    return offset + std::max<int32_t>(1, static_cast<int32_t>(length));
}

int32_t SourceEditor::PreviousCharacter(int32_t offset) const {
    if (offset <= 0) return 0;
    if (!MultiByteText) return offset - 1;
    // Step back over continuation bytes to a lead byte whose sequence ends at `offset`.
    for (int32_t back = 2; back <= 4 && offset - back >= 0; ++back) {
        char c = CharAt(offset - back + 1);
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) break;
        if (NextCharacter(offset - back) == offset &&
            (static_cast<unsigned char>(CharAt(offset - back)) & 0xC0) == 0xC0)
            return offset - back;
    }
    return offset - 1;
}

int32_t SourceEditor::OffsetAtColumn(const RowSpan& span, int32_t column, int32_t* beyond,
                                     bool nearest) const {
    if (beyond) *beyond = 0;
    if (span.Row >= m_store->RowCount()) {
        if (beyond && Settings().Has(smoCaretAfterEOL)) *beyond = std::min(column, kMaxBeyondEnd);
        return span.Start;
    }
    const TextRow* text = m_store->Row(span.Row);
    int32_t at = 0;
    int32_t current = 0;
    int32_t length = text->TextLength();
    while (at < length) {
        int32_t index = at;
        int32_t next = StepColumn(*text, index, current);
        if (next > column) {
            // A point in the right half of a wide character (a TAB) is after it.
            if (nearest && column - current > (next - current) / 2) at = index;
            break;
        }
        current = next;
        at = index;
    }
    if (at == length && beyond && Settings().Has(smoCaretAfterEOL) && column > current)
        *beyond = std::min(column - current, kMaxBeyondEnd);
    return span.Start + at;
}

// ---- words ----

bool SourceEditor::StartsWord(char c) const {
    if (fn_CharStartsWord) return fn_CharStartsWord(c);
    return IsAsciiLetter(c) || c == '_' || IsUtf8Byte(c);
}

bool SourceEditor::IsInWord(char c) const {
    if (fn_CharIsInWord) return fn_CharIsInWord(c);
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '\'' || c == '-' ||
           IsUtf8Byte(c);
}

int32_t SourceEditor::WordStart(int32_t offset) const {
    offset = Clamp(offset);
    while (offset > 0 && !IsInWord(CharAt(offset - 1))) --offset;
    while (offset > 0 && IsInWord(CharAt(offset - 1))) --offset;
    // A word begins at a character that may start one ("x-1" starts at "x", not "-").
    int32_t end = m_store->CharCount();
    while (offset < end && IsInWord(CharAt(offset)) && !StartsWord(CharAt(offset))) ++offset;
    return offset;
}

int32_t SourceEditor::WordEnd(int32_t offset) const {
    offset = Clamp(offset);
    int32_t end = m_store->CharCount();
    while (offset < end && IsInWord(CharAt(offset))) ++offset;
    return offset;
}

// ---- movement ----

void SourceEditor::CollapseOrExtend(int32_t caret, bool extend) {
    m_caret = Clamp(caret);
    if (!extend) m_anchor = m_caret;
}

void SourceEditor::MoveCaret(Move move, bool extend) {
    bool afterEol = Settings().Has(smoCaretAfterEOL);
    RowSpan span = SpanAt(m_caret);
    bool vertical = false;
    int32_t caret = m_caret;
    switch (move) {
        case Move::Left:
            if (m_caretBeyondEnd > 0) {
                --m_caretBeyondEnd;
                if (!extend) m_anchor = m_caret;
                m_preferredColumn = DisplayColumn(m_caret) + m_caretBeyondEnd;
                return;
            }
            caret = PreviousCharacter(caret);
            break;
        case Move::Right:
            if (afterEol && caret == span.TextEnd) {
                m_caretBeyondEnd = std::min(m_caretBeyondEnd + 1, kMaxBeyondEnd);
                if (!extend) m_anchor = m_caret;
                m_preferredColumn = DisplayColumn(m_caret) + m_caretBeyondEnd;
                return;
            }
            caret = NextCharacter(caret);
            break;
        case Move::Home:
            caret = span.Start;
            break;
        case Move::End:
            caret = span.TextEnd;
            while (caret > span.Start && IsBlank(CharAt(caret - 1))) --caret;
            break;
        case Move::Up:
        case Move::Down:
        case Move::PageUp:
        case Move::PageDown: {
            int32_t step = move == Move::Up || move == Move::Down ? 1 : VisibleRows();
            int32_t row = span.Row + (move == Move::Up || move == Move::PageUp ? -step : step);
            row = std::clamp(row, 0, LastLine());
            if (move == Move::PageUp || move == Move::PageDown)
                SetTopRow(m_topRow + (move == Move::PageUp ? -step : step));
            int32_t beyond = 0;
            m_preferredColumn = PreferredColumn();
            caret = OffsetAtColumn(SpanOfRow(row), m_preferredColumn, afterEol ? &beyond : nullptr);
            CollapseOrExtend(caret, extend);
            m_caretBeyondEnd = beyond;
            vertical = true;
            break;
        }
        case Move::WordBefore:
            caret = caret > 0 ? WordStart(caret - 1) : 0;
            break;
        case Move::WordAfter: {
            int32_t end = m_store->CharCount();
            caret = WordEnd(caret);
            while (caret < end && !StartsWord(CharAt(caret))) ++caret;
            break;
        }
        case Move::DocumentStart:
            caret = 0;
            break;
        case Move::DocumentEnd:
            caret = m_store->CharCount();
            break;
    }
    if (!vertical) {
        m_caretBeyondEnd = 0;
        CollapseOrExtend(caret, extend);
        m_preferredColumn = DisplayColumn(m_caret);
    }
    ScrollCaret();
}

// ---- mouse ----

SourceEditor::RowSpan SourceEditor::SpanAtPoint(int32_t x, int32_t y, int32_t& column) const {
    int32_t row = m_topRow + std::max(0, y) / m_metrics.LineHeight;
    column = m_leftColumn +
             (std::max(x - m_metrics.TextLeft, 0) + m_metrics.CharWidth / 2) / m_metrics.CharWidth;
    return SpanOfRow(std::clamp(row, 0, LastLine()));
}

void SourceEditor::MouseDown(int32_t x, int32_t y, bool shift, int clickCount) {
    int32_t column = 0;
    RowSpan span = SpanAtPoint(x, y, column);
    int32_t beyond = 0;
    int32_t offset = OffsetAtColumn(span, column, &beyond, true);
    if (clickCount >= 3) {
        int32_t anchor = span.Start;
        int32_t caret = span.End;
        if (OnTripleClick) OnTripleClick(anchor, caret, offset);
        SetSel(anchor, caret);
    } else if (clickCount == 2 && Settings().Has(smoWordSelect)) {
        int32_t start = IsInWord(CharAt(offset)) ? WordStart(offset + 1) : offset;
        SetSel(start, std::max(start, WordEnd(offset)));
    } else {
        CollapseOrExtend(offset, shift);
        m_caretBeyondEnd = beyond;
    }
    m_preferredColumn = DisplayColumn(m_caret) + m_caretBeyondEnd;
}

void SourceEditor::MouseMove(int32_t x, int32_t y) {
    int32_t column = 0;
    RowSpan span = SpanAtPoint(x, y, column);
    CollapseOrExtend(OffsetAtColumn(span, column, nullptr, true), true);
    m_caretBeyondEnd = 0;
    m_preferredColumn = DisplayColumn(m_caret);
    ScrollCaret();
}

// ---- numbered bookmarks ----

int32_t SourceEditor::FindBookmarkRow(int n) const {
    int32_t found = -1;
    int32_t row = 0;
    m_store->VisitRange(0, m_store->CharCount(), [&](const TextRow& text, int32_t, int32_t) {
        if (found < 0 && (text.MarkBits & (1u << n))) found = row;
        ++row;
    });
    return found;
}

void SourceEditor::SetBookmark(int n, int32_t row, int32_t column) {
    if (n < 0 || n > 9) throw ESourceEditor("Bookmark index range error");
    if (m_store->RowCount() == 0) return;
    if (row < 0) {
        row = std::min(LineFromChar(m_caret), m_store->RowCount() - 1);
        column = m_caret - m_store->RowStart(row) + 1;
    }
    row = std::min(row, m_store->RowCount() - 1);
    while (row > 0 && m_store->Row(row)->IsContinuation()) {  // bookmarks sit on a line's first row
        --row;
        column += m_store->Row(row)->Len;
    }
    int32_t held = FindBookmarkRow(n);
    if (held >= 0) m_store->Row(held)->MarkBits &= ~(1u << n);
    if (held == row) {
        m_store->SetBookmarkColumn(n, 0);
        m_store->Row(row)->Flags |= rfRepaint;
        if (OnBookmarkClear) OnBookmarkClear(n);
        return;
    }
    TextRow* target = m_store->Row(row);
    for (int other = 0; other < 10; ++other)
        if (target->MarkBits & (1u << other)) m_store->SetBookmarkColumn(other, 0);
    target->MarkBits = static_cast<uint16_t>((target->MarkBits & ~kBookmarkBits) | (1u << n));
    target->Flags |= rfRepaint;
    m_store->SetBookmarkColumn(n, static_cast<uint16_t>(std::clamp(column, 1, 0xFFFF)));
    if (OnBookmarkSet) OnBookmarkSet(n);
}

bool SourceEditor::GetBookmark(int n, int32_t& row, int32_t& column) const {
    if (n < 0 || n > 9) throw ESourceEditor("Bookmark index range error");
    row = FindBookmarkRow(n);
    column = m_store->BookmarkColumn(n);
    return row >= 0 && column > 0;
}

void SourceEditor::GotoBookmark(int n) {
    int32_t row = 0;
    int32_t column = 0;
    if (!GetBookmark(n, row, column)) return;
    // The column counts along the logical line, which may run over several rows.
    int32_t start = m_store->RowStart(row);
    int32_t lineEnd = start;
    for (int32_t r = row; r < m_store->RowCount(); ++r) {
        lineEnd = m_store->RowStart(r) + m_store->Row(r)->TextLength();
        if (m_store->Row(r)->EndsWithCR()) break;
    }
    SetSel(std::min(start + column - 1, lineEnd), std::min(start + column - 1, lineEnd));
    m_preferredColumn = DisplayColumn(m_caret);
    SetTopRow(LineFromChar(m_caret) - VisibleRows() / 2);
}

}  // namespace quinkle

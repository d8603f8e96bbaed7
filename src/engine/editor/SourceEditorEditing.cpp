// Typing, the Tab key, deleting and block indentation, each as one undo group.
#include <algorithm>

#include "engine/editor/SourceEditor.h"

namespace quinkle {
namespace {

bool IsBlank(char c) { return c == ' ' || c == kTab; }

// Keeps a group open for the life of a command.
class UndoGroup {
public:
    UndoGroup(SourceEditor& editor, int32_t code) : m_editor(editor), m_code(code) {
        m_editor.BeginGroup(code);
    }
    ~UndoGroup() { m_editor.EndGroup(m_code); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    SourceEditor& m_editor;
    int32_t m_code;
};

}  // namespace

// ---- lines ----

int32_t SourceEditor::LogicalLineStart(int32_t offset) const {
    RowSpan span = SpanAt(offset);
    int32_t row = span.Row;
    while (row > 0 && row < m_store->RowCount() && m_store->Row(row)->IsContinuation()) --row;
    return row == span.Row ? span.Start : m_store->RowStart(row);
}

int32_t SourceEditor::NextLogicalLineStart(int32_t offset) const {
    RowSpan span = SpanAt(offset);
    while (span.Row < m_store->RowCount() && !m_store->Row(span.Row)->EndsWithCR())
        span = SpanOfRow(span.Row + 1);
    return span.End;
}

/// Display column where the row's leading blanks end, looking no further than `limit`.
int32_t SourceEditor::IndentOfRow(const RowSpan& span, int32_t limit) const {
    int32_t end = span.Start;
    while (end < std::min(span.TextEnd, limit) && IsBlank(CharAt(end))) ++end;
    return DisplayColumn(end);
}

// ---- typing ----

void SourceEditor::TypeText(std::string_view text) {
    if (ReadOnly || text.empty()) return;
    if (text == "\t") {
        TabKey();
        return;
    }
    ChangeBatch batch(*this);
    UndoGroup group(*this, ucTyping);
    bool enter = text == "\r" || text == "\n";
    RowSpan span = SpanAt(m_caret);
    if (!m_insertMode && !enter && m_anchor == m_caret && m_caretBeyondEnd == 0 &&
        m_caret < span.TextEnd)
        SetSel(m_caret, NextCharacter(m_caret));  // the typed character replaces the next
    int32_t indent = -1;
    if (enter && Settings().Has(smoAutoIndent)) {
        indent = IndentOfRow(span, SelStart());
        bool blankUpToCaret = true;
        for (int32_t i = span.Start; i < std::min(span.TextEnd, SelStart()); ++i)
            blankUpToCaret = blankUpToCaret && IsBlank(CharAt(i));
        // A blank line takes its indent from the nearest line above that has text.
        for (int32_t row = span.Row - 1; indent == 0 && blankUpToCaret && row >= 0; --row) {
            RowSpan above = SpanOfRow(row);
            int32_t firstText = above.Start;
            while (firstText < above.TextEnd && IsBlank(CharAt(firstText))) ++firstText;
            if (firstText < above.TextEnd) indent = DisplayColumn(firstText);
        }
    }
    ReplaceSel(enter ? std::string_view("\r") : text);
    if (indent > 0) ReplaceSel(Settings().Fill(0, indent));
    ScrollCaret();
}

int32_t SourceEditor::TabTarget(int32_t column) const {
    int32_t target = Settings().NextTabStop(column);
    if (!Settings().Has(smoTabToColumn)) return target;
    // Line up under the next word of the nearest row above that reaches past the column.
    for (int32_t row = SpanAt(m_caret).Row - 1; row >= 0; --row) {
        RowSpan above = SpanOfRow(row);
        if (DisplayColumn(above.TextEnd) <= column) continue;
        int32_t at = OffsetAtColumn(above, column, nullptr);
        while (at < above.TextEnd && !IsBlank(CharAt(at))) ++at;
        while (at < above.TextEnd && IsBlank(CharAt(at))) ++at;
        return std::max(column + 1, DisplayColumn(at));
    }
    return target;
}

void SourceEditor::TabKey() {
    if (ReadOnly) return;
    ChangeBatch batch(*this);
    UndoGroup group(*this, ucTyping);
    int32_t column = DisplayColumn(m_caret) + (m_anchor == m_caret ? m_caretBeyondEnd : 0);
    std::string fill = Settings().Fill(column, TabTarget(column));
    if (m_caretBeyondEnd > 0 && m_anchor == m_caret) {
        // The fill from the line end to the caret comes first, then the tab's own.
        int32_t end = DisplayColumn(m_caret);
        fill = Settings().Fill(end, column) + fill;
        m_caretBeyondEnd = 0;
    }
    ReplaceSel(fill);
    ScrollCaret();
}

// ---- deleting ----

void SourceEditor::DeleteCharAtCaret() {
    if (ReadOnly) return;
    ChangeBatch batch(*this);
    UndoGroup group(*this, ucDelete);
    if (m_anchor == m_caret) {
        m_caretBeyondEnd = 0;
        if (m_caret >= m_store->CharCount()) return;
        SetSel(m_caret, NextCharacter(m_caret));
    }
    ReplaceSel({});
}

void SourceEditor::DeleteCharBeforeCaret() {
    if (ReadOnly) return;
    ChangeBatch batch(*this);
    if (m_anchor == m_caret && m_caretBeyondEnd > 0) {  // in the blank space past the end
        --m_caretBeyondEnd;
        m_preferredColumn = DisplayColumn(m_caret) + m_caretBeyondEnd;
        return;
    }
    UndoGroup group(*this, ucDelete);
    if (m_anchor == m_caret) {
        if (m_caret == 0) return;
        SetSel(m_caret, PreviousCharacter(m_caret));
    }
    ReplaceSel({});
}

void SourceEditor::DeleteCurrentLine() {
    if (ReadOnly || m_anchor != m_caret) return;
    ChangeBatch batch(*this);
    UndoGroup group(*this, ucDelete);
    RowSpan span = SpanAt(m_caret);
    SetSel(span.Start, span.End);
    ReplaceSel({});
}

void SourceEditor::DeletePreviousWord() {
    if (ReadOnly) return;
    int32_t start = m_caret > 0 ? WordStart(m_caret - 1) : 0;
    if (start == m_caret) return;
    ChangeBatch batch(*this);
    UndoGroup group(*this, ucDelPrevious);
    SetSel(m_caret, start);
    DeleteCharAtCaret();
}

void SourceEditor::DeleteNextWord() {
    if (ReadOnly) return;
    int32_t caret = m_caret;
    MoveCaret(Move::WordAfter, false);
    int32_t end = m_caret;
    SetSel(caret, caret);
    if (end == caret) return;
    ChangeBatch batch(*this);
    UndoGroup group(*this, ucDelNext);
    SetSel(caret, end);
    DeleteCharAtCaret();
}

// ---- block indentation ----

std::vector<int32_t> SourceEditor::SelectedLineStarts() const {
    // Every logical line from the one holding the selection start through the one holding
    // its end, except a line the selection merely touches at its start.
    std::vector<int32_t> lines;
    for (int32_t line = LogicalLineStart(SelStart());;) {
        lines.push_back(line);
        int32_t next = NextLogicalLineStart(line);
        if (next <= line || next >= SelEnd()) break;
        line = next;
    }
    return lines;
}

void SourceEditor::IndentBlock(int32_t count, bool mayUseTab) {
    if (count == 0) count = Settings().IndentStep();
    if (ReadOnly || m_anchor == m_caret || count < 1) return;
    ChangeBatch batch(*this);
    std::string indent(static_cast<size_t>(count),
                       mayUseTab && Settings().Has(smoUseTAB) ? kTab : ' ');
    bool caretAtEnd = m_caret > m_anchor;
    int32_t start = SelStart();
    int32_t end = SelEnd();
    std::vector<int32_t> lines = SelectedLineStarts();
    {
        UndoGroup group(*this, ucIndent);
        // Last line first, so the offsets of the lines before stay valid.
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            SetSel(*line, *line);
            ReplaceSel(indent);
        }
    }
    int32_t newEnd = end + count * static_cast<int32_t>(lines.size());
    SetSel(caretAtEnd ? start : newEnd, caretAtEnd ? newEnd : start);
    ScrollCaret();
}

void SourceEditor::UnindentBlock(int32_t count) {
    if (count == 0) count = Settings().IndentStep();
    if (ReadOnly || m_anchor == m_caret || count < 1) return;
    ChangeBatch batch(*this);
    bool caretAtEnd = m_caret > m_anchor;
    int32_t start = SelStart();
    int32_t end = SelEnd();
    std::vector<int32_t> lines = SelectedLineStarts();
    {
        UndoGroup group(*this, ucUnIndent);
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            int32_t cut = *line;
            for (int32_t n = 0; n < count; ++n) {
                char c = CharAt(cut);
                if (c == ' ' || c == kTab || c == '\xa0') {
                    ++cut;
                } else if (c == '\xc2' && CharAt(cut + 1) == '\xa0') {  // UTF-8 no-break space
                    cut += 2;
                } else {
                    break;
                }
            }
            if (cut == *line) continue;
            SetSel(*line, cut);
            ReplaceSel({});
            auto pull = [&](int32_t& pos) {
                if (pos > *line) pos -= std::min(pos, cut) - *line;
            };
            pull(start);
            pull(end);
        }
    }
    SetSel(caretAtEnd ? start : end, caretAtEnd ? end : start);
    ScrollCaret();
}

}  // namespace quinkle

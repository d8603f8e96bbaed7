// Selection, replacement, undo replay and the view arithmetic of the editor.
#include "engine/editor/SourceEditor.h"

#include "engine/editor/DisplayColumns.h"

#include <algorithm>
#include <cstring>

#include "engine/text/EditorError.h"
#include "engine/text/LineEnds.h"
#include "engine/text/Streams.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

// Stored text enters the rows in pieces of this size, each reported by OnTextChange.
constexpr size_t kInsertChunk = 8192;
constexpr int64_t kMaxDocumentChars = 0x7FFFFFFE;

}  // namespace

SourceEditor::SourceEditor() : m_store(std::make_shared<TextStore>()) {
    m_store->Attach(this);
    UndoLog().SetBeepHook([this] { Beep(); });
}

SourceEditor::~SourceEditor() { m_store->Detach(this); }

void SourceEditor::AttachToStore(const SourceEditor& other) {
    if (other.m_store == m_store) return;
    m_store->Detach(this);
    m_store = other.m_store;
    m_store->Attach(this);
    UndoLog().SetBeepHook([this] { Beep(); });
    m_anchor = m_caret = 0;
    m_caretBeyondEnd = 0;
    m_topRow = m_leftColumn = 0;
    m_changed = true;
    ReportChange();
}

int32_t SourceEditor::Clamp(int32_t offset) const {
    return std::clamp(offset, 0, m_store->CharCount());
}

// ---- settings ----

void SourceEditor::SetSettings(EditorSettings* settings) {
    m_settings = settings ? settings : &m_ownSettings;
    ApplySettings();
}

void SourceEditor::SetOptions(uint32_t options) {
    m_settings->Options = options;
    ApplySettings();
}

void SourceEditor::ApplySettings() {
    const EditorSettings& settings = Settings();
    WrapSettings wrap;
    wrap.Enabled = settings.Has(smoWordWrap);
    wrap.Width =
        std::max(20, settings.WrapAtColumn > 0 ? settings.WrapAtColumn : VisibleColumns() - 4);
    wrap.Override = settings.Has(smoWrapOverride);
    wrap.OverrideChars = settings.WrapOverride;
    wrap.TabDefault = settings.TabDefault();
    wrap.NextTabStop = [tabs = settings](int32_t column) { return tabs.NextTabStop(column); };
    wrap.TextWidth = TextWidth;
    wrap.AverageCharWidth = m_metrics.CharWidth;
    std::string signature;
    if (wrap.Enabled) {
        signature = std::to_string(wrap.Width) + ' ' + std::to_string(wrap.Override) + ' ' +
                    wrap.OverrideChars + ' ' + std::to_string(wrap.TabDefault) + ' ' +
                    settings.TabColumnsText() + ' ' + std::to_string(bool(TextWidth)) + ' ' +
                    std::to_string(wrap.AverageCharWidth);
    }
    if (signature != m_wrapSignature || wrap.Enabled != m_store->Wrap().Enabled) {
        m_wrapSignature = signature;
        m_store->SetWrap(std::move(wrap));
    }
    m_changed = true;
    ReportChange();
}

void SourceEditor::StoreRewrapped() {
    m_topRow = std::min(m_topRow, LastLine());
    m_changed = true;
    ReportChange();
}

// ---- selection ----

void SourceEditor::SetSel(int32_t anchor, int32_t caret) {
    if (anchor == 0 && caret == -1) {
        SelectAll();
        return;
    }
    m_anchor = Clamp(anchor);
    m_caret = caret < 0 ? m_store->CharCount() : Clamp(caret);
    m_caretBeyondEnd = 0;
    m_preferredColumn = -1;  // worked out when a vertical move needs it
}

void SourceEditor::SetSelection(int32_t anchor, int32_t caret) {
    if (anchor == -1)
        SelectAll();
    else
        SetSel(anchor, caret);
}

void SourceEditor::SelectAll() {
    m_anchor = 0;
    m_caret = m_store->CharCount();
    m_caretBeyondEnd = 0;
    m_preferredColumn = -1;
}

void SourceEditor::SetSelStart(int32_t offset) { SetSel(offset, offset); }

int32_t SourceEditor::SelLength() const {
    int32_t length = SelEnd() - SelStart();
    if (SelLineStyle() != lsCRLF || length == 0) return length;
    if (SelStart() == 0 && SelEnd() == m_store->CharCount())
        return length + m_store->LineEndCount();
    int32_t lineEnds = 0;
    m_store->VisitRange(SelStart(), SelEnd(), [&](const TextRow& row, int32_t, int32_t end) {
        lineEnds += row.EndsWithCR() && end == row.Len;
    });
    return length + lineEnds;
}

void SourceEditor::SetSelLength(int32_t length) {
    int32_t start = SelStart();
    if (SelLineStyle() != lsCRLF) {
        SetSel(start, start + std::max(0, length));
        return;
    }
    // Each line end counts two, as SelLength and SelText count it.
    int32_t rest = std::max(0, length);
    int32_t end = start;
    m_store->VisitRange(start, m_store->CharCount(),
                        [&](const TextRow& row, int32_t begin, int32_t stop) {
                            for (int32_t i = begin; i < stop && rest > 0; ++i) {
                                int32_t cost = row.Text()[i] == kCR ? 2 : 1;
                                if (cost > rest) {
                                    rest = 0;
                                    break;
                                }
                                rest -= cost;
                                ++end;
                            }
                        });
    SetSel(start, end);
}

std::string SourceEditor::SelText() const { return CopySel(TextMode()); }

void SourceEditor::GetCaretPos(int32_t& column, int32_t& line) const {
    line = m_store->LineOfRow(LineFromChar(m_caret)) + 1;
    column = LineColumn(m_caret) + m_caretBeyondEnd + 1;
}

// ---- rows ----

int32_t SourceEditor::GetLineCount() const { return std::max(1, m_store->RowCount()); }

int32_t SourceEditor::LineIndex(int32_t row) const {
    if (row == -1) row = LineFromChar(m_caret);
    if (row <= 0) return 0;
    return m_store->RowStart(row);
}

int32_t SourceEditor::LineLength(int32_t offset) const {
    int32_t row = LineFromChar(offset < 0 ? m_caret : offset);
    if (row >= m_store->RowCount()) return 0;
    return m_store->Row(row)->TextLength();
}

std::string SourceEditor::GetLine(int32_t row, int32_t maxChars) const {
    if (row < 0 || row >= m_store->RowCount() || maxChars <= 0) return {};
    const TextRow* text = m_store->Row(row);
    return std::string(text->Text(), std::min(text->TextLength(), maxChars));
}

int32_t SourceEditor::LineFromChar(int32_t offset) const {
    return m_store->LineFromChar(offset < 0 ? m_caret : offset);
}

// ---- whole text ----

std::string SourceEditor::GetText() const {
    return WriteText(*m_store, 0, m_store->CharCount(), TextMode());
}

int32_t SourceEditor::GetTextLen() const {
    return m_store->CharCount() + (SelLineStyle() == lsCRLF ? m_store->LineEndCount() : 0);
}

void SourceEditor::Clear() {
    ChangeBatch batch(*this);
    SelectAll();
    ReplaceSel({});
    ClearUndo();
    SetModified(false);
}

// ---- editing ----

void SourceEditor::CheckRoomFor(int64_t added) const {
    if (m_store->CharCount() - (SelEnd() - SelStart()) + added > kMaxDocumentChars)
        throw EOutOfMemory("The text is too large for the editor");
}

void SourceEditor::ReplaceSel(std::string_view text) {
    if (text.size() == 1) {  // one typed character: only LF changes
        char c = text[0] == kLF ? kCR : text[0];
        ReplaceStored(std::string_view(&c, 1), true);
        return;
    }
    ReplaceStored(NormaliseLineEnds(text), true);
}

void SourceEditor::ReplaceSelFromStream(Stream& stream) { ReplaceSel(stream.ReadAll()); }

std::string SourceEditor::FillToCaret() const {
    if (m_caretBeyondEnd <= 0 || m_anchor != m_caret) return {};
    int32_t column = DisplayColumn(m_caret);
    return Settings().Fill(column, column + m_caretBeyondEnd);
}

void SourceEditor::ReplaceStored(std::string_view stored, bool log) {
    ChangeBatch batch(*this);
    UndoStack& undo = UndoLog();
    std::string fill = FillToCaret();
    std::string filled;
    if (!fill.empty()) {
        filled = fill;
        filled += stored;
        stored = filled;
    }
    CheckRoomFor(static_cast<int64_t>(stored.size()));
    if (stored.empty() && m_anchor == m_caret) return;  // nothing to change, nothing to log

    BeginGroup(ucReturn);
    bool record = log && undo.Recording();
    int32_t start = SelStart();
    int32_t end = SelEnd();
    try {
        if (record) {
            std::optional<std::string> removed;
            if (end > start) removed = m_store->GetText(start, end);
            undo.BeginTransaction(ucReplace, m_anchor, m_caret, std::move(removed),
                                  std::string(stored));
        }
        m_store->Delete(start, end);
        InsertInChunks(start, stored);
        m_anchor = m_caret = start + static_cast<int32_t>(stored.size());
        m_caretBeyondEnd = 0;
        m_preferredColumn = -1;  // the caret's column, worked out when needed
        if (record) undo.EndTransaction(ucReplace, m_anchor, m_caret);
    } catch (...) {
        undo.Clear();  // a half-recorded step cannot be undone safely
        throw;
    }
    EndGroup(ucReturn);
}

void SourceEditor::InsertInChunks(int32_t at, std::string_view stored) {
    for (size_t done = 0; done < stored.size(); done += kInsertChunk) {
        std::string_view piece = stored.substr(done, kInsertChunk);
        m_store->Insert(at, piece);
        at += static_cast<int32_t>(piece.size());
        m_anchor = m_caret = at;
    }
}

std::string SourceEditor::CopySel(uint32_t mode) const {
    if ((mode & (omRTF | omHTML)) && OnStylesNeeded && SelStart() < SelEnd())
        OnStylesNeeded(SelStart(), SelEnd());
    return WriteText(*m_store, SelStart(), SelEnd(), mode, m_styler);
}

int32_t SourceEditor::CopySelToBuffer(char* buffer, int32_t size, uint32_t mode) const {
    if (!buffer || size <= 0) return 0;
    std::string text = CopySel(mode);
    auto count = static_cast<int32_t>(std::min<size_t>(text.size(), size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

// ---- undo ----

void SourceEditor::Undo() {
    ChangeBatch batch(*this);
    UndoLog().Undo(*this);
}

void SourceEditor::Redo() {
    ChangeBatch batch(*this);
    UndoLog().Redo(*this);
}

void SourceEditor::UndoSetSelection(int32_t anchor, int32_t caret) {
    m_anchor = Clamp(anchor);
    m_caret = Clamp(caret);
    m_caretBeyondEnd = 0;
}

void SourceEditor::UndoReplace(int32_t from, int32_t to, std::string_view text) {
    from = Clamp(from);
    m_store->Delete(from, Clamp(to));
    InsertInChunks(from, text);
}

void SourceEditor::UndoBeginReplay() { ++m_batchDepth; }

void SourceEditor::UndoEndReplay() {
    m_preferredColumn = -1;
    ScrollCaret();
    --m_batchDepth;
}

void SourceEditor::Beep() {
    if (OnBeep) OnBeep();
}

// ---- notifications ----

void SourceEditor::StoreInserted(int32_t at, int32_t length) {
    if (m_anchor > at) m_anchor += length;
    if (m_caret > at) m_caret += length;
    if (OnTextChange) OnTextChange(at, length);
    ++m_textRevision;
    m_changed = true;
    ReportChange();
}

void SourceEditor::StoreDeleted(int32_t from, int32_t to) {
    auto shift = [&](int32_t& pos) {
        if (pos >= to)
            pos -= to - from;
        else if (pos > from)
            pos = from;
    };
    shift(m_anchor);
    shift(m_caret);
    if (m_store->CharCount() == 0) {
        m_anchor = m_caret = 0;
        if (OnTextChange) OnTextChange(0, 0);
    }
    m_topRow = std::min(m_topRow, LastLine());
    ++m_textRevision;
    m_changed = true;
    ReportChange();
}

void SourceEditor::SetUpdateLock(bool locked) {
    m_updateLock = locked;
    ReportChange();
}

void SourceEditor::ReportChange() {
    if (!m_changed || m_updateLock || m_batchDepth > 0) return;
    m_changed = false;
    if (OnChange) OnChange();
}

// ---- view ----

void SourceEditor::SetViewMetrics(const ViewMetrics& metrics) {
    m_metrics = metrics;
    m_metrics.CharWidth = std::max(1, m_metrics.CharWidth);
    m_metrics.LineHeight = std::max(1, m_metrics.LineHeight);
    if (Settings().Has(smoWordWrap)) ApplySettings();  // the wrap width may follow the window
}

int32_t SourceEditor::VisibleRows() const {
    return std::max(1, m_metrics.ClientHeight / m_metrics.LineHeight);
}

int32_t SourceEditor::VisibleColumns() const {
    return std::max(1, (m_metrics.ClientWidth - m_metrics.TextLeft) / m_metrics.CharWidth);
}

void SourceEditor::SetTopRow(int32_t row) {
    m_topRow = std::clamp(row, 0, std::max(0, m_store->LineFromChar(m_store->CharCount())));
}

void SourceEditor::SetLeftColumn(int32_t column) {
    m_leftColumn = std::clamp(column, 0, std::max(0, m_store->LongestRow()));
}

void SourceEditor::LineScroll(int32_t columns, int32_t rows) {
    SetLeftColumn(m_leftColumn + columns);
    SetTopRow(m_topRow + rows);
}

void SourceEditor::ScrollCaret() {
    int32_t row = LineFromChar(m_caret);
    if (row < m_topRow)
        m_topRow = row;
    else if (row >= m_topRow + VisibleRows())
        m_topRow = row - VisibleRows() + 1;
    int32_t column = DisplayColumn(m_caret) + m_caretBeyondEnd;
    if (column < m_leftColumn)
        m_leftColumn = column;
    else if (column >= m_leftColumn + VisibleColumns())
        m_leftColumn = column - VisibleColumns() + 1;
}

int32_t SourceEditor::DisplayColumn(int32_t offset) const {
    offset = Clamp(offset);
    if (m_store->RowCount() == 0) return 0;
    RowIndex::Location at = m_store->Locate(offset);
    const TextRow* text = at.Text;
    int32_t end = offset - at.RowStart;
    if (end >= text->Len && text->EndsWithCR()) return 0;  // the empty line after the last CR
    return DisplayColumnAt(text->Text(), text->Len, end, *m_settings, MultiByteText);
}

int32_t SourceEditor::LineColumn(int32_t offset) const {
    offset = Clamp(offset);
    int32_t row = LineFromChar(offset);
    int32_t first = m_store->FirstRowOfLine(m_store->LineOfRow(row));
    if (first >= row) return DisplayColumn(offset);
    // The rows before the caret's row continue its line: count on from their characters.
    int32_t column = 0;
    for (int32_t r = first; r < row; ++r) {
        const TextRow& text = *m_store->Row(r);
        if (!(text.Flags & rfHasTab)) {
            column += MultiByteText ? CountUtf8Chars(text.View()) : text.Len;
            continue;
        }
        for (int32_t i = 0; i < text.Len;) column = StepColumn(text, i, column);
    }
    const TextRow& text = *m_store->Row(row);
    int32_t end = offset - m_store->RowStart(row);
    for (int32_t i = 0; i < end && i < text.Len;) column = StepColumn(text, i, column);
    return column;
}

int32_t SourceEditor::StepColumn(const TextRow& row, int32_t& index, int32_t column) const {
    ColumnStep step =
        StepDisplayColumn(row.Text(), row.Len, index, column, *m_settings, MultiByteText);
    index = step.NextIndex;
    return step.NextColumn;
}

void SourceEditor::PosFromChar(int32_t offset, int32_t& x, int32_t& y) const {
    x = m_metrics.TextLeft + (DisplayColumn(offset) - m_leftColumn) * m_metrics.CharWidth;
    y = (LineFromChar(offset) - m_topRow) * m_metrics.LineHeight;
}

int32_t SourceEditor::CharFromPos(int32_t x, int32_t y) const {
    if (x < m_metrics.TextLeft || y < 0 || x >= m_metrics.ClientWidth ||
        y >= m_metrics.ClientHeight)
        return -1;
    int32_t row = m_topRow + y / m_metrics.LineHeight;
    if (row > m_store->LineFromChar(m_store->CharCount())) return -1;
    int32_t start = m_store->RowStart(row);
    if (row >= m_store->RowCount()) return start;
    int32_t wanted =
        m_leftColumn + (x - m_metrics.TextLeft + m_metrics.CharWidth / 2) / m_metrics.CharWidth;
    const TextRow* text = m_store->Row(row);
    int32_t column = 0;
    for (int32_t i = 0; i < text->TextLength();) {
        int32_t before = i;
        int32_t next = StepColumn(*text, i, column);
        if (next > wanted) {
            // Nearer the character's right edge than its left: the point is after it.
            return start + (wanted - column > (next - column) / 2 ? i : before);
        }
        column = next;
    }
    return start + text->TextLength();
}

// ---- highlighting channel ----

void SourceEditor::SetRowStyles(int32_t row, const uint8_t* styles) {
    if (row < 0 || row >= m_store->RowCount()) return;
    TextRow* text = m_store->Row(row);
    delete[] text->Styles;
    text->Styles = new uint8_t[text->Len > 0 ? text->Len : 1];
    std::memcpy(text->Styles, styles, text->Len);
    text->Flags = (text->Flags & ~rfRescan) | rfRepaint;
}

const uint8_t* SourceEditor::GetRowStyles(int32_t row) const {
    if (row < 0 || row >= m_store->RowCount()) return nullptr;
    return m_store->Row(row)->Styles;
}

}  // namespace quinkle

// The document's text: rows, counts, bookmarks, marks and the undo log shared by its editors.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/FileText.h"
#include "engine/text/LineWrapper.h"
#include "engine/text/RowIndex.h"
#include "engine/text/TextMarks.h"
#include "engine/text/TextRow.h"

namespace quinkle {

class UndoStack;

/// Line ends that text handed out of the store carries.
enum LineStyle : uint8_t { lsCRLF = 0, lsLF = 1 };

/// Told of every change to the text, after the rows have changed.
class StoreListener {
public:
    virtual ~StoreListener() = default;
    virtual void StoreInserted(int32_t at, int32_t length) = 0;
    virtual void StoreDeleted(int32_t from, int32_t to) = 0;
    /// The rows were cut anew (word wrap changed); the text and its offsets did not change.
    virtual void StoreRewrapped() {}
};

/// Owns the text as rows of at most kMaxRowLength characters, CR the only line end stored.
/// A row ends with CR or is followed by a continuation row; the empty document has no rows.
/// Without word wrap, edits (and their undoing) leave the rows cut as LoadAll cuts the same text.
/// Text enters through Insert and leaves through Delete, both taking stored (normalised)
/// text and character offsets; every attached listener hears of each change.
class TextStore {
public:
    TextStore();
    ~TextStore();
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    int32_t RowCount() const { return m_rows.RowCount(); }
    int32_t CharCount() const { return m_rows.CharCount(); }
    /// How many stored line ends (CR) the text holds.
    int32_t LineEndCount() const { return m_lineEnds; }
    /// The longest row seen since the document was last emptied (1 in a new store).
    int32_t LongestRow() const { return m_longestRow; }

    TextRow* Row(int32_t row) const { return m_rows.Row(row); }
    /// The row holding `offset` (at or past the end: the last row); the store must not be empty.
    RowIndex::Location Locate(int32_t offset) const { return m_rows.Locate(offset); }
    /// Offset of a row's first character; past the last row, the character count.
    int32_t RowStart(int32_t row) const { return m_rows.RowStart(row); }
    /// Row number of an offset; the end of a text whose last row ends with CR is on the
    /// empty line after it (row number RowCount()).
    int32_t LineFromChar(int32_t offset) const;
    /// The logical line of a row (rows before it ending with CR); row may be RowCount().
    int32_t LineOfRow(int32_t row) const { return m_rows.LineOfRow(row); }
    /// The first row of a logical line; RowCount() past the last line.
    int32_t FirstRowOfLine(int32_t line) const { return m_rows.FirstRowOfLine(line); }
    /// The stored characters of [from, to).
    std::string GetText(int32_t from, int32_t to) const;
    /// Calls visit(row, begin, end) for each row's part of [from, to), in order.
    template <class Visit>
    void VisitRange(int32_t from, int32_t to, Visit&& visit) const;

    /// Inserts stored text (already normalised) at `at`.
    void Insert(int32_t at, std::string_view text);
    /// Deletes [from, to).
    void Delete(int32_t from, int32_t to);
    /// Replaces the whole text by the stored text `read` appends to its argument, piece by
    /// piece, until it returns false. The new rows are built aside: when `read` throws, the
    /// old text stays as it was. Listeners hear of the deletion and of one insertion.
    void LoadAll(const std::function<bool(std::string&)>& read);
    /// Replaces the whole text by the stored form of a file's bytes, as LoadAll over the output
    /// of a FileTextDecoder does, and returns what the decoding found. `read` fills the buffer
    /// it is given with the file's next bytes and returns their count, 0 at the end (the first
    /// call gives at least 4 bytes, or the whole file); `expected` is the file's size when
    /// known (0 otherwise). A file of plain bytes is cut into rows straight from the bytes read.
    FileFacts LoadFileBytes(const std::function<size_t(char*, size_t)>& read, size_t expected);

    /// How logical lines are cut into rows; setting it cuts the whole text anew.
    const WrapSettings& Wrap() const { return m_wrap; }
    void SetWrap(WrapSettings wrap);

    UndoStack& UndoLog() const { return *m_undo; }
    std::shared_ptr<UndoStack> SharedUndoLog() const { return m_undo; }
    void SetUndoLog(std::shared_ptr<UndoStack> log);

    CustomBookmarks& Bookmarks() { return m_customBookmarks; }
    RangeMarkList& RangeMarks() { return m_rangeMarks; }
    /// The 1-based column of numbered bookmark n (0-9); 0 when it is not set.
    uint16_t BookmarkColumn(int n) const { return m_bookmarkColumns.at(n); }
    void SetBookmarkColumn(int n, uint16_t column) { m_bookmarkColumns.at(n) = column; }
    std::vector<std::string>& Strings() { return m_strings; }

    LineStyle SelLineStyle = lsCRLF;

    /// The form the text is saved to its file in (kept across edits).
    FileForm Form;
    /// The file's bytes as they were loaded, kept while the text has not changed since, for a
    /// file whose stored text cannot give them back (see FileFacts::KeepsLoadedBytes); null
    /// otherwise.
    /// Any insertion or deletion, and a new load, drops them.
    const std::string* LoadedBytes() const { return m_hasLoadedBytes ? &m_loadedBytes : nullptr; }
    void KeepLoadedBytes(std::string bytes);

    void Attach(StoreListener* listener);
    void Detach(StoreListener* listener);
    size_t ListenerCount() const { return m_listeners.size(); }

    /// The first row whose style bytes need rescanning. Edited rows carry rfRescan; rows
    /// after them are not flagged ahead, because the highlighter goes on past the edit for
    /// as long as the state at the end of each row differs from before.
    int32_t FirstRescanRow() const { return m_firstRescanRow; }
    void SetFirstRescanRow(int32_t row) { m_firstRescanRow = row; }

    /// Checks the row invariants and internal sums; for tests.
    bool Check() const;

private:
    void Splice(int32_t firstRow, int32_t count, std::string_view head, std::string_view middle,
                std::string_view tail);
    std::vector<TextRow*> CutIntoRows(std::string_view text, const TextRow* inheritFrom,
                                      bool startsContinued) const;
    void ReleaseRow(TextRow* row);
    void RewrapAll();
    void FixContinuation(int32_t row);
    void NoteRescan(int32_t firstRow);
    void RemoveAll();
    /// Puts freshly built rows in place of the whole text.
    void Adopt(RowIndex&& fresh, int32_t longest, int32_t lineEnds);
    void DropLoadedBytes();

    RowIndex m_rows;
    int32_t m_longestRow = 1;
    int32_t m_lineEnds = 0;
    std::shared_ptr<UndoStack> m_undo;
    RangeMarkList m_rangeMarks;
    std::array<uint16_t, 10> m_bookmarkColumns{};
    CustomBookmarks m_customBookmarks;
    std::vector<std::string> m_strings;
    std::vector<StoreListener*> m_listeners;
    int32_t m_firstRescanRow = 0;
    WrapSettings m_wrap;
    std::string m_loadedBytes;
    bool m_hasLoadedBytes = false;
};

template <class Visit>
void TextStore::VisitRange(int32_t from, int32_t to, Visit&& visit) const {
    if (from >= to || RowCount() == 0) return;
    RowIndex::Location at = Locate(from);
    int32_t rowStart = at.RowStart;
    m_rows.VisitRows(at.Row, [&](TextRow* row) {
        int32_t begin = std::max(from - rowStart, 0);
        int32_t end = std::min(to - rowStart, static_cast<int32_t>(row->Len));
        visit(*row, begin, end);
        rowStart += row->Len;
        return rowStart < to;
    });
}

}  // namespace quinkle

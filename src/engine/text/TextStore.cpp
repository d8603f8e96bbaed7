// Row editing: splicing new rows in place of old ones, keeping marks and bookmarks.
#include "engine/text/TextStore.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <utility>

#ifdef __x86_64__
#include <immintrin.h>
#endif

#include "engine/text/EditorError.h"
#include "engine/text/UndoStack.h"

namespace quinkle {
namespace {

// Offsets are 32-bit; a document may not grow beyond what they can address.
constexpr int64_t kMaxDocumentChars = std::numeric_limits<int32_t>::max() - 1;

// How many bytes past a row's end its cut looks at to keep UTF-8 sequences whole.
constexpr size_t kUtf8LookAhead = 4;

// Moves a row cut at `end` back to the start of the UTF-8 sequence it would split, so that
// every row decodes on its own.
size_t BackToCharacterStart(std::string_view text, size_t start, size_t end) {
    if (end >= text.size()) return end;
    size_t cut = end;
    while (cut > start + 1 && cut + 3 > end &&
           (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    bool lead = (static_cast<unsigned char>(text[cut]) & 0xC0) == 0xC0;
    return lead && cut < end ? cut : end;
}

// Where the row starting at `pos` ends: after a CR, at the row limit, or at the end of the
// text when it is final; npos when the row may still grow with text yet to come.
size_t NextRowEnd(std::string_view text, size_t pos, bool final) {
    size_t limit = std::min(text.size(), pos + kMaxRowLength);
    size_t cr = text.find(kCR, pos);
    if (cr < limit) return cr + 1;
    if (limit < text.size()) return BackToCharacterStart(text, pos, limit);
    return final ? text.size() : std::string_view::npos;
}

// The first CR in [p, stop), or stop; notes in `tab` whether a TAB comes before it.
const char* FindCRBytes(const char* p, const char* stop, bool& tab) {
    for (; p < stop && *p != kCR; ++p) tab = tab || *p == kTab;
    return p;
}

#ifdef __x86_64__
// The same, 32 bytes at a time.
[[gnu::target("avx2")]] const char* FindCRAvx2(const char* p, const char* stop, bool& tab) {
    const __m256i cr = _mm256_set1_epi8(kCR);
    const __m256i tabs = _mm256_set1_epi8(kTab);
    bool seenTab = false;
    for (; stop - p >= 32; p += 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const auto crMask =
            static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, cr)));
        const auto tabMask =
            static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, tabs)));
        if (crMask != 0) {
            const unsigned before = (crMask & (0u - crMask)) - 1;  // the bytes before the CR
            tab = tab || seenTab || (tabMask & before) != 0;
            return p + __builtin_ctz(crMask);
        }
        seenTab = seenTab || tabMask != 0;
    }
    tab = tab || seenTab;
    return FindCRBytes(p, stop, tab);
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

const char* FindCR(const char* p, const char* stop, bool& tab) {
#ifdef __x86_64__
    if (HasAvx2()) return FindCRAvx2(p, stop, tab);
#endif
    return FindCRBytes(p, stop, tab);
}

// NextRowEnd, telling besides whether the row holds a TAB, found in the same pass.
size_t NextRowEndWithTab(std::string_view text, size_t pos, bool final, bool& tab) {
    const size_t limit = std::min(text.size(), pos + kMaxRowLength);
    tab = false;
    const char* cr = FindCR(text.data() + pos, text.data() + limit, tab);
    if (cr != text.data() + limit) return static_cast<size_t>(cr - text.data()) + 1;
    // A cut at the limit moves back over UTF-8 bytes only, so no TAB is left out of the row.
    if (limit < text.size()) return BackToCharacterStart(text, pos, limit);
    return final ? text.size() : std::string_view::npos;
}

}  // namespace

TextStore::TextStore() : m_undo(std::make_shared<UndoStack>()) {}

TextStore::~TextStore() {
    m_rows.VisitRows(0, [](TextRow* row) {
        FreeRow(row);
        return true;
    });
}

void TextStore::SetUndoLog(std::shared_ptr<UndoStack> log) {
    if (log) m_undo = std::move(log);
}

void TextStore::Attach(StoreListener* listener) {
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void TextStore::Detach(StoreListener* listener) { std::erase(m_listeners, listener); }

int32_t TextStore::LineFromChar(int32_t offset) const {
    if (RowCount() == 0 || offset <= 0) return 0;
    if (offset >= CharCount()) {
        int32_t last = RowCount() - 1;
        return Row(last)->EndsWithCR() ? RowCount() : last;
    }
    return Locate(offset).Row;
}

std::string TextStore::GetText(int32_t from, int32_t to) const {
    from = std::clamp(from, 0, CharCount());
    to = std::clamp(to, from, CharCount());
    std::string text;
    text.reserve(to - from);
    VisitRange(from, to, [&](const TextRow& row, int32_t begin, int32_t end) {
        text.append(row.Text() + begin, end - begin);
    });
    return text;
}

void TextStore::Insert(int32_t at, std::string_view text) {
    if (text.empty()) return;
    if (CharCount() + static_cast<int64_t>(text.size()) > kMaxDocumentChars)
        throw EOutOfMemory("The text is too large for the editor");
    at = std::clamp(at, 0, CharCount());
    auto length = static_cast<int32_t>(text.size());
    DropLoadedBytes();
    m_customBookmarks.Inserted(at, length);
    m_rangeMarks.Inserted(at, length);

    if (RowCount() == 0) {
        Splice(0, 0, {}, text, {});
    } else {
        RowIndex::Location loc = Locate(at);
        TextRow* row = loc.Text;
        int32_t inRow = at - loc.RowStart;
        // One character typed into a row that ends its logical line leaves every cut where a
        // fresh load would put it; the first bytes of a continuation row also decide where
        // the row before it is cut, so they go through Splice.
        bool endsLine = row->EndsWithCR() || loc.Row + 1 == RowCount();
        if (length == 1 && text[0] != kCR && inRow < row->Len && row->Len < kMaxRowLength &&
            !m_wrap.Enabled && endsLine &&
            (inRow >= static_cast<int32_t>(kUtf8LookAhead) || !row->IsContinuation())) {
            row = InsertCharIntoRow(row, inRow, text[0]);
            m_rows.Update(loc, row);
            m_longestRow = std::max<int32_t>(m_longestRow, row->Len);
            NoteRescan(loc.Row);
        } else {
            std::string_view rowText = row->View();
            Splice(loc.Row, 1, rowText.substr(0, inRow), text, rowText.substr(inRow));
        }
    }
    for (StoreListener* listener : m_listeners) listener->StoreInserted(at, length);
}

void TextStore::Delete(int32_t from, int32_t to) {
    from = std::clamp(from, 0, CharCount());
    to = std::clamp(to, from, CharCount());
    if (from == to) return;
    DropLoadedBytes();
    m_customBookmarks.Deleted(from, to);
    m_rangeMarks.Deleted(from, to);
    if (from == 0 && to == CharCount()) {
        RemoveAll();
    } else {
        RowIndex::Location first = Locate(from);
        RowIndex::Location last = Locate(to - 1);
        std::string_view head = first.Text->View().substr(0, from - first.RowStart);
        std::string_view tail = last.Text->View().substr(to - last.RowStart);
        Splice(first.Row, last.Row - first.Row + 1, head, {}, tail);
    }
    for (StoreListener* listener : m_listeners) listener->StoreDeleted(from, to);
}

namespace {

// The rows of a text being loaded, built aside from the store in the order of the text. Stored
// text is cut as LoadAll cuts it: a row ends after a CR or at the row limit.
class FreshRows {
public:
    ~FreshRows() {
        // Rows not handed over are freed: a load that failed leaves nothing behind.
        m_index.VisitRows(0, [](TextRow* row) {
            FreeRow(row);
            return true;
        });
        for (TextRow* row : m_rows) FreeRow(row);
    }

    /// Cuts the rows `pending` holds, the last one too when `final`; the rest stays in it.
    void Cut(std::string& pending, bool final) {
        size_t pos = 0;
        bool tab = false;
        for (size_t end; pos < pending.size() &&
                         (end = NextRowEndWithTab(pending, pos, final, tab)) != std::string::npos;
             pos = end) {
            // The row's facts come from the text, not from the row just written.
            const std::string_view text = std::string_view(pending).substr(pos, end - pos);
            Count(text.size());
            TextRow* row = m_maker.Make(text, tab);
            m_rows.push_back(row);
            if (m_continued) row->MarkBits = kContinuationBit;
            m_continued = text.back() != kCR;
            m_lineEnds += !m_continued;
            m_longest = std::max<int32_t>(m_longest, static_cast<int32_t>(text.size()));
        }
        pending.erase(0, pos);
    }

    /// Adds a row of `text` and a CR: a whole logical line that fits in a row, after rows that
    /// end with CR.
    void AddLine(std::string_view text, bool tab) {
        Count(text.size() + 1);
        m_rows.push_back(m_maker.MakeLine(text, tab));
        ++m_lineEnds;
        m_longest = std::max<int32_t>(m_longest, static_cast<int32_t>(text.size() + 1));
    }

    /// Refuses a text that, with `pending` characters still to be cut, is too large.
    void CheckSize(size_t pending) const {
        if (m_chars + static_cast<int64_t>(pending) > kMaxDocumentChars)
            throw EOutOfMemory("The text is too large for the editor");
    }

    /// Moves the rows made since the last call into the index.
    void Flush() {
        m_index.Append(m_rows);
        m_rows.clear();
    }

    RowIndex TakeIndex() { return std::exchange(m_index, RowIndex()); }
    int32_t Longest() const { return m_longest; }
    int32_t LineEnds() const { return m_lineEnds; }

private:
    // Counts the characters of a row about to be made; the index never holds more than a
    // document may.
    void Count(size_t length) {
        m_chars += static_cast<int64_t>(length);
        CheckSize(0);
    }

    RowIndex m_index;
    std::vector<TextRow*> m_rows;  // made, not yet in the index
    int64_t m_chars = 0;           // in all rows made
    RowMaker m_maker;
    int32_t m_longest = 0;
    int32_t m_lineEnds = 0;
    bool m_continued = false;  // the last row made ends without CR
};

bool IsLineEnd(char c) { return c == kCR || c == kLF; }

// The first CR, LF or TAB in [p, end), or end.
const char* NextMarkBytes(const char* p, const char* end) {
    while (p < end && *p != kCR && *p != kLF && *p != kTab) ++p;
    return p;
}

// Where a load of plain bytes stands between pieces.
struct ByteLoad {
    FreshRows Rows;
    std::string Pending;  // the stored form of a line not yet cut into rows
    std::array<int64_t, lkKindCount> Counts{};
    char LastEnd = 0;  // a line end that closed the last piece, whose partner may open the next
    bool Nul = false;
};

// Takes the line end or TAB at `mark` in a piece of plain bytes that ends at `end`. A logical
// line that fits in a row and lies whole in the piece becomes its row at once; any other line
// (one cut by the end of a piece, or longer than a row) gathers its stored form in Pending and
// is cut there as LoadAll cuts it. Line ends are counted as LineEndNormaliser counts them.
[[gnu::always_inline]] inline void TakeMark(ByteLoad& load, const char* mark, const char* end,
                                            const char*& p, const char*& lineStart, bool& tab) {
    if (*mark == kTab) {
        tab = true;
        p = mark + 1;
        return;
    }
    const std::string_view line(lineStart, static_cast<size_t>(mark - lineStart));
    if (load.Pending.empty() && line.size() < static_cast<size_t>(kMaxRowLength)) {
        load.Rows.AddLine(line, tab);
    } else {
        load.Pending.append(line);
        load.Pending.push_back(kCR);
        load.Rows.Cut(load.Pending, false);
    }
    const char c = *mark;
    if (mark + 1 == end) {
        load.LastEnd = c;
        p = end;
    } else if (IsLineEnd(mark[1]) && mark[1] != c) {
        ++load.Counts[c == kCR ? lkCRLF : lkLFCR];
        p = mark + 2;
    } else {
        ++load.Counts[c == kCR ? lkCR : lkLF];
        p = mark + 1;
    }
    lineStart = p;
    tab = false;
}

// Cuts the rows of [p, end), a piece of plain bytes; the rest of its last line goes to Pending.
void CutPieceBytes(ByteLoad& load, const char* p, const char* end) {
    const char* lineStart = p;
    bool tab = false;
    for (const char* mark; (mark = NextMarkBytes(p, end)) != end;)
        TakeMark(load, mark, end, p, lineStart, tab);
    load.Pending.append(lineStart, static_cast<size_t>(end - lineStart));
}

#ifdef __x86_64__
// The same, looking for line ends and TABs 32 bytes at a time.
[[gnu::target("avx2")]] void CutPieceAvx2(ByteLoad& load, const char* p, const char* end) {
    const __m256i cr = _mm256_set1_epi8(kCR);
    const __m256i lf = _mm256_set1_epi8(kLF);
    const __m256i tabs = _mm256_set1_epi8(kTab);
    const char* lineStart = p;
    bool tab = false;
    while (p < end) {
        const char* mark = p;
        unsigned mask = 0;
        for (; end - mark >= 32; mark += 32) {
            const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(mark));
            const __m256i marks = _mm256_or_si256(
                _mm256_or_si256(_mm256_cmpeq_epi8(block, cr), _mm256_cmpeq_epi8(block, lf)),
                _mm256_cmpeq_epi8(block, tabs));
            mask = static_cast<unsigned>(_mm256_movemask_epi8(marks));
            if (mask != 0) break;
        }
        mark = mask != 0 ? mark + __builtin_ctz(mask) : NextMarkBytes(mark, end);
        if (mark == end) break;
        TakeMark(load, mark, end, p, lineStart, tab);
    }
    load.Pending.append(lineStart, static_cast<size_t>(end - lineStart));
}
#endif

}  // namespace

void TextStore::LoadAll(const std::function<bool(std::string&)>& read) {
    FreshRows fresh;
    std::string pending;  // stored text not yet cut into rows
    for (bool more = true; more;) {
        more = read(pending);
        fresh.CheckSize(pending.size());
        fresh.Cut(pending, !more);
        fresh.Flush();
    }
    Adopt(fresh.TakeIndex(), fresh.Longest(), fresh.LineEnds());
}

FileFacts TextStore::LoadFileBytes(const std::function<size_t(char*, size_t)>& read,
                                   size_t expected) {
    constexpr size_t kChunk = size_t{1} << 17;
    const size_t chunkBytes = std::clamp<size_t>(expected, 4096, kChunk);
    const std::unique_ptr<char[]> chunk(new char[chunkBytes]);
    size_t got = read(chunk.get(), chunkBytes);
    if (MayHaveMark(std::string_view(chunk.get(), got))) {
        FileTextDecoder decoder;
        LoadAll([&](std::string& out) {
            if (got == 0) {
                decoder.Finish(out);
                return false;
            }
            decoder.Append(std::string_view(chunk.get(), got), out);
            got = read(chunk.get(), chunkBytes);
            return true;
        });
        return decoder.Facts();
    }

    // Plain bytes: rows are made straight from the bytes read (see CutPiece).
    ByteLoad load;
    for (; got != 0; got = read(chunk.get(), chunkBytes)) {
        const char* p = chunk.get();
        const char* const end = p + got;
        if (!load.Nul && std::memchr(p, 0, got) != nullptr) load.Nul = true;
        if (load.LastEnd != 0) {
            const char lastEnd = std::exchange(load.LastEnd, 0);
            if (IsLineEnd(*p) && *p != lastEnd) {
                ++load.Counts[lastEnd == kCR ? lkCRLF : lkLFCR];
                ++p;
            } else {
                ++load.Counts[lastEnd == kCR ? lkCR : lkLF];
            }
        }
#ifdef __x86_64__
        if (HasAvx2())
            CutPieceAvx2(load, p, end);
        else
#endif
            CutPieceBytes(load, p, end);
        load.Rows.CheckSize(load.Pending.size());
        if (load.Pending.size() > static_cast<size_t>(kMaxRowLength))
            load.Rows.Cut(load.Pending, false);
        load.Rows.Flush();
    }
    if (load.LastEnd != 0) ++load.Counts[load.LastEnd == kCR ? lkCR : lkLF];
    load.Rows.Cut(load.Pending, true);
    load.Rows.Flush();
    Adopt(load.Rows.TakeIndex(), load.Rows.Longest(), load.Rows.LineEnds());
    return FactsOfBytes(load.Counts, load.Nul);
}

void TextStore::Adopt(RowIndex&& fresh, int32_t longest, int32_t lineEnds) {
    int32_t oldCount = CharCount();
    DropLoadedBytes();
    m_rangeMarks.Deleted(0, oldCount);
    RemoveAll();
    if (oldCount > 0)
        for (StoreListener* listener : m_listeners) listener->StoreDeleted(0, oldCount);
    m_rows = std::move(fresh);
    m_longestRow = longest;
    m_lineEnds = lineEnds;
    if (CharCount() > 0)
        for (StoreListener* listener : m_listeners) listener->StoreInserted(0, CharCount());
}

void TextStore::KeepLoadedBytes(std::string bytes) {
    m_loadedBytes = std::move(bytes);
    m_hasLoadedBytes = true;
}

void TextStore::DropLoadedBytes() {
    if (!m_hasLoadedBytes) return;
    m_hasLoadedBytes = false;
    std::string().swap(m_loadedBytes);
}

void TextStore::SetWrap(WrapSettings wrap) {
    wrap.Width = std::max(20, wrap.Width);
    bool unchangedRows = !wrap.Enabled && !m_wrap.Enabled;
    m_wrap = std::move(wrap);
    if (!unchangedRows) RewrapAll();
}

void TextStore::RewrapAll() {
    if (RowCount() == 0) return;
    RowIndex fresh;
    std::vector<TextRow*> rows;
    std::vector<TextRow*> old;
    old.reserve(RowCount());
    std::string line;
    TextRow* first = nullptr;  // the first row of the logical line being gathered
    int32_t longest = 0;
    auto cutLine = [&] {
        std::vector<TextRow*> cut = CutIntoRows(line, first, false);
        cut.front()->TrackInfo = std::exchange(first->TrackInfo, nullptr);
        if (cut.front()->TrackInfo) cut.front()->TrackInfo->Row = cut.front();
        for (TextRow* row : cut) longest = std::max<int32_t>(longest, row->Len);
        rows.insert(rows.end(), cut.begin(), cut.end());
        if (rows.size() >= 4096) {
            fresh.Replace(fresh.RowCount(), 0, rows);
            rows.clear();
        }
        line.clear();
        first = nullptr;
    };
    m_rows.VisitRows(0, [&](TextRow* row) {
        if (!first) first = row;
        line.append(row->View());
        old.push_back(row);
        if (row->EndsWithCR()) cutLine();
        return true;
    });
    if (first) cutLine();
    fresh.Replace(fresh.RowCount(), 0, rows);
    for (TextRow* row : old) FreeRow(row);  // marks and track objects passed to the new rows
    m_rows = std::move(fresh);
    m_longestRow = longest;
    NoteRescan(0);
    for (StoreListener* listener : m_listeners) listener->StoreRewrapped();
}

void TextStore::RemoveAll() {
    m_rows.VisitRows(0, [this](TextRow* row) {
        ReleaseRow(row);
        return true;
    });
    m_rows.Clear();
    m_customBookmarks.Clear();
    m_longestRow = 0;
    m_lineEnds = 0;
    m_firstRescanRow = 0;
}

void TextStore::Splice(int32_t firstRow, int32_t count, std::string_view head,
                       std::string_view middle, std::string_view tail) {
    // The rows must come out as a fresh load of the same text would cut them, so the splice
    // takes in every row whose cut may change. Wrapped lines are cut anew as a whole.
    std::string lineBefore;
    if (m_wrap.Enabled && count > 0) {
        while (firstRow > 0 && Row(firstRow)->IsContinuation()) {
            --firstRow;
            ++count;
            lineBefore.insert(0, Row(firstRow)->View());
        }
    }
    // Join before freeing anything: head and tail point into the rows being replaced.
    std::string joined;
    joined.reserve(lineBefore.size() + head.size() + middle.size() + tail.size());
    joined.append(lineBefore).append(head).append(middle).append(tail);
    // A logical line that does not end inside the replaced rows goes on in the rows after
    // them: the next line once its line end is gone, and a wrapped line's own later rows.
    for (int32_t last = firstRow + count; last < RowCount(); ++last, ++count) {
        bool lineOpen = joined.empty() ? firstRow > 0 && !Row(firstRow - 1)->EndsWithCR()
                                       : joined.back() != kCR;
        bool wrappedRest = m_wrap.Enabled && count > 0 && !Row(last - 1)->EndsWithCR();
        if (!lineOpen && !wrappedRest) break;
        joined.append(Row(last)->View());
    }
    // An unwrapped row cut at the row limit looks a few bytes into the row after it; when
    // those bytes change, the row before the splice is cut anew too.
    if (!m_wrap.Enabled && count > 0 && firstRow > 0 && Row(firstRow)->IsContinuation() &&
        head.size() < kUtf8LookAhead) {
        TextRow* before = Row(firstRow - 1);
        std::string probe(before->View());
        probe.append(std::string_view(joined).substr(0, kUtf8LookAhead));
        if (NextRowEnd(probe, 0, joined.size() <= kUtf8LookAhead) != before->Len) {
            --firstRow;
            ++count;
            joined.insert(0, before->View());
        }
    }

    TextRow* first = count > 0 ? Row(firstRow) : nullptr;
    bool continued = firstRow > 0 && !Row(firstRow - 1)->EndsWithCR();
    std::vector<TextRow*> rows = CutIntoRows(joined, first, continued);

    std::vector<TextRow*> old;
    old.reserve(count);
    if (count > 0) {
        m_rows.VisitRows(firstRow, [&](TextRow* row) {
            old.push_back(row);
            return static_cast<int32_t>(old.size()) < count;
        });
    }
    if (first && !rows.empty()) {
        // The first new row takes the replaced row's place: its bookmarks and track object.
        rows.front()->TrackInfo = std::exchange(first->TrackInfo, nullptr);
        if (rows.front()->TrackInfo) rows.front()->TrackInfo->Row = rows.front();
        first->MarkBits &= ~kBookmarkBits;
    }
    m_rows.Replace(firstRow, count, rows);
    for (TextRow* row : old) {
        m_lineEnds -= row->EndsWithCR();
        ReleaseRow(row);
    }
    for (TextRow* row : rows) m_lineEnds += row->EndsWithCR();

    for (TextRow* row : rows) m_longestRow = std::max<int32_t>(m_longestRow, row->Len);
    int32_t after = firstRow + static_cast<int32_t>(rows.size());
    FixContinuation(after);
    NoteRescan(firstRow);
}

std::vector<TextRow*> TextStore::CutIntoRows(std::string_view text, const TextRow* inheritFrom,
                                             bool startsContinued) const {
    std::vector<TextRow*> rows;
    LineWrapper wrapper(m_wrap);
    size_t pos = 0;
    while (pos < text.size()) {
        bool lineStart = pos == 0 ? !startsContinued : text[pos - 1] == kCR;
        size_t end = wrapper.RowEnd(text, pos, lineStart);
        TextRow* row = NewRow(text.substr(pos, end - pos));
        if (rows.empty()) {
            if (inheritFrom) {
                row->MarkBits = inheritFrom->MarkBits;
                row->GlyphBits = inheritFrom->GlyphBits;
                row->RowColor1 = inheritFrom->RowColor1;
                row->RowColor2 = inheritFrom->RowColor2;
            }
            row->MarkBits = startsContinued ? (row->MarkBits | kContinuationBit)
                                            : (row->MarkBits & ~kContinuationBit);
        } else {
            row->MarkBits = rows.back()->EndsWithCR() ? 0 : kContinuationBit;
            row->RowColor2 = rows.front()->RowColor2;
        }
        rows.push_back(row);
        pos = end;
    }
    return rows;
}

void TextStore::ReleaseRow(TextRow* row) {
    for (int n = 0; n < 10; ++n)
        if (row->MarkBits & (1u << n)) m_bookmarkColumns[n] = 0;
    FreeRow(row);
}

void TextStore::FixContinuation(int32_t row) {
    if (row <= 0 || row >= RowCount()) {
        if (row == 0 && RowCount() > 0) Row(0)->MarkBits &= ~kContinuationBit;
        return;
    }
    TextRow* next = Row(row);
    bool continued = !Row(row - 1)->EndsWithCR();
    if (continued != next->IsContinuation()) {
        next->MarkBits ^= kContinuationBit;
        next->Flags |= rfRepaint;
    }
}

void TextStore::NoteRescan(int32_t firstRow) {
    m_firstRescanRow = std::min(m_firstRescanRow, firstRow);
}

bool TextStore::Check() const {
    if (!m_rows.Check()) return false;
    bool ok = true;
    int32_t lineEnds = 0;
    const TextRow* previous = nullptr;
    m_rows.VisitRows(0, [&](TextRow* row) {
        std::string_view text = row->View();
        bool badCR = text.find(kCR) != std::string_view::npos && text.find(kCR) != text.size() - 1;
        bool continued = previous && !previous->EndsWithCR();
        if (row->Len == 0 || row->Len > kMaxRowLength || badCR ||
            text.find(kLF) != std::string_view::npos || continued != row->IsContinuation() ||
            (text.find(kTab) != std::string_view::npos && (row->Flags & rfHasTab) == 0)) {
            ok = false;
        }
        lineEnds += row->EndsWithCR();
        previous = row;
        return ok;
    });
    return ok && lineEnds == m_lineEnds;
}

}  // namespace quinkle

// Keeps the style bytes of a text store's rows up to date with a scheme, scanning lazily.
#include "engine/scheme/Highlighter.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/scheme/LineScan.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {

Highlighter::Highlighter(TextStore& store, SyntaxScheme* scheme)
    : m_store(store), m_scheme(scheme) {
    m_store.Attach(this);
    m_ends.assign(m_store.RowCount(), -1);
}

Highlighter::~Highlighter() {
    m_store.Detach(this);
    ReleaseSpares();
}

void Highlighter::SetScheme(SyntaxScheme* scheme) {
    m_scheme = scheme;
    InvalidateAll();
}

void Highlighter::InvalidateAll() {
    // The style bytes are kept aside by row, for the rescan to paint into again instead of
    // freeing them all now and allocating them all anew.
    ReleaseSpares();
    const int32_t count = m_store.RowCount();
    if (m_scheme) m_spare.resize(static_cast<size_t>(count));
    for (int32_t row = 0; row < count; ++row) {
        TextRow* text = m_store.Row(row);
        if (text->Styles && m_scheme) {
            m_spare[row] = Spare{text->Styles, std::max<int32_t>(text->Len, 1)};
            text->Styles = nullptr;
        }
        InvalidateRow(text);
        text->Flags &= ~rfGuessed;  // no style bytes, so no guess either
    }
    m_store.SetFirstRescanRow(0);
    m_ends.assign(m_store.RowCount(), -1);
    m_guessedEnd = 0;
}

bool Highlighter::Valid(int32_t row) const {
    const TextRow* text = m_store.Row(row);
    return text->Styles != nullptr && (text->Flags & (rfRescan | rfGuessed)) == 0;
}

bool Highlighter::Shown(int32_t row) const {
    const TextRow* text = m_store.Row(row);
    return text->Styles != nullptr && (text->Flags & rfRescan) == 0;
}

uint8_t Highlighter::EndValue(int32_t row) const {
    const TextRow* text = m_store.Row(row);
    if (!text->Styles) return 0;
    return text->Styles[text->Len > 0 ? text->Len - 1 : 0];
}

int32_t Highlighter::LineStart(int32_t row) const {
    while (row > 0 && m_store.Row(row)->IsContinuation()) --row;
    return row;
}

int32_t Highlighter::LineLast(int32_t row) const {
    const int32_t count = m_store.RowCount();
    while (row + 1 < count && !m_store.Row(row)->EndsWithCR()) ++row;
    return row;
}

int32_t Highlighter::ChooseStart(int32_t row) const {
    // A line that starts after an anchor value starts from a state the scheme vouches for.
    const StateSet& anchors = m_scheme->GetAnchorSet();
    int32_t candidate = row;
    for (int32_t i = 0; i <= kAnchorSearchLines && candidate > 0; ++i) {
        if (anchors.Test(EndValue(candidate - 1))) return candidate;
        candidate = LineStart(candidate - 1);
    }
    return candidate == 0 ? 0 : row;
}

void Highlighter::Highlight(int32_t firstRow, int32_t lastRow) {
    const int32_t count = m_store.RowCount();
    if (!m_scheme || count == 0) return;
    if (static_cast<int32_t>(m_ends.size()) != count) m_ends.assign(count, -1);
    firstRow = std::clamp(firstRow, 0, count - 1);
    lastRow = std::min(lastRow, count - 1);
    if (lastRow < firstRow) return;

    // Rows before the first rescan row are up to date, and so are the valid rows after it
    // up to the first row an edit touched.
    int32_t row = std::min(m_store.FirstRescanRow(), count);
    while (row <= lastRow && Valid(row)) ++row;
    bool trusted = true;
    if (row > lastRow) {
        // Style bytes dropped without lowering the first rescan row: the rows above may be
        // stale too, so the scan starts after an anchor value if one is near.
        int32_t invalid = firstRow;
        while (invalid <= lastRow && Valid(invalid)) ++invalid;
        if (invalid > lastRow) {
            if (m_store.FirstRescanRow() <= lastRow) m_store.SetFirstRescanRow(row);
            return;
        }
        row = invalid;
        trusted = false;
    }

    const int32_t mustReach = LineStart(row);
    int32_t at = trusted ? mustReach : ChooseStart(mustReach);
    uint8_t incoming = at > 0 ? EndValue(at - 1) : 0;
    for (;;) {
        // Most lines are one row: that row is looked up once.
        TextRow* text = m_store.Row(at);
        const int32_t lineLast = text->EndsWithCR() ? at : LineLast(at);
        bool bound = false;
        const uint8_t end = ScanLine(at, lineLast, incoming, bound, false, text);
        const bool changed = m_ends[lineLast] != end;
        m_ends[lineLast] = end;
        at = lineLast + 1;
        incoming = end;
        if (at >= count) {
            m_store.SetFirstRescanRow(count);
            return;
        }
        if (at <= mustReach) continue;
        if (changed || bound) {
            // The next line was scanned from another value (or the state is bound): it must
            // be rescanned too; beyond the rows asked for, a row without styles waits.
            if (at > lastRow && !Valid(at)) {
                m_store.SetFirstRescanRow(at);
                return;
            }
            continue;
        }
        // The next line starts as before: skip the rows that are still valid.
        while (at <= lastRow && Valid(at)) ++at;
        if (at > lastRow || at >= count) {
            m_store.SetFirstRescanRow(at);
            return;
        }
        at = LineStart(at);
        incoming = at > 0 ? EndValue(at - 1) : 0;
    }
}

void Highlighter::HighlightNear(int32_t firstRow, int32_t lastRow) {
    const int32_t count = m_store.RowCount();
    if (!m_scheme || count == 0) return;
    firstRow = std::clamp(firstRow, 0, count - 1);
    lastRow = std::min(lastRow, count - 1);
    if (lastRow < firstRow) return;
    if (!FarToScan(firstRow, lastRow)) {
        Highlight(firstRow, lastRow);
        return;
    }
    if (static_cast<int32_t>(m_ends.size()) != count) m_ends.assign(count, -1);
    Guess(firstRow, lastRow);
    // Rows there that kept their style bytes may be stale too (an edit above them changes the
    // state they start from): the real scan must reach them as well.
    m_guessedEnd = std::max(m_guessedEnd, lastRow + 1);
}

// Far: the rows lie more than the near reach past the first row needing a rescan, or that row
// belongs to a line too long to scan again at every key press.
bool Highlighter::FarToScan(int32_t firstRow, int32_t lastRow) const {
    int32_t row = std::min(m_store.FirstRescanRow(), m_store.RowCount());
    if (firstRow - row > m_nearRows) return true;
    while (row <= lastRow && Valid(row)) ++row;
    if (row > lastRow) return false;
    const int32_t start = LineStart(row);
    return row - start > m_longLineRows || LineLast(row) - start > m_longLineRows;
}

// Each run of rows without style bytes is scanned from its line's start (from the row itself
// in a long line), with the state at the end of the row above when that row has style bytes.
// Guessed rows record no end values and are never Valid, so the real scan rescans every one
// of them when it gets there.
void Highlighter::Guess(int32_t firstRow, int32_t lastRow) {
    int32_t row = firstRow;
    while (row <= lastRow) {
        if (Shown(row)) {
            ++row;
            continue;
        }
        int32_t at = LineStart(row);
        if (row - at > m_longLineRows) at = row;
        uint8_t incoming = at > 0 && Shown(at - 1) ? EndValue(at - 1) : 0;
        do {
            const int32_t last = std::min(LineLast(at), std::max(lastRow, at));
            bool bound = false;
            incoming = ScanLine(at, last, incoming, bound, true);
            at = last + 1;
        } while (at <= lastRow && !Shown(at));
        row = at;
    }
}

bool Highlighter::Behind() const {
    return m_scheme && m_store.FirstRescanRow() < std::min(m_guessedEnd, m_store.RowCount());
}

void Highlighter::CatchUp(int32_t rows) {
    if (!Behind()) return;
    const int32_t from = m_store.FirstRescanRow();
    Highlight(from, from + rows);
}

uint8_t* Highlighter::StylesFor(int32_t row, int32_t size) {
    if (static_cast<size_t>(row) < m_spare.size() && m_spare[row].Bytes) {
        Spare spare = m_spare[row];
        m_spare[row] = Spare{};
        if (spare.Size == size) return spare.Bytes;
        delete[] spare.Bytes;
    }
    return new uint8_t[static_cast<size_t>(size)];
}

void Highlighter::ReleaseSpares() {
    for (Spare& spare : m_spare) delete[] spare.Bytes;
    m_spare.clear();
}

uint8_t Highlighter::ScanLine(int32_t first, int32_t last, uint8_t incoming, bool& bound,
                              bool guessed, TextRow* firstText) {
    // A line of one row (nearly every line) is painted straight into the row's style bytes;
    // a longer one through a buffer that is then cut into its rows.
    TextRow* single = first != last ? nullptr : firstText ? firstText : m_store.Row(first);
    std::string_view text;
    uint8_t* out = nullptr;
    std::unique_ptr<uint8_t[]> owned;
    if (single) {
        text = single->View();
        if (single->Styles) {
            // Its own style bytes are painted over; should the scan fail half way, the row
            // is left to be scanned again.
            out = single->Styles;
            single->Flags |= rfRescan;
        } else {
            owned.reset(StylesFor(first, std::max<int32_t>(single->Len, 1)));
            out = owned.get();
        }
    } else {
        m_line.clear();
        for (int32_t row = first; row <= last; ++row) m_line.append(m_store.Row(row)->View());
        text = m_line;
        m_styles.resize(text.size());
        out = m_styles.data();
    }

    SyntaxScheme& scheme = *m_scheme;
    TextCursor cursor(text);
    scheme.SetLineContext(incoming);
    std::string failure;
    const uint8_t end = ScanLineValues(
        scheme, cursor, incoming, failure, [out](int32_t from, int32_t to, uint8_t value) {
            FillValues(out + from, static_cast<size_t>(to - from), value);
        });
    if (!failure.empty() && m_lastError.empty()) m_lastError = failure;
    bound = scheme.IsInBoundState();
    scheme.SetLineContext(end);

    const uint32_t flags = rfRepaint | (guessed ? uint32_t{rfGuessed} : 0u);
    if (single) {
        if (single->Len == 0) out[0] = incoming;
        if (owned) single->Styles = owned.release();
        single->Flags = (single->Flags & ~(rfRescan | rfGuessed)) | flags;
        ++m_rowsScanned;
        return end;
    }
    size_t offset = 0;
    for (int32_t row = first; row <= last; ++row) {
        TextRow* target = m_store.Row(row);
        uint8_t* styles = StylesFor(row, std::max<int32_t>(target->Len, 1));
        if (target->Len > 0)
            std::memcpy(styles, m_styles.data() + offset, target->Len);
        else
            styles[0] = offset > 0 ? m_styles[offset - 1] : incoming;
        delete[] target->Styles;
        target->Styles = styles;
        offset += target->Len;
        target->Flags = (target->Flags & ~(rfRescan | rfGuessed)) | flags;
    }
    m_rowsScanned += last - first + 1;
    return end;
}

void Highlighter::EffectRuns(const TextRow& row, const SchemeStyles& styles,
                             std::vector<EffectRun>& runs) const {
    runs.clear();
    const int32_t length = row.TextLength();
    if (length <= 0) return;
    if (!m_scheme || !row.Styles) {
        runs.push_back(EffectRun{0, length, 0});
        return;
    }
    const std::array<uint8_t, 256>& map = styles.TokenEffect;
    int32_t start = 0;
    uint8_t effect = map[row.Styles[0]];
    for (int32_t i = 1; i < length; ++i) {
        uint8_t next = map[row.Styles[i]];
        if (next == effect) continue;
        runs.push_back(EffectRun{start, i - start, effect});
        start = i;
        effect = next;
    }
    runs.push_back(EffectRun{start, length - start, effect});
}

// The end values follow the rows through edits. An edit replaces a run of rows by another;
// only the value of the run's last row matters afterwards (the row after the run was scanned
// from it), so rows are inserted or removed inside the run, never after its last row.
void Highlighter::RowsChanged(int32_t position, int32_t delta) {
    const int32_t count = m_store.RowCount();
    if (position < m_guessedEnd) m_guessedEnd = std::max(position, m_guessedEnd + delta);
    if (count == 0) {
        m_ends.clear();
        m_guessedEnd = 0;
        return;
    }
    if (static_cast<int32_t>(m_ends.size()) + delta != count) {
        m_ends.assign(count, -1);
        ReleaseSpares();
        return;
    }
    if (delta > 0) {
        position = std::clamp(position, 0, static_cast<int32_t>(m_ends.size()));
        m_ends.insert(m_ends.begin() + position, delta, int16_t{-1});
    } else if (delta < 0) {
        position = std::clamp(position, 0, static_cast<int32_t>(m_ends.size()) + delta);
        m_ends.erase(m_ends.begin() + position, m_ends.begin() + position - delta);
    }
    // Spare style bytes follow their rows; a spare whose size no longer fits is dropped when
    // its row is painted.
    if (m_spare.empty()) return;
    if (static_cast<int32_t>(m_spare.size()) + delta != count) {
        ReleaseSpares();
    } else if (delta > 0) {
        position = std::clamp(position, 0, static_cast<int32_t>(m_spare.size()));
        m_spare.insert(m_spare.begin() + position, static_cast<size_t>(delta), Spare{});
    } else if (delta < 0) {
        position = std::clamp(position, 0, static_cast<int32_t>(m_spare.size()) + delta);
        for (int32_t i = position; i < position - delta; ++i) delete[] m_spare[i].Bytes;
        m_spare.erase(m_spare.begin() + position, m_spare.begin() + position - delta);
    }
}

void Highlighter::StoreInserted(int32_t at, int32_t /*length*/) {
    const int32_t delta = m_store.RowCount() - static_cast<int32_t>(m_ends.size());
    if (delta == 0) return;
    RowsChanged(at > 0 ? m_store.Locate(at - 1).Row : 0, delta);
}

void Highlighter::StoreDeleted(int32_t from, int32_t /*to*/) {
    const int32_t delta = m_store.RowCount() - static_cast<int32_t>(m_ends.size());
    if (m_store.RowCount() == 0) {
        m_ends.clear();
        return;
    }
    if (delta == 0) return;
    if (delta > 0) {
        RowsChanged(from > 0 ? m_store.Locate(from - 1).Row : 0, delta);
        return;
    }
    RowsChanged(m_store.Locate(std::min(from, m_store.CharCount() - 1)).Row, delta);
    // Whole rows gone: the row after them kept its style bytes, but the line before it is
    // another one now, so it must be scanned again.
    if (from < m_store.CharCount()) {
        int32_t after = m_store.Locate(from).Row;
        if (Valid(after)) InvalidateRow(m_store.Row(after));
    }
}

void Highlighter::StoreRewrapped() {
    m_ends.assign(m_store.RowCount(), -1);
    ReleaseSpares();
    // Rows are numbered anew: rows shown ahead of the real scan may be anywhere now.
    if (m_guessedEnd > 0) m_guessedEnd = m_store.RowCount();
}

}  // namespace quinkle

// Reading a store's rows piece by piece through a table of nearby rows.
#include "engine/search/StoreReader.h"

#include <algorithm>

#include "engine/text/TextStore.h"

namespace quinkle {
namespace {

// The table covers this many characters before and after the offset that missed it; most
// reads walk forwards.
constexpr int32_t kBehind = 8 * 1024;
constexpr int32_t kAhead = 56 * 1024;

}  // namespace

StoreReader::StoreReader(const TextStore& store) : m_store(store), m_length(store.CharCount()) {}

bool StoreReader::Holds(size_t index, int32_t offset) const {
    const Entry& entry = m_rows[index];
    return offset >= entry.Start && offset < entry.Start + entry.Row->Len;
}

size_t StoreReader::IndexOf(int32_t offset) const {
    if (!m_rows.empty()) {
        if (Holds(m_hint, offset)) return m_hint;
        if (m_hint + 1 < m_rows.size() && Holds(m_hint + 1, offset)) return m_hint + 1;
        const Entry& last = m_rows.back();
        if (offset >= m_rows.front().Start && offset < last.Start + last.Row->Len) {
            auto after = std::upper_bound(
                m_rows.begin(), m_rows.end(), offset,
                [](int32_t value, const Entry& entry) { return value < entry.Start; });
            return static_cast<size_t>(after - m_rows.begin()) - 1;
        }
    }
    Load(offset);
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (Holds(i, offset)) return i;
    return 0;  // not reached for an offset inside the text
}

CharReader::Piece StoreReader::PieceAt(int32_t offset) const {
    m_hint = IndexOf(offset);
    const Entry& entry = m_rows[m_hint];
    return {entry.Row->Text(), entry.Start, entry.Row->Len};
}

void StoreReader::VisitPieces(int32_t from, int32_t to,
                              const std::function<bool(const Piece&)>& visit) const {
    to = std::min(to, m_length);
    from = std::max(from, 0);
    while (from < to) {
        size_t i = IndexOf(from);
        for (; i < m_rows.size() && from < to; ++i) {
            const Entry& entry = m_rows[i];
            int32_t end = std::min(entry.Start + static_cast<int32_t>(entry.Row->Len), to);
            m_hint = i;
            if (!visit({entry.Row->Text() + (from - entry.Start), from, end - from})) return;
            from = end;
        }
    }
}

void StoreReader::Load(int32_t offset) const {
    m_rows.clear();
    m_hint = 0;
    if (m_store.RowCount() == 0) return;
    int32_t from = std::max(0, offset - kBehind);
    int32_t to = std::min(m_length, std::max(offset + 1, offset + kAhead));
    int32_t start = m_store.Locate(from).RowStart;
    m_store.VisitRange(start, to, [&](const TextRow& row, int32_t, int32_t) {
        m_rows.push_back({start, &row});
        start += row.Len;
    });
}

}  // namespace quinkle

// Boyer-Moore-Horspool scans over windows of a reader's pieces, forwards and backwards.
#include "engine/search/PlainSearch.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quinkle {
namespace {

// Pieces are gathered into a window of this size before scanning; the last pattern length
// minus one bytes of a window are kept for the next one, so matches across pieces are found.
constexpr size_t kWindowBytes = 64 * 1024;
// The first window is small, so that finding a match close by costs little; each further
// window doubles up to kWindowBytes.
constexpr size_t kFirstWindowBytes = 256;

}  // namespace

PlainSearcher::PlainSearcher(std::string_view pattern, bool matchCase)
    : m_pattern(pattern), m_matchCase(matchCase) {
    if (!matchCase)
        for (char& c : m_pattern) c = static_cast<char>(FoldToUpper(static_cast<uint8_t>(c)));
    auto m = static_cast<uint32_t>(m_pattern.size());
    m_skip.fill(std::max<uint32_t>(m, 1));
    m_backSkip.fill(std::max<uint32_t>(m, 1));
    auto note = [&](std::array<uint32_t, 256>& table, uint8_t c, uint32_t shift) {
        table[c] = shift;
        if (!matchCase && c >= 'A' && c <= 'Z') table[c - 'A' + 'a'] = shift;
    };
    for (uint32_t i = 0; i + 1 < m; ++i)
        note(m_skip, static_cast<uint8_t>(m_pattern[i]), m - 1 - i);
    for (uint32_t i = m; i-- > 1;) note(m_backSkip, static_cast<uint8_t>(m_pattern[i]), i);
}

bool PlainSearcher::Equal(const uint8_t* text) const {
    const auto* pattern = reinterpret_cast<const uint8_t*>(m_pattern.data());
    size_t m = m_pattern.size();
    if (m_matchCase) return std::memcmp(text, pattern, m) == 0;
    for (size_t i = 0; i < m; ++i)
        if (FoldToUpper(text[i]) != pattern[i]) return false;
    return true;
}

bool PlainSearcher::Accept(int32_t start, ReaderCursor& around) const {
    if (!m_wordChars) return true;
    int before = around.At(start - 1);
    int after = around.At(start + PatternLength());
    return !(before >= 0 && m_wordChars->Has(static_cast<uint8_t>(before))) &&
           !(after >= 0 && m_wordChars->Has(static_cast<uint8_t>(after)));
}

int64_t PlainSearcher::ScanForward(const char* block, size_t size, int32_t base,
                                   ReaderCursor& around) const {
    const auto* text = reinterpret_cast<const uint8_t*>(block);
    size_t m = m_pattern.size();
    if (size < m) return -1;
    size_t last = m - 1;
    auto lastByte = static_cast<uint8_t>(m_pattern[last]);
    if (m == 1 && m_matchCase) {  // a single byte: memchr outruns any table
        for (const uint8_t* at = text; at < text + size;) {
            const auto* hit =
                static_cast<const uint8_t*>(std::memchr(at, lastByte, text + size - at));
            if (!hit) return -1;
            auto i = static_cast<int32_t>(hit - text);
            if (Accept(base + i, around)) return base + static_cast<int64_t>(i);
            at = hit + 1;
        }
        return -1;
    }
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen start positions at a time: those whose first and last bytes equal the pattern's.
    // Without match case bit 5 is set on both sides, which folds ASCII case; other bytes that
    // collide that way are weeded out by the full comparison.
    const char fold = m_matchCase ? 0 : 0x20;
    const __m128i caseBit = _mm_set1_epi8(fold);
    const __m128i first = _mm_set1_epi8(static_cast<char>(m_pattern[0] | fold));
    const __m128i final = _mm_set1_epi8(static_cast<char>(lastByte | fold));
    for (; i + last + 16 <= size; i += 16) {
        __m128i head =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)), caseBit);
        __m128i tail = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + last)), caseBit);
        auto mask = static_cast<uint32_t>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(head, first), _mm_cmpeq_epi8(tail, final))));
        for (; mask != 0; mask &= mask - 1) {
            size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
            if (Equal(text + at) && Accept(base + static_cast<int32_t>(at), around))
                return base + static_cast<int64_t>(at);
        }
    }
#endif
    while (i + m <= size) {
        uint8_t c = text[i + last];
        uint8_t folded = m_matchCase ? c : FoldToUpper(c);
        if (folded == lastByte && Equal(text + i) && Accept(base + static_cast<int32_t>(i), around))
            return base + static_cast<int64_t>(i);
        i += m_skip[c];
    }
    return -1;
}

int64_t PlainSearcher::ScanBackward(const char* block, size_t size, int32_t base,
                                    ReaderCursor& around) const {
    const auto* text = reinterpret_cast<const uint8_t*>(block);
    size_t m = m_pattern.size();
    if (size < m) return -1;
    auto firstByte = static_cast<uint8_t>(m_pattern[0]);
    for (int64_t i = static_cast<int64_t>(size - m); i >= 0;) {
        uint8_t c = text[i];
        uint8_t folded = m_matchCase ? c : FoldToUpper(c);
        if (folded == firstByte && Equal(text + i) &&
            Accept(base + static_cast<int32_t>(i), around))
            return base + i;
        i -= m_backSkip[c];
    }
    return -1;
}

size_t PlainSearcher::FirstWindow() const {
    return std::max<size_t>(kFirstWindowBytes, 2 * m_pattern.size());
}

size_t PlainSearcher::NextWindow(size_t capacity) const {
    return std::min(2 * capacity, std::max(kWindowBytes, 2 * m_pattern.size()));
}

int32_t PlainSearcher::FindForward(const CharReader& text, int32_t from, int32_t limit) {
    auto m = static_cast<int32_t>(m_pattern.size());
    from = std::max(from, 0);
    limit = std::min(limit, text.Length());
    if (m == 0 || limit - from < m) return -1;
    ReaderCursor pieces(text);
    ReaderCursor around(text);
    CharReader::Piece first = pieces.PieceAt(from);
    if (first.End() >= limit) {  // one piece holds the whole range: scan it in place
        int64_t found = ScanForward(first.Data + (from - first.Start),
                                    static_cast<size_t>(limit - from), from, around);
        return static_cast<int32_t>(found);
    }
    size_t capacity = FirstWindow();
    if (m_window.size() < capacity) m_window.resize(capacity);
    size_t have = 0;
    int32_t windowStart = from;
    int64_t found = -1;
    auto scan = [&] {
        found = ScanForward(m_window.data(), have, windowStart, around);
        if (found >= 0) return false;
        size_t keep = std::min(have, static_cast<size_t>(m - 1));
        std::memmove(m_window.data(), m_window.data() + have - keep, keep);
        windowStart += static_cast<int32_t>(have - keep);
        have = keep;
        capacity = NextWindow(capacity);  // a search that goes far reads in larger windows
        if (m_window.size() < capacity) m_window.resize(capacity);
        return true;
    };
    text.VisitPieces(from, limit, [&](const CharReader::Piece& piece) {
        for (int32_t done = 0; done < piece.Length;) {
            size_t count = std::min<size_t>(piece.Length - done, capacity - have);
            std::memcpy(m_window.data() + have, piece.Data + done, count);
            have += count;
            done += static_cast<int32_t>(count);
            if (have == capacity && !scan()) return false;
        }
        return true;
    });
    if (found < 0 && have >= static_cast<size_t>(m)) scan();
    return static_cast<int32_t>(found);
}

int32_t PlainSearcher::FindBackward(const CharReader& text, int32_t before, int32_t lowest) {
    auto m = static_cast<int32_t>(m_pattern.size());
    lowest = std::max(lowest, 0);
    // The window ends where a match starting just before `before` would end.
    auto end = static_cast<int32_t>(
        std::min<int64_t>(static_cast<int64_t>(before) + m - 1, text.Length()));
    if (m == 0 || end - lowest < m) return -1;
    ReaderCursor pieces(text);
    ReaderCursor around(text);
    CharReader::Piece last = pieces.PieceAt(end - 1);
    if (last.Start <= lowest) {
        return static_cast<int32_t>(ScanBackward(
            last.Data + (lowest - last.Start), static_cast<size_t>(end - lowest), lowest, around));
    }
    // The window's bytes sit at the end of the buffer and start at offset `next`.
    size_t capacity = FirstWindow();
    if (m_window.size() < capacity) m_window.resize(capacity);
    char* tail = m_window.data() + capacity;
    size_t have = 0;
    int32_t next = end;
    for (;;) {
        while (have < capacity && next > lowest) {
            const CharReader::Piece& piece = pieces.PieceAt(next - 1);
            int32_t low = std::max(piece.Start, lowest);
            size_t count = std::min<size_t>(next - low, capacity - have);
            next -= static_cast<int32_t>(count);
            std::memcpy(tail - have - count, piece.Data + (next - piece.Start), count);
            have += count;
        }
        int64_t found = ScanBackward(tail - have, have, next, around);
        if (found >= 0) return static_cast<int32_t>(found);
        if (next <= lowest) return -1;
        size_t keep = std::min(have, static_cast<size_t>(m - 1));
        std::string kept(tail - have, keep);
        capacity = NextWindow(capacity);
        if (m_window.size() < capacity) m_window.resize(capacity);
        tail = m_window.data() + capacity;
        std::memcpy(tail - keep, kept.data(), keep);
        have = keep;
    }
}

}  // namespace quinkle

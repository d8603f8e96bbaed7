// Choosing a match's most selective offsets and scanning a text for starts that fit them.
#include "engine/search/StartFilter.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUINKLE_X86 1
#endif

namespace quinkle {
namespace {

/// Roughly how often a byte occurs in HTML pages, in parts per two thousand or so: letters
/// and spaces are common, markup bytes less, most others rare.
int Weight(uint8_t c) {
    static const int kLower[26] = {70, 12, 30, 35, 100, 20, 18, 45, 60, 2,  7, 40, 25,
                                   60, 65, 20, 2,  55,  55, 75, 25, 9,  15, 3, 15, 2};
    if (c >= 'a' && c <= 'z') return kLower[c - 'a'];
    if (c >= 'A' && c <= 'Z') return 5;
    if (c >= '0' && c <= '9') return 8;
    switch (c) {
        case ' ':
            return 150;
        case '<':
        case '>':
        case '"':
        case '\r':
            return 25;
        case '/':
            return 20;
        case '=':
            return 15;
        case '.':
            return 12;
        case '-':
        case '\t':
            return 10;
        case ',':
            return 8;
        default:
            return c >= 0x80 ? 2 : 1;
    }
}

int WeightOf(const ByteSet& set) {
    int weight = 0;
    for (int c = 0; c < 256; ++c)
        if (set.Has(static_cast<uint8_t>(c))) weight += Weight(static_cast<uint8_t>(c));
    return weight;
}

/// Offsets whose sets weigh more than this narrow the starts too little to test.
constexpr int kMostWeight = 500;

/// The set as half-byte tables: each distinct row of 16 bytes (sharing a high half) gets a
/// bit; past eight kinds, the last ones share bit 7 (a few more bytes pass).
void Tabulate(StartFilter::Test& test) {
    const ByteSet& set = test.Exact;
    uint16_t kinds[8] = {};
    int count = 0;
    for (int high = 0; high < 16; ++high) {
        uint16_t row = 0;
        for (int low = 0; low < 16; ++low)
            if (set.Has(static_cast<uint8_t>(high << 4 | low))) row |= uint16_t{1} << low;
        if (row == 0) continue;
        int kind = 0;
        while (kind < count && kinds[kind] != row) ++kind;
        if (kind == count) {
            if (count == 8) {
                test.TablesExact = false;
                kind = 7;
                kinds[7] |= row;
            } else {
                kinds[count++] = row;
            }
        }
        test.ByHigh[high] |= static_cast<uint8_t>(1 << kind);
    }
    for (int kind = 0; kind < count; ++kind)
        for (int low = 0; low < 16; ++low)
            if (kinds[kind] >> low & 1) test.ByLow[low] |= static_cast<uint8_t>(1 << kind);
}

/// The ranges of `set`, the closest joined until at most four are left.
std::vector<std::pair<int, int>> RangesOf(const ByteSet& set) {
    std::vector<std::pair<int, int>> ranges;
    for (int c = 0; c < 256; ++c) {
        if (!set.Has(static_cast<uint8_t>(c))) continue;
        int last = c;
        while (last < 255 && set.Has(static_cast<uint8_t>(last + 1))) ++last;
        ranges.emplace_back(c, last);
        c = last;
    }
    while (ranges.size() > 4) {
        size_t join = 0;
        for (size_t i = 1; i + 1 < ranges.size(); ++i)
            if (ranges[i + 1].first - ranges[i].second <
                ranges[join + 1].first - ranges[join].second)
                join = i;
        ranges[join].second = ranges[join + 1].second;
        ranges.erase(ranges.begin() + static_cast<std::ptrdiff_t>(join) + 1);
    }
    return ranges;
}

/// The set in the forms for comparing many bytes at once; they may hold a few bytes more.
void Shape(StartFilter::Test& test) {
    Tabulate(test);
    ByteSet outside = test.Exact;
    outside.Invert();
    std::vector<std::pair<int, int>> ranges = RangesOf(test.Exact);
    std::vector<std::pair<int, int>> outsideRanges = RangesOf(outside);
    // The complement is taken only when it is exact where the set itself is not.
    test.Invert = ranges.size() == 4 && outsideRanges.size() < 4;
    if (test.Invert) ranges = outsideRanges;
    if (ranges.empty()) {  // an empty set: no byte fits
        ranges.emplace_back(0, 255);
        test.Invert = true;
    }
    for (size_t i = 0; i < 4; ++i) {
        const auto& [low, high] = ranges[i < ranges.size() ? i : 0];
        test.Low[i] = static_cast<uint8_t>(low);
        test.Span[i] = static_cast<uint8_t>(high - low);
    }
}

using Test = StartFilter::Test;

#if QUINKLE_X86
std::atomic<bool> g_allowWide{true};

bool HasWideScan() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has && g_allowWide.load(std::memory_order_relaxed);
}

// 16 bytes compared at once by GCC's vector extensions, on the baseline instruction set.
typedef uint8_t Bytes16 __attribute__((vector_size(16)));

inline Bytes16 Load(const uint8_t* at) {
    Bytes16 bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    return bytes;
}

inline Bytes16 Splat(uint8_t c) {
    Bytes16 bytes;
    for (int i = 0; i < 16; ++i) bytes[i] = c;
    return bytes;
}

/// The first of the starts [0, starts) (rounded down to whole blocks of 16) whose tested
/// bytes fit, or -1; `done` gets the starts looked at. Reads data[0, starts + reach).
/// Compares ranges: the baseline instruction set has no table look-up.
int64_t ScanNarrow(const uint8_t* data, int64_t starts, const Test* tests, int count,
                   int64_t& done) {
    constexpr int kTests = StartFilter::kMaxTests;
    Bytes16 low[kTests][4];
    Bytes16 span[kTests][4];
    Bytes16 invert[kTests];
    int32_t offset[kTests];
    for (int t = 0; t < kTests; ++t) {
        const Test& test = tests[t < count ? t : 0];  // missing tests repeat the first
        for (int r = 0; r < 4; ++r) {
            low[t][r] = Splat(test.Low[r]);
            span[t][r] = Splat(test.Span[r]);
        }
        invert[t] = Splat(test.Invert ? 0xFF : 0);
        offset[t] = test.Offset;
    }
    auto fits = [&](int t, int64_t i) {
        Bytes16 bytes = Load(data + i + offset[t]);
        Bytes16 in = (Bytes16)((bytes - low[t][0]) <= span[t][0]);
        for (int r = 1; r < 4; ++r) in |= (Bytes16)((bytes - low[t][r]) <= span[t][r]);
        return in ^ invert[t];
    };
    int64_t i = 0;
    for (; i + 16 <= starts; i += 16) {
        Bytes16 all = fits(0, i) & fits(1, i) & fits(2, i);
        __m128i mask;
        std::memcpy(&mask, &all, sizeof mask);
        auto bits = static_cast<uint32_t>(_mm_movemask_epi8(mask));
        if (bits != 0) {
            done = i;
            return i + __builtin_ctz(bits);
        }
    }
    done = i;
    return -1;
}

/// 0xFF for each of the 32 bytes at `at` outside the set of the tables.
__attribute__((target("avx2"))) inline __m256i Outside(const uint8_t* at, __m256i byLow,
                                                       __m256i byHigh) {
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    __m256i low = _mm256_and_si256(bytes, nibble);
    __m256i high = _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble);
    __m256i both =
        _mm256_and_si256(_mm256_shuffle_epi8(byLow, low), _mm256_shuffle_epi8(byHigh, high));
    return _mm256_cmpeq_epi8(both, _mm256_setzero_si256());
}

/// As ScanNarrow, by the half-byte tables: two table look-ups a test and 32 starts at once
/// (whole blocks of 32).
__attribute__((target("avx2"))) int64_t ScanWide(const uint8_t* data, int64_t starts,
                                                 const Test* tests, int count, int64_t& done) {
    __m256i byLow[StartFilter::kMaxTests];
    __m256i byHigh[StartFilter::kMaxTests];
    int32_t offset[StartFilter::kMaxTests];
    for (int t = 0; t < StartFilter::kMaxTests; ++t) {
        const Test& test = tests[t < count ? t : 0];  // missing tests repeat the first
        __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(test.ByLow));
        __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(test.ByHigh));
        byLow[t] = _mm256_broadcastsi128_si256(low);
        byHigh[t] = _mm256_broadcastsi128_si256(high);
        offset[t] = test.Offset;
    }
    int64_t i = 0;
    for (; i + 32 <= starts; i += 32) {
        __m256i outside =
            _mm256_or_si256(_mm256_or_si256(Outside(data + i + offset[0], byLow[0], byHigh[0]),
                                            Outside(data + i + offset[1], byLow[1], byHigh[1])),
                            Outside(data + i + offset[2], byLow[2], byHigh[2]));
        auto mask = ~static_cast<uint32_t>(_mm256_movemask_epi8(outside));
        if (mask != 0) {
            done = i;
            return i + __builtin_ctz(mask);
        }
    }
    done = i;
    return -1;
}
#endif

/// Whether the bytes of the text from `at` fit every test's exact set.
bool FitsAt(const std::vector<Test>& tests, ReaderCursor& text, int32_t at) {
    for (const Test& test : tests) {
        int c = text.At(at + test.Offset);
        if (c < 0 || !test.Exact.Has(static_cast<uint8_t>(c))) return false;
    }
    return true;
}

}  // namespace

void StartFilter::AllowWideScan(bool allow) {
#if QUINKLE_X86
    g_allowWide.store(allow, std::memory_order_relaxed);
#else
    (void)allow;
#endif
}

StartFilter::StartFilter(const std::vector<ByteSet>& offsetBytes) {
    std::vector<std::pair<int, int32_t>> weighed;  // weight, offset
    for (size_t k = 0; k < offsetBytes.size(); ++k) {
        int weight = WeightOf(offsetBytes[k]);
        if (weight <= kMostWeight) weighed.emplace_back(weight, static_cast<int32_t>(k));
    }
    std::sort(weighed.begin(), weighed.end());
    if (weighed.size() > static_cast<size_t>(kMaxTests)) weighed.resize(kMaxTests);
    for (const auto& [weight, offset] : weighed) {
        Test test;
        test.Offset = offset;
        test.Exact = offsetBytes[static_cast<size_t>(offset)];
        Shape(test);
        m_tests.push_back(test);
        m_reach = std::max(m_reach, offset);
        m_tablesExact = m_tablesExact && test.TablesExact;
    }
}

bool StartFilter::Passes(const uint8_t* at) const {
    for (const Test& test : m_tests)
        if (!test.Exact.Has(at[test.Offset])) return false;
    return true;
}

int32_t StartFilter::Next(ReaderCursor& text, int32_t from, int32_t to) const {
    Window window;
    return Next(text, from, to, window);
}

int32_t StartFilter::Next(ReaderCursor& text, int32_t from, int32_t to, Window& window) const {
    if (m_tests.empty()) return from <= to ? from : -1;
    int32_t length = text.Length();
    to = std::min<int32_t>(to, length - 1 - m_reach);
    from = std::max(from, 0);
    // Where candidates come densely, the next one is often the first start: testing it alone
    // costs less than setting up a block scan.
    if (from <= to && FitsAt(m_tests, text, from)) return from;
    for (int32_t at = from; at <= to;) {
        // A stretch of text in one block of memory, holding `at` and the bytes its tests read:
        // the piece itself where it is long enough, else the pieces copied into the window.
        const uint8_t* data;
        int64_t have;
        int64_t need = std::min<int64_t>(length, static_cast<int64_t>(to) + 1 + m_reach) - at;
        int64_t inWindow = static_cast<int64_t>(window.Start) + window.Length - at;
        const CharReader::Piece& piece = text.PieceAt(at);
        if (at >= window.Start && inWindow > m_reach) {
            data = window.Bytes.data() + (at - window.Start);
            have = inWindow;
        } else if (piece.End() - at >= std::min<int64_t>(need, kDirectBytes)) {
            data = reinterpret_cast<const uint8_t*>(piece.Data) + (at - piece.Start);
            have = piece.End() - at;
        } else {
            size_t size = std::clamp<size_t>(2 * static_cast<size_t>(window.Length),
                                             kFirstWindowBytes, kWindowBytes);
            size = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(size), length - at));
            window.Bytes.resize(size);
            for (size_t copied = 0; copied < size;) {
                const CharReader::Piece& part = text.PieceAt(at + static_cast<int32_t>(copied));
                int32_t offset = at + static_cast<int32_t>(copied) - part.Start;
                size_t take = std::min(size - copied, static_cast<size_t>(part.Length - offset));
                std::memcpy(window.Bytes.data() + copied, part.Data + offset, take);
                copied += take;
            }
            window.Start = at;
            window.Length = static_cast<int32_t>(size);
            data = window.Bytes.data();
            have = static_cast<int64_t>(size);
        }
        // Starts whose tested bytes all lie in the stretch (at least `at` itself).
        int64_t starts = std::min<int64_t>(have - m_reach, to + 1LL - at);
        int64_t i = 0;
#if QUINKLE_X86
        while (i + 16 <= starts) {
            int64_t done = 0;
            bool wide = HasWideScan();
            const int count = static_cast<int>(m_tests.size());
            int64_t hit = wide ? ScanWide(data + i, starts - i, m_tests.data(), count, done)
                               : ScanNarrow(data + i, starts - i, m_tests.data(), count, done);
            if (hit < 0) {
                i += done;
                break;
            }
            // The block forms may hold extra bytes: unless they are exact, the sets decide.
            if ((wide && m_tablesExact) || Passes(data + i + hit))
                return at + static_cast<int32_t>(i + hit);
            i += hit + 1;
        }
#endif
        for (; i < starts; ++i)
            if (Passes(data + i)) return at + static_cast<int32_t>(i);
        at += static_cast<int32_t>(starts);
    }
    return -1;
}

}  // namespace quinkle

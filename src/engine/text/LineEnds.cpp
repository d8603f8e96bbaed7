// Line-end normalisation of inserted and loaded text.
#include "engine/text/LineEnds.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#ifdef __x86_64__
#include <immintrin.h>
#endif

#include "engine/text/FileText.h"
#include "engine/text/HugePages.h"
#include "engine/text/TextRow.h"

namespace quinkle {

namespace {

bool IsLineEnd(char c) { return c == kCR || c == kLF; }

// Where a normalisation stands: the next byte to read and to write, and what it has counted.
// The scanning loops work on a local copy, which writes through `Out` cannot touch.
struct Cursor {
    const char* In;
    const char* End;
    char* Out;
    bool InPlace;
    char Pending;
    std::array<int64_t, lkKindCount> Counts;
};

// Writes the line end at In as one CR and steps over it; CR LF and LF CR are one line end.
// A line end that closes the piece is left pending: its partner may open the next one.
[[gnu::always_inline]] inline void LineEndAt(Cursor& at) {
    const char c = *at.In;
    *at.Out++ = kCR;
    if (at.In + 1 == at.End) {
        at.Pending = c;
        ++at.In;
    } else if (IsLineEnd(at.In[1]) && at.In[1] != c) {
        ++at.Counts[c == kCR ? lkCRLF : lkLFCR];
        at.In += 2;
    } else {
        ++at.Counts[c == kCR ? lkCR : lkLF];
        ++at.In;
    }
}

// Whether a whole block of `width` bytes may be stored at Out: it must not overwrite bytes not
// yet read. Always true into another buffer; in place, the output must be level with the
// input or a block behind it.
[[gnu::always_inline]] inline bool MayStoreBlock(const Cursor& at, size_t width) {
    return !at.InPlace || at.Out == at.In || static_cast<size_t>(at.In - at.Out) >= width;
}

// Copies the `count` bytes before a line end one by one.
[[gnu::always_inline]] inline void CopyBytes(Cursor& at, int count) {
    for (const char* stop = at.In + count; at.In < stop;) *at.Out++ = *at.In++;
}

void ScanBytes(Cursor& at) {
    while (at.In < at.End) {
        if (IsLineEnd(*at.In))
            LineEndAt(at);
        else
            *at.Out++ = *at.In++;
    }
}

#ifdef __x86_64__
#define QUINKLE_LINE_ENDS_SIMD 1

// Sixteen bytes at a time: a block without line ends is copied whole.
void ScanSse2(Cursor& cursor) {
    Cursor at = cursor;
    const __m128i cr = _mm_set1_epi8(kCR);
    const __m128i lf = _mm_set1_epi8(kLF);
    while (at.End - at.In >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at.In));
        const auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        if (mask == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(at.Out), block);
            at.In += 16;
            at.Out += 16;
            continue;
        }
        const int first = __builtin_ctz(mask);
        if (MayStoreBlock(at, 16)) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(at.Out), block);
            at.In += first;
            at.Out += first;
        } else {
            CopyBytes(at, first);
        }
        LineEndAt(at);
    }
    cursor = at;
}

// The same, 32 bytes at a time.
[[gnu::target("avx2")]] void ScanAvx2(Cursor& cursor) {
    Cursor at = cursor;
    const __m256i cr = _mm256_set1_epi8(kCR);
    const __m256i lf = _mm256_set1_epi8(kLF);
    while (at.End - at.In >= 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at.In));
        const auto mask = static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_or_si256(_mm256_cmpeq_epi8(block, cr), _mm256_cmpeq_epi8(block, lf))));
        if (mask == 0) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(at.Out), block);
            at.In += 32;
            at.Out += 32;
            continue;
        }
        const int first = __builtin_ctz(mask);
        if (MayStoreBlock(at, 32)) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(at.Out), block);
            at.In += first;
            at.Out += first;
        } else {
            CopyBytes(at, first);
        }
        LineEndAt(at);
    }
    cursor = at;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

}  // namespace

void LineEndNormaliser::Append(std::string_view text, std::string& out) {
    const size_t old = out.size();
    out.resize(old + text.size());
    out.resize(old + Normalise(text.data(), text.size(), out.data() + old));
}

size_t LineEndNormaliser::Normalise(const char* text, size_t size, char* out) {
    Cursor at{text, text + size, out, text == out, 0, m_counts};
    if (m_pending != 0 && size != 0) {
        if (IsLineEnd(*text) && *text != m_pending) {  // the second half of a pair cut before
            ++at.Counts[m_pending == kCR ? lkCRLF : lkLFCR];
            ++at.In;
        } else {
            ++at.Counts[m_pending == kCR ? lkCR : lkLF];
        }
        m_pending = 0;
    }
#ifdef QUINKLE_LINE_ENDS_SIMD
    if (HasAvx2())
        ScanAvx2(at);
    else
        ScanSse2(at);
#endif
    ScanBytes(at);
    m_counts = at.Counts;
    if (size != 0) m_pending = at.Pending;
    return static_cast<size_t>(at.Out - out);
}

std::array<int64_t, lkKindCount> LineEndNormaliser::Counts() const {
    std::array<int64_t, lkKindCount> counts = m_counts;
    if (m_pending != 0) ++counts[m_pending == kCR ? lkCR : lkLF];
    return counts;
}

std::string NormaliseLineEnds(std::string_view text) {
    std::string out;
    LineEndNormaliser normaliser;
    normaliser.Append(text, out);
    return out;
}

bool ReadStoredText(int fd, std::string& out, size_t maxBytes) {
    // A file's size is known: room for all of it is made at once rather than as it comes.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= 0 && info.st_size > at) {
            out.reserve(out.size() + std::min(static_cast<size_t>(info.st_size - at), maxBytes));
            AdviseHugePages(out.data() + out.size(), out.capacity() - out.size());
        }
    }
    FileTextDecoder decoder;
    // Large reads into a buffer that stays in the cache while it is normalised into `out`.
    constexpr size_t kChunk = size_t{1} << 17;
    const std::unique_ptr<char[]> chunk(new char[kChunk]);
    for (;;) {
        ssize_t got = ::read(fd, chunk.get(), kChunk);
        if (got == 0) {
            decoder.Finish(out);
            if (out.size() > maxBytes) {
                errno = EFBIG;
                return false;
            }
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        decoder.Append(std::string_view(chunk.get(), static_cast<size_t>(got)), out);
        if (out.size() > maxBytes) {
            errno = EFBIG;
            return false;
        }
    }
}

}  // namespace quinkle

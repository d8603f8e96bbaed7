// A whole text through the scanner at once, as the editor highlights it.
#include "engine/scheme/TextScan.h"

#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/scheme/LineScan.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {
namespace {

// The first CR or LF at or after `begin`, or `size`. Lines are short, so one pass looking
// for both, sixteen bytes at a time, beats a library search for each that starts anew per line.
size_t LineEndAfter(const char* data, size_t size, size_t begin) {
    size_t at = begin;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; at + 16 <= size; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        if (mask != 0) return at + static_cast<size_t>(__builtin_ctz(mask));
    }
#endif
    for (; at < size; ++at)
        if (data[at] == '\r' || data[at] == '\n') return at;
    return size;
}

// Scans one line (its end, if any, as a CR) into `out`, each byte getting paint[value];
// returns the token value of its last byte, or `incoming` for an empty line.
uint8_t ScanOneLine(SyntaxScheme& scheme, std::string_view line, uint8_t incoming,
                    const uint8_t* paint, uint8_t* out, TextScanTotals& totals,
                    std::string& failure) {
    TextCursor cursor(line);
    scheme.SetLineContext(incoming);
    int64_t tokens = 0;
    const uint8_t last = ScanLineValues(
        scheme, cursor, incoming, failure, [&](int32_t from, int32_t to, uint8_t value) {
            ++tokens;
            FillValues(out + from, static_cast<size_t>(to - from), paint[value]);
        });
    totals.Tokens += tokens;
    if (!failure.empty()) {
        ++totals.Errors;
        failure.clear();
    }
    return last;
}

TextScanTotals ScanText(SyntaxScheme& scheme, const uint8_t* paint, std::string_view text,
                        uint8_t* out, uint8_t& incoming) {
    TextScanTotals totals;
    std::string withCR;  // a line that ends in a lone LF, its end turned into the CR it means
    std::string failure;
    const char* data = text.data();
    const size_t size = text.size();
    size_t begin = 0;
    while (begin < size) {
        const size_t end = LineEndAfter(data, size, begin);
        std::string_view line = text.substr(begin, end < size ? end + 1 - begin : end - begin);
        if (end < size && data[end] == '\n') {
            withCR.assign(data + begin, end - begin);
            withCR += '\r';
            line = withCR;
        }
        incoming = ScanOneLine(scheme, line, incoming, paint, out + begin, totals, failure);
        ++totals.Lines;
        begin += line.size();
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') {
            out[end + 1] = out[end];
            ++begin;
        }
    }
    scheme.SetLineContext(0);
    return totals;
}

}  // namespace

TextScanTotals ScanTextValues(SyntaxScheme& scheme, std::string_view text, uint8_t* values) {
    static const std::array<uint8_t, 256> identity = [] {
        std::array<uint8_t, 256> map{};
        for (int v = 0; v < 256; ++v) map[v] = static_cast<uint8_t>(v);
        return map;
    }();
    uint8_t incoming = 0;
    return ScanText(scheme, identity.data(), text, values, incoming);
}

TextScanTotals ScanTextEffects(SyntaxScheme& scheme, const std::array<uint8_t, 256>& tokenEffect,
                               std::string_view text, uint8_t* effects) {
    uint8_t incoming = 0;
    return ScanText(scheme, tokenEffect.data(), text, effects, incoming);
}

TextScanTotals ScanTextEffects(SyntaxScheme& scheme, const std::array<uint8_t, 256>& tokenEffect,
                               std::string_view piece, uint8_t* effects, uint8_t& incoming) {
    return ScanText(scheme, tokenEffect.data(), piece, effects, incoming);
}

}  // namespace quinkle

// A whole text through the scanner at once, as the editor highlights it.
#include "engine/scheme/TextScan.h"

#include <cstring>
#include <string>

#include "engine/scheme/LineScan.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {
namespace {

// Sets out[0, n) to `value`. Tokens are mostly a few bytes long, so short runs are written
// with overlapping word stores instead of a call.
inline void Fill(uint8_t* out, size_t n, uint8_t value) {
    if (n >= 16) {
        std::memset(out, value, n);
        return;
    }
    const uint64_t pattern = 0x0101010101010101ull * value;
    if (n >= 8) {
        std::memcpy(out, &pattern, 8);
        std::memcpy(out + n - 8, &pattern, 8);
    } else if (n >= 4) {
        const auto half = static_cast<uint32_t>(pattern);
        std::memcpy(out, &half, 4);
        std::memcpy(out + n - 4, &half, 4);
    } else if (n > 0) {
        out[0] = value;
        out[n / 2] = value;
        out[n - 1] = value;
    }
}

// Finds where lines end (the first CR or LF at or after a position) in one pass over the
// text: the next LF is kept until the lines pass it, so a text of CRs alone is not searched
// to its end again for every line.
class LineEnds {
public:
    LineEnds(const char* data, size_t size) : m_data(data), m_size(size) {}

    size_t After(size_t begin) {
        if (!m_lfKnown || m_lf < begin) {
            const void* lf = std::memchr(m_data + begin, '\n', m_size - begin);
            m_lf = lf ? static_cast<size_t>(static_cast<const char*>(lf) - m_data) : m_size;
            m_lfKnown = true;
        }
        const void* cr = std::memchr(m_data + begin, '\r', m_lf - begin);
        return cr ? static_cast<size_t>(static_cast<const char*>(cr) - m_data) : m_lf;
    }

private:
    const char* m_data;
    size_t m_size;
    size_t m_lf = 0;
    bool m_lfKnown = false;
};

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
            Fill(out + from, static_cast<size_t>(to - from), paint[value]);
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
    LineEnds lineEnds(data, size);
    size_t begin = 0;
    while (begin < size) {
        const size_t end = lineEnds.After(begin);
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

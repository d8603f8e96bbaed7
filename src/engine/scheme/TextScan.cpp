// A whole text through the scanner at once, as the editor highlights it.
#include "engine/scheme/TextScan.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <vector>

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

// What the scan of one line gave, for a piece scanned from a guessed start.
struct LineRecord {
    size_t End = 0;  ///< the offset after the line (after the LF of a CR LF) in its piece
    uint8_t Value = 0;
    bool Error = false;
    int64_t Tokens = 0;
};

// Lines of a piece scanned from a guessed start whose outcome is recorded: the scan from the
// real start nearly always agrees within a few lines, and past them the rest is scanned again.
constexpr size_t kRecordedLines = 4096;

// Scans a piece of text cut after a line end, starting after value `incoming`, which is left
// at the value the piece ends with. With `lines`, the outcome of each line is added there
// (their ends `base` on) until it holds kRecordedLines.
TextScanTotals ScanText(SyntaxScheme& scheme, const uint8_t* paint, std::string_view text,
                        uint8_t* out, uint8_t& incoming, std::vector<LineRecord>* lines = nullptr,
                        size_t base = 0) {
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
        const int64_t tokens = totals.Tokens;
        const int64_t errors = totals.Errors;
        incoming = ScanOneLine(scheme, line, incoming, paint, out + begin, totals, failure);
        ++totals.Lines;
        begin += line.size();
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') {
            out[end + 1] = out[end];
            ++begin;
        }
        if (lines && lines->size() < kRecordedLines)
            lines->push_back(LineRecord{base + begin, incoming, totals.Errors != errors,
                                        totals.Tokens - tokens});
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

size_t CutAfterLineEnd(std::string_view text, size_t at) {
    if (at >= text.size()) return text.size();
    const size_t end = LineEndAfter(text.data(), text.size(), at);
    if (end >= text.size()) return text.size();
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
    return end + 1;
}

TextScanTotals ScanTextEffectsInParallel(size_t parts,
                                         const std::function<SyntaxScheme&(size_t)>& schemeFor,
                                         const std::array<uint8_t, 256>& tokenEffect,
                                         std::string_view text, const EffectSink& sink) {
    // Sub-pieces of a few hundred kilobytes go through a buffer that stays in the cache.
    constexpr size_t kSubPiece = size_t{256} << 10;
    parts = std::max<size_t>(parts, 1);
    std::vector<size_t> cuts = {0};
    for (size_t part = 1; part < parts; ++part) {
        const size_t cut = CutAfterLineEnd(text, std::max(cuts.back(), text.size() / parts * part));
        if (cut > cuts.back() && cut < text.size()) cuts.push_back(cut);
    }
    cuts.push_back(text.size());
    const size_t count = cuts.size() - 1;

    // Scans text[from, to) of a piece after `incoming` in sub-pieces, giving them to the sink.
    const auto scanRange = [&](SyntaxScheme& scheme, std::string_view piece, size_t offset,
                               size_t from, uint8_t& incoming, std::vector<LineRecord>* lines,
                               std::vector<uint8_t>& buffer, TextScanTotals& totals) {
        for (size_t begin = from; begin < piece.size() && totals.Written;) {
            const size_t end = CutAfterLineEnd(piece, begin + kSubPiece);
            if (buffer.size() < end - begin) buffer.resize(end - begin);
            const TextScanTotals part =
                ScanText(scheme, tokenEffect.data(), piece.substr(begin, end - begin),
                         buffer.data(), incoming, lines, begin);
            totals.Lines += part.Lines;
            totals.Tokens += part.Tokens;
            totals.Errors += part.Errors;
            totals.Written = sink(offset + begin, buffer.data(), end - begin);
            begin = end;
        }
    };

    // Every piece but the first starts from value 0, the start of a text, and records its
    // first lines so that they can be scanned again from the value the piece before really
    // ends in.
    struct Piece {
        size_t Begin = 0;
        std::string_view Text;
        uint8_t End = 0;
        TextScanTotals Totals;
        std::vector<LineRecord> Lines;
        std::exception_ptr Failure;
    };
    std::vector<Piece> pieces(count);
    for (size_t i = 0; i < count; ++i) {
        pieces[i].Begin = cuts[i];
        pieces[i].Text = text.substr(cuts[i], cuts[i + 1] - cuts[i]);
    }
    const auto scan = [&](size_t i) {
        Piece& piece = pieces[i];
        try {
            std::vector<uint8_t> buffer;
            if (i > 0) piece.Lines.reserve(kRecordedLines);
            scanRange(schemeFor(i), piece.Text, piece.Begin, 0, piece.End,
                      i > 0 ? &piece.Lines : nullptr, buffer, piece.Totals);
        } catch (...) {
            piece.Failure = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (size_t i = 1; i < count; ++i) threads.emplace_back(scan, i);
    scan(0);
    for (std::thread& thread : threads) thread.join();
    TextScanTotals totals;
    for (const Piece& piece : pieces) {
        if (piece.Failure) std::rethrow_exception(piece.Failure);
        totals.Written = totals.Written && piece.Totals.Written;
        totals.Lines += piece.Totals.Lines;
        totals.Tokens += piece.Totals.Tokens;
        totals.Errors += piece.Totals.Errors;
    }
    if (!totals.Written) return totals;

    SyntaxScheme& scheme = schemeFor(0);
    std::vector<uint8_t> buffer;
    uint8_t incoming = pieces[0].End;
    for (size_t i = 1; i < count; ++i) {
        const Piece& piece = pieces[i];
        if (incoming == 0) {
            incoming = piece.End;
            continue;
        }
        // A line's result depends on its text and the value it starts after alone: once a
        // line scanned again ends as before, the rest of the piece stands.
        size_t begin = 0;
        size_t flushed = 0;
        bool settled = false;
        for (const LineRecord& line : piece.Lines) {
            if (settled) break;
            buffer.resize(line.End - flushed);
            const TextScanTotals again =
                ScanText(scheme, tokenEffect.data(), piece.Text.substr(begin, line.End - begin),
                         buffer.data() + (begin - flushed), incoming);
            totals.Tokens += again.Tokens - line.Tokens;
            totals.Errors += again.Errors - (line.Error ? 1 : 0);
            begin = line.End;
            settled = incoming == line.Value;
            if (settled || begin - flushed >= kSubPiece) {
                if (!sink(piece.Begin + flushed, buffer.data(), begin - flushed)) {
                    totals.Written = false;
                    return totals;
                }
                flushed = begin;
            }
        }
        if (begin > flushed && !sink(piece.Begin + flushed, buffer.data(), begin - flushed)) {
            totals.Written = false;
            return totals;
        }
        if (settled) {
            incoming = piece.End;
            continue;
        }
        if (begin < piece.Text.size()) {
            // Past the recorded lines: the rest of the piece is scanned again as a whole, and
            // its totals take the place of what the guessed scan of it gave.
            TextScanTotals rest;
            scanRange(scheme, piece.Text, piece.Begin, begin, incoming, nullptr, buffer, rest);
            if (!rest.Written) return rest;
            int64_t recordedTokens = 0;
            int64_t recordedErrors = 0;
            for (const LineRecord& line : piece.Lines) {
                recordedTokens += line.Tokens;
                recordedErrors += line.Error ? 1 : 0;
            }
            totals.Tokens += rest.Tokens - (piece.Totals.Tokens - recordedTokens);
            totals.Errors += rest.Errors - (piece.Totals.Errors - recordedErrors);
        }
    }
    return totals;
}

}  // namespace quinkle

// Finding the offsets where a match may start by testing a few of its byte positions for many
// starts at once.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/search/ByteSet.h"
#include "engine/search/CharReader.h"

namespace quinkle {

/// Picks up to kMaxTests of a match's first offsets whose byte sets are the most selective
/// (judged by how often their bytes occur in text and markup) and scans a text for the starts
/// where the bytes at all of them belong to their sets, 32 or 16 starts at a time.
class StartFilter {
public:
    static constexpr int kMaxTests = 3;

    /// `offsetBytes[k]`: the bytes a match can hold at offset k; every match must reach each
    /// offset given.
    explicit StartFilter(const std::vector<ByteSet>& offsetBytes);

    /// False when no offset narrows the starts enough to be worth scanning for.
    bool Usable() const { return !m_tests.empty(); }

    /// Bytes of short pieces copied into one block, so that they can be scanned as one. It
    /// belongs to one text as it is: a search starts with a new (or Reset) one.
    struct Window {
        std::vector<uint8_t> Bytes;
        int32_t Start = 0;
        int32_t Length = 0;  // bytes in use; the next filling takes twice as many
        void Reset() { Length = 0; }
    };

    /// The first start in [from, to] whose tested offsets all hold bytes of their sets (and
    /// lie inside the text); -1 when there is none. Successive calls of one search pass the
    /// same window.
    int32_t Next(ReaderCursor& text, int32_t from, int32_t to, Window& window) const;
    int32_t Next(ReaderCursor& text, int32_t from, int32_t to) const;

    /// Lets tests run the narrower scan on a machine that has the wider one. Process-wide.
    static void AllowWideScan(bool allow);

    /// One tested offset: its exact set, and the same set (or a few more bytes) in forms that
    /// compare many bytes at once.
    struct Test {
        int32_t Offset = 0;
        ByteSet Exact;
        // Up to four ranges, Low to Low + Span (unused ones repeat the first); with Invert,
        // of the bytes outside the set.
        uint8_t Low[4] = {};
        uint8_t Span[4] = {};
        bool Invert = false;
        // Two tables of 16 entries: byte c is in the set when the entries for its low and
        // high half-bytes share a bit (exact for sets of up to eight kinds of rows).
        uint8_t ByLow[16] = {};
        uint8_t ByHigh[16] = {};
        bool TablesExact = true;  // the tables hold the set, not more
    };

private:
    /// Whether the bytes from `at` fit every test's exact set.
    bool Passes(const uint8_t* at) const;

    // Pieces with fewer bytes than this left are scanned through the window; its first
    // filling is small, so that a match close by costs little, and each next one doubles.
    static constexpr int64_t kDirectBytes = 256;
    static constexpr size_t kFirstWindowBytes = 256;
    static constexpr size_t kWindowBytes = 64 * 1024;

    std::vector<Test> m_tests;  // ordered by offset
    int32_t m_reach = 0;        // the highest tested offset
    bool m_tablesExact = true;  // every test's tables are exact
};

}  // namespace quinkle

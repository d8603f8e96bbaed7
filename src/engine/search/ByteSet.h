// A set of byte values, as the search engines test characters against.
#pragma once

#include <cstdint>

namespace quinkle {

/// Membership of the 256 byte values, one bit each.
class ByteSet {
public:
    bool Has(uint8_t c) const { return (m_bits[c >> 6] >> (c & 63)) & 1; }
    void Add(uint8_t c) { m_bits[c >> 6] |= uint64_t{1} << (c & 63); }
    void AddRange(uint8_t first, uint8_t last) {
        for (int c = first; c <= last; ++c) Add(static_cast<uint8_t>(c));
    }
    void AddAll(const ByteSet& other) {
        for (int i = 0; i < 4; ++i) m_bits[i] |= other.m_bits[i];
    }
    void Invert() {
        for (uint64_t& word : m_bits) word = ~word;
    }
    bool Empty() const { return (m_bits[0] | m_bits[1] | m_bits[2] | m_bits[3]) == 0; }
    bool Full() const { return (m_bits[0] & m_bits[1] & m_bits[2] & m_bits[3]) == ~uint64_t{0}; }
    int Count() const;
    /// Makes ASCII letters match in either case.
    void FoldCase();
    bool operator==(const ByteSet&) const = default;

    static ByteSet All() {
        ByteSet set;
        set.Invert();
        return set;
    }

private:
    uint64_t m_bits[4] = {0, 0, 0, 0};
};

inline int ByteSet::Count() const {
    int count = 0;
    for (uint64_t word : m_bits) count += __builtin_popcountll(word);
    return count;
}

inline void ByteSet::FoldCase() {
    for (int c = 'a'; c <= 'z'; ++c) {
        auto lower = static_cast<uint8_t>(c);
        auto upper = static_cast<uint8_t>(c - 'a' + 'A');
        if (Has(lower) || Has(upper)) {
            Add(lower);
            Add(upper);
        }
    }
}

/// ASCII upper case of a byte; other bytes (UTF-8 sequences among them) stay as they are.
inline uint8_t FoldToUpper(uint8_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

}  // namespace quinkle

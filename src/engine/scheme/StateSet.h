// A set of 256 small numbers (scanner states, token values) kept in four machine words.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

namespace quinkle {

/// Bit n stands for member n (0..255). A plain value type: copying costs 32 bytes and nothing
/// is allocated. Members out of 0..255 are ignored by Set/Reset and absent for Test.
class StateSet {
public:
    constexpr StateSet() = default;
    constexpr StateSet(std::initializer_list<int> members) {
        for (int n : members) Set(n);
    }
    /// Every member 0..255.
    static constexpr StateSet All() {
        StateSet all;
        all.m_words = {~0ull, ~0ull, ~0ull, ~0ull};
        return all;
    }

    constexpr void Set(int n) {
        if (n >= 0 && n < 256) m_words[n >> 6] |= 1ull << (n & 63);
    }
    constexpr void Reset(int n) {
        if (n >= 0 && n < 256) m_words[n >> 6] &= ~(1ull << (n & 63));
    }
    constexpr bool Test(int n) const {
        return n >= 0 && n < 256 && ((m_words[n >> 6] >> (n & 63)) & 1) != 0;
    }
    constexpr bool Empty() const {
        return (m_words[0] | m_words[1] | m_words[2] | m_words[3]) == 0;
    }
    /// True when the two sets share a member.
    constexpr bool Intersects(const StateSet& other) const {
        return ((m_words[0] & other.m_words[0]) | (m_words[1] & other.m_words[1]) |
                (m_words[2] & other.m_words[2]) | (m_words[3] & other.m_words[3])) != 0;
    }
    /// The smallest member, or -1 for the empty set.
    int Lowest() const {
        for (int w = 0; w < 4; ++w)
            if (m_words[w] != 0) return w * 64 + __builtin_ctzll(m_words[w]);
        return -1;
    }
    int Count() const {
        int count = 0;
        for (uint64_t word : m_words) count += __builtin_popcountll(word);
        return count;
    }

    constexpr StateSet& operator|=(const StateSet& other) {
        for (int w = 0; w < 4; ++w) m_words[w] |= other.m_words[w];
        return *this;
    }
    constexpr StateSet& operator&=(const StateSet& other) {
        for (int w = 0; w < 4; ++w) m_words[w] &= other.m_words[w];
        return *this;
    }
    /// Difference: removes the members of `other`.
    constexpr StateSet& operator-=(const StateSet& other) {
        for (int w = 0; w < 4; ++w) m_words[w] &= ~other.m_words[w];
        return *this;
    }
    friend constexpr StateSet operator|(StateSet a, const StateSet& b) { return a |= b; }
    friend constexpr StateSet operator&(StateSet a, const StateSet& b) { return a &= b; }
    friend constexpr StateSet operator-(StateSet a, const StateSet& b) { return a -= b; }
    friend constexpr bool operator==(const StateSet&, const StateSet&) = default;

    /// The words, member 0 in bit 0 of the first; for saving.
    constexpr const std::array<uint64_t, 4>& Words() const { return m_words; }
    constexpr void SetWords(const std::array<uint64_t, 4>& words) { m_words = words; }

private:
    std::array<uint64_t, 4> m_words{};
};

}  // namespace quinkle

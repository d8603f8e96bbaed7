// Character groups of a scheme and the manager that numbers them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quinkle {

/// A set of byte values with a negation flag: c is a member when (bit c is set) differs from
/// Negated. A group with no bits that is not negated is empty, and an empty group places no
/// condition where it is used as a condition (a keyword's end group, an end sequence).
struct CharGroup {
    std::array<uint64_t, 4> Bits{};
    bool Negated = false;

    /// A group of the characters of `chars`.
    static CharGroup Of(std::string_view chars, bool negated = false);
    /// A group of the characters first..last (inclusive).
    static CharGroup Range(uint8_t first, uint8_t last, bool negated = false);
    /// The group every character belongs to.
    static CharGroup Any() { return CharGroup{{}, true}; }

    void Add(uint8_t c) { Bits[c >> 6] |= 1ull << (c & 63); }
    void AddRange(uint8_t first, uint8_t last) {
        for (int c = first; c <= last; ++c) Add(static_cast<uint8_t>(c));
    }
    bool Contains(uint8_t c) const { return (((Bits[c >> 6] >> (c & 63)) & 1) != 0) != Negated; }
    bool Empty() const { return !Negated && (Bits[0] | Bits[1] | Bits[2] | Bits[3]) == 0; }
    /// Member test where an empty group accepts every character.
    bool Admits(uint8_t c) const { return Empty() || Contains(c); }
    friend bool operator==(const CharGroup&, const CharGroup&) = default;
};

/// Holds a scheme's character groups under small numbers from 0 on. Equal groups (same bits
/// and flag) get the same number, so tables can hold numbers instead of 33-byte groups.
class CharGroupManager {
public:
    /// The number of `group`, adding it when it is new.
    int32_t Intern(const CharGroup& group);
    /// The group numbered `id`. Throws ESourceEditor "Invalid Set ID (%d)" for an unknown number.
    const CharGroup& Get(int32_t id) const {
        if (!Valid(id)) [[unlikely]]
            ThrowInvalid(id);
        return m_groups[id];
    }
    /// True when `id` names a group.
    bool Valid(int32_t id) const { return id >= 0 && id < Count(); }
    int32_t Count() const { return static_cast<int32_t>(m_groups.size()); }
    void Clear() { m_groups.clear(); }

private:
    [[noreturn]] static void ThrowInvalid(int32_t id);

    std::vector<CharGroup> m_groups;
};

}  // namespace quinkle

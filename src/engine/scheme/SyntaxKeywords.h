// The keyword table: a character trie whose words carry state sets, end groups and values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/CharGroup.h"
#include "engine/scheme/StateSet.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {

/// A word as it was added, in insertion order (for saving and for rebuilding the trie).
struct KeywordEntry {
    std::string Word;
    int32_t EndGroup = -1;
    StateSet States;
    uint8_t Value = 0;
};

/// What a lookup found: the value and length of the longest word valid at the cursor.
struct KeywordMatch {
    bool Found = false;
    uint8_t Value = 0;
    int32_t Length = 0;
};

/// A trie with a 256-entry first-character index. Each node knows the union of the state sets
/// of the words through it, so a lookup leaves the trie as soon as no word of the active states
/// can follow. Without case sensitivity, words and text are compared lower-cased (ASCII).
class SyntaxKeywords {
public:
    /// `groups` resolves end-group numbers; it must outlive the table.
    explicit SyntaxKeywords(const CharGroupManager& groups, bool caseSensitive = true);

    bool CaseSensitive() const { return m_caseSensitive; }
    /// Changes the case rule and rebuilds the trie from the words added so far.
    void SetCaseSensitive(bool caseSensitive);

    /// Adds `word` (an empty word is ignored). `endGroup` is the group the character after the
    /// word must belong to; -1 or an empty group means any character. Throws EKeywords
    /// "Duplicate keyword - '%s'" when the word is already there with an intersecting state
    /// set, and ESourceEditor "Invalid Set ID (%d)" for an unknown group; nothing changes then.
    void Add(std::string_view word, int32_t endGroup, uint8_t value, const StateSet& states);

    /// The longest word at the cursor whose states intersect `active` and whose end group
    /// admits the character after it. On success the cursor is left after the word, else it
    /// stays where it was.
    /// `examined`, when given, receives the position of the last character the lookup read
    /// (the text's length when the lookup met its end): the result depends on the characters
    /// up to there alone.
    KeywordMatch Lookup(TextCursor& cursor, const StateSet& active,
                        int32_t* examined = nullptr) const;
    /// False when no word valid in `active` starts with `c`, so a lookup there finds nothing:
    /// the scanner asks this first, as most tokens start no word at all.
    bool MayStartWith(uint8_t c, const StateSet& active) const {
        return m_firstStates[c].Intersects(active);
    }
    /// True when every lookup at a text starting with `c` finds the word that is `c` alone,
    /// whatever follows: no longer word is valid in `active` and the word takes any next
    /// character. `value` is then the word's value.
    bool DecidedByFirst(uint8_t c, const StateSet& active, uint8_t& value) const;
    /// True when every lookup at a text starting with `c` and then `next` finds the word that
    /// is `c` alone, or nothing: no longer word valid in `active` starts with the two. `value`
    /// is then the word's value, or -1 for nothing.
    bool DecidedBySecond(uint8_t c, uint8_t next, const StateSet& active, int16_t& value) const;

    const std::vector<KeywordEntry>& Entries() const { return m_entries; }
    bool Empty() const { return m_entries.empty(); }
    void Clear();

private:
    /// Children in a sorted sibling list; a node with many also gets a table by character.
    static constexpr uint16_t kTableChildren = 6;
    using ChildTable = std::array<int32_t, 256>;

    /// A state set with its members 0-63 apart: schemes rarely use higher states, and then
    /// one word answers whether two sets meet.
    struct States {
        uint64_t Low = 0;
        bool High = false;  ///< Full has members from 64 on
        StateSet Full;

        void Add(const StateSet& more) {
            Full |= more;
            const std::array<uint64_t, 4>& words = Full.Words();
            Low = words[0];
            High = (words[1] | words[2] | words[3]) != 0;
        }
        bool Meets(const States& other) const {
            return (Low & other.Low) != 0 || (High && other.High && Full.Intersects(other.Full));
        }
    };
    struct Node {
        uint8_t Char = 0;
        uint16_t Children = 0;
        int32_t Sibling = -1;
        int32_t Child = -1;
        int32_t FirstEnd = -1;
        int32_t Table = -1;  ///< index into m_tables, by the text's own character
        States Words;        ///< the states of the words through the node
    };
    struct WordEnd {
        States Word;
        int32_t EndGroup = -1;
        uint8_t Value = 0;
        bool AnyEnd = true;  ///< no end group, or an empty one: any character may follow
        int32_t Next = -1;
        CharGroup EndChars;  ///< the end group itself, copied for the lookup
    };

    uint8_t Fold(uint8_t c) const {
        return !m_caseSensitive && c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + 32) : c;
    }
    int32_t ChildFor(int32_t parent, uint8_t c);
    void SetTableEntry(int32_t table, uint8_t c, int32_t node);
    void Insert(const KeywordEntry& entry);

    const CharGroupManager* m_groups;
    bool m_caseSensitive = true;
    // The trie's first level and the states of its words, by the text's own character (both
    // cases of a letter lead to the same node without case sensitivity).
    std::array<int32_t, 256> m_first;
    std::array<StateSet, 256> m_firstStates;
    std::vector<Node> m_nodes;
    std::vector<ChildTable> m_tables;
    std::vector<WordEnd> m_ends;
    std::vector<KeywordEntry> m_entries;
};

}  // namespace quinkle

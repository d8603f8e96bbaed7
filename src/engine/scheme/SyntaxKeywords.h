// The keyword table: a character trie whose words carry state sets, end groups and values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scheme/CharGroup.h"
#include "scheme/StateSet.h"
#include "scheme/TextCursor.h"

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
    KeywordMatch Lookup(TextCursor& cursor, const StateSet& active) const;

    const std::vector<KeywordEntry>& Entries() const { return m_entries; }
    bool Empty() const { return m_entries.empty(); }
    void Clear();

private:
    struct Node {
        uint8_t Char = 0;
        int32_t Sibling = -1;
        int32_t Child = -1;
        int32_t FirstEnd = -1;
        StateSet States;
    };
    struct WordEnd {
        StateSet States;
        int32_t EndGroup = -1;
        uint8_t Value = 0;
        int32_t Next = -1;
    };

    uint8_t Fold(uint8_t c) const {
        return !m_caseSensitive && c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + 32) : c;
    }
    int32_t ChildFor(int32_t parent, uint8_t c);
    void Insert(const KeywordEntry& entry);

    const CharGroupManager* m_groups;
    bool m_caseSensitive = true;
    std::array<int32_t, 256> m_first;
    std::vector<Node> m_nodes;
    std::vector<WordEnd> m_ends;
    std::vector<KeywordEntry> m_entries;
};

}  // namespace quinkle

// The keyword table: a character trie whose words carry state sets, end groups and values.
#include "scheme/SyntaxKeywords.h"

#include "editor/EditorError.h"
#include "scheme/SchemeErrors.h"

namespace quinkle {

SyntaxKeywords::SyntaxKeywords(const CharGroupManager& groups, bool caseSensitive)
    : m_groups(&groups), m_caseSensitive(caseSensitive) {
    m_first.fill(-1);
}

void SyntaxKeywords::Clear() {
    m_first.fill(-1);
    m_nodes.clear();
    m_ends.clear();
    m_entries.clear();
}

void SyntaxKeywords::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == m_caseSensitive) return;
    m_caseSensitive = caseSensitive;
    std::vector<KeywordEntry> entries = std::move(m_entries);
    Clear();
    // Words that differ only in case may collide now; the first one added wins.
    for (KeywordEntry& entry : entries) {
        try {
            Add(entry.Word, entry.EndGroup, entry.Value, entry.States);
        } catch (const EKeywords&) {
        }
    }
}

void SyntaxKeywords::Add(std::string_view word, int32_t endGroup, uint8_t value,
                         const StateSet& states) {
    if (word.empty()) return;
    if (endGroup >= 0) m_groups->Get(endGroup);  // throws for an unknown number
    // Check for a duplicate before touching the trie, so a refused word leaves no trace.
    int32_t node = m_first[Fold(static_cast<uint8_t>(word[0]))];
    for (size_t i = 1; node >= 0 && i < word.size(); ++i) {
        uint8_t c = Fold(static_cast<uint8_t>(word[i]));
        int32_t child = m_nodes[node].Child;
        while (child >= 0 && m_nodes[child].Char != c) child = m_nodes[child].Sibling;
        node = child;
    }
    if (node >= 0)
        for (int32_t end = m_nodes[node].FirstEnd; end >= 0; end = m_ends[end].Next)
            if (m_ends[end].States.Intersects(states))
                throw EKeywords(FormatMessage("Duplicate keyword - '%s'", std::string(word)));

    KeywordEntry entry{std::string(word), endGroup < 0 ? -1 : endGroup, states, value};
    Insert(entry);
    m_entries.push_back(std::move(entry));
}

int32_t SyntaxKeywords::ChildFor(int32_t parent, uint8_t c) {
    // Siblings stay in ascending character order, so a lookup may stop early.
    int32_t previous = -1;
    int32_t child = m_nodes[parent].Child;
    while (child >= 0 && m_nodes[child].Char < c) {
        previous = child;
        child = m_nodes[child].Sibling;
    }
    if (child >= 0 && m_nodes[child].Char == c) return child;
    Node fresh;
    fresh.Char = c;
    fresh.Sibling = child;
    m_nodes.push_back(fresh);
    auto added = static_cast<int32_t>(m_nodes.size() - 1);
    if (previous < 0)
        m_nodes[parent].Child = added;
    else
        m_nodes[previous].Sibling = added;
    return added;
}

void SyntaxKeywords::Insert(const KeywordEntry& entry) {
    uint8_t first = Fold(static_cast<uint8_t>(entry.Word[0]));
    if (m_first[first] < 0) {
        Node fresh;
        fresh.Char = first;
        m_nodes.push_back(fresh);
        m_first[first] = static_cast<int32_t>(m_nodes.size() - 1);
    }
    int32_t node = m_first[first];
    m_nodes[node].States |= entry.States;
    for (size_t i = 1; i < entry.Word.size(); ++i) {
        node = ChildFor(node, Fold(static_cast<uint8_t>(entry.Word[i])));
        m_nodes[node].States |= entry.States;
    }
    m_ends.push_back(WordEnd{entry.States, entry.EndGroup, entry.Value, -1});
    auto added = static_cast<int32_t>(m_ends.size() - 1);
    int32_t* link = &m_nodes[node].FirstEnd;
    while (*link >= 0) link = &m_ends[*link].Next;
    *link = added;
}

KeywordMatch SyntaxKeywords::Lookup(TextCursor& cursor, const StateSet& active) const {
    KeywordMatch best;
    if (cursor.AtEnd()) return best;
    const int32_t start = cursor.Position();
    int32_t node = m_first[Fold(cursor.Current())];
    int32_t count = 0;
    while (node >= 0) {
        const Node& n = m_nodes[node];
        if (cursor.AtEnd() || n.Char != Fold(cursor.Current()) || !n.States.Intersects(active))
            break;
        cursor.Advance();
        ++count;
        for (int32_t end = n.FirstEnd; end >= 0; end = m_ends[end].Next) {
            const WordEnd& e = m_ends[end];
            if (!e.States.Intersects(active)) continue;
            if (e.EndGroup >= 0 && !m_groups->Get(e.EndGroup).Admits(cursor.Current())) continue;
            best = KeywordMatch{true, e.Value, count};
            break;
        }
        uint8_t next = Fold(cursor.Current());
        int32_t child = n.Child;
        while (child >= 0 && m_nodes[child].Char < next) child = m_nodes[child].Sibling;
        node = child;
    }
    cursor.SetPosition(start + (best.Found ? best.Length : 0));
    return best;
}

}  // namespace quinkle

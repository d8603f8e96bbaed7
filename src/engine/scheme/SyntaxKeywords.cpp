// The keyword table: a character trie whose words carry state sets, end groups and values.
#include "engine/scheme/SyntaxKeywords.h"

#include "engine/scheme/SchemeErrors.h"
#include "engine/text/EditorError.h"

namespace quinkle {

SyntaxKeywords::SyntaxKeywords(const CharGroupManager& groups, bool caseSensitive)
    : m_groups(&groups), m_caseSensitive(caseSensitive) {
    Clear();
}

void SyntaxKeywords::Clear() {
    m_first.fill(-1);
    m_firstStates.fill(StateSet{});
    m_nodes.clear();
    m_tables.clear();
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
            if (m_ends[end].Word.Full.Intersects(states))
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

    Node& node = m_nodes[parent];
    ++node.Children;
    if (node.Table >= 0) {
        SetTableEntry(node.Table, c, added);
    } else if (node.Children >= kTableChildren) {
        m_tables.emplace_back();
        m_tables.back().fill(-1);
        node.Table = static_cast<int32_t>(m_tables.size() - 1);
        for (int32_t each = node.Child; each >= 0; each = m_nodes[each].Sibling)
            SetTableEntry(node.Table, m_nodes[each].Char, each);
    }
    return added;
}

void SyntaxKeywords::SetTableEntry(int32_t table, uint8_t c, int32_t node) {
    m_tables[table][c] = node;
    if (!m_caseSensitive && c >= 'a' && c <= 'z') m_tables[table][c - 32] = node;
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
    m_nodes[node].Words.Add(entry.States);
    m_firstStates[first] = m_nodes[node].Words.Full;
    if (!m_caseSensitive && first >= 'a' && first <= 'z') {
        const uint8_t upper = static_cast<uint8_t>(first - 32);
        m_first[upper] = node;
        m_firstStates[upper] = m_nodes[node].Words.Full;
    }
    for (size_t i = 1; i < entry.Word.size(); ++i) {
        node = ChildFor(node, Fold(static_cast<uint8_t>(entry.Word[i])));
        m_nodes[node].Words.Add(entry.States);
    }
    WordEnd end;
    end.Word.Add(entry.States);
    end.EndGroup = entry.EndGroup;
    end.Value = entry.Value;
    if (entry.EndGroup >= 0) {
        end.EndChars = m_groups->Get(entry.EndGroup);
        end.AnyEnd = end.EndChars.Empty();
    }
    m_ends.push_back(end);
    auto added = static_cast<int32_t>(m_ends.size() - 1);
    int32_t* link = &m_nodes[node].FirstEnd;
    while (*link >= 0) link = &m_ends[*link].Next;
    *link = added;
}

bool SyntaxKeywords::DecidedByFirst(uint8_t c, const StateSet& active, uint8_t& value) const {
    const int32_t node = m_first[c];
    States wanted;
    wanted.Add(active);
    if (node < 0 || !m_nodes[node].Words.Meets(wanted)) return false;
    for (int32_t child = m_nodes[node].Child; child >= 0; child = m_nodes[child].Sibling)
        if (m_nodes[child].Words.Meets(wanted)) return false;
    // Lookup takes the first end whose states meet the active ones and that admits what follows.
    for (int32_t end = m_nodes[node].FirstEnd; end >= 0; end = m_ends[end].Next) {
        const WordEnd& e = m_ends[end];
        if (!e.Word.Meets(wanted)) continue;
        value = e.Value;
        return e.AnyEnd;
    }
    return false;
}

bool SyntaxKeywords::DecidedBySecond(uint8_t c, uint8_t next, const StateSet& active,
                                     int16_t& value) const {
    const int32_t node = m_first[c];
    States wanted;
    wanted.Add(active);
    value = -1;
    if (node < 0 || !m_nodes[node].Words.Meets(wanted)) return true;
    // The child Lookup would go on to, and whether a word valid here goes through it.
    const Node& n = m_nodes[node];
    int32_t child = -1;
    if (n.Table >= 0) {
        child = m_tables[n.Table][next];
    } else {
        const uint8_t folded = Fold(next);
        for (int32_t each = n.Child; each >= 0; each = m_nodes[each].Sibling)
            if (m_nodes[each].Char == folded) child = each;
    }
    if (child >= 0 && m_nodes[child].Words.Meets(wanted)) return false;
    for (int32_t end = n.FirstEnd; end >= 0; end = m_ends[end].Next) {
        const WordEnd& e = m_ends[end];
        if (!e.Word.Meets(wanted)) continue;
        if (!e.AnyEnd && !e.EndChars.Contains(next)) continue;
        value = e.Value;
        break;
    }
    return true;
}

KeywordMatch SyntaxKeywords::Lookup(TextCursor& cursor, const StateSet& active,
                                    int32_t* examined) const {
    KeywordMatch best;
    const int32_t start = cursor.Position();
    const int32_t size = cursor.Length();
    if (start >= size) return best;
    const auto* text = reinterpret_cast<const uint8_t*>(cursor.Text().data());
    States wanted;
    wanted.Add(active);
    int32_t at = start;
    int32_t node = m_first[text[at]];
    while (node >= 0) {
        const Node& n = m_nodes[node];
        if (!n.Words.Meets(wanted)) break;
        ++at;
        const uint8_t next = at < size ? text[at] : 0;  // what follows the word: 0 at the end
        for (int32_t end = n.FirstEnd; end >= 0; end = m_ends[end].Next) {
            const WordEnd& e = m_ends[end];
            if (!e.Word.Meets(wanted)) continue;
            if (!e.AnyEnd && !e.EndChars.Contains(next)) continue;
            best = KeywordMatch{true, e.Value, at - start};
            break;
        }
        if (at >= size) break;
        if (n.Table >= 0) {
            node = m_tables[n.Table][next];
            continue;
        }
        const uint8_t folded = Fold(next);
        int32_t child = n.Child;
        while (child >= 0 && m_nodes[child].Char < folded) child = m_nodes[child].Sibling;
        node = child >= 0 && m_nodes[child].Char == folded ? child : -1;
    }
    if (examined) *examined = at;  // at the end of the text, its end was what mattered
    cursor.SetPosition(start + best.Length);
    return best;
}

}  // namespace quinkle

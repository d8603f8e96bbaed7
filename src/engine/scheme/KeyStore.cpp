// The key map's tree: adding bindings, listing them and matching typed keys.
#include "engine/scheme/KeyStore.h"

#include <unordered_set>

#include "engine/scheme/KeyCombination.h"
#include "engine/scheme/KeyboardActionController.h"

namespace quinkle {

void KeyStore::AddBinding(uint16_t first, uint16_t second, int32_t command) {
    if (first == 0 || command < 0) throw ESourceEditor("Invalid key binding");
    uint16_t secondCode = KeyCode(second);
    auto found = m_firstLevel.find(first);
    int32_t top = found == m_firstLevel.end() ? -1 : found->second;

    // Every conflict is found before anything changes, so a failed call leaves the tree as it was.
    if (secondCode == 0) {
        if (top >= 0) {
            const Node& node = m_nodes[top];
            ThrowDuplicate(node.FirstChild >= 0 ? FirstCommandBelow(top) : node.Command, command);
        }
        int32_t added = AppendNode(first, -1);
        m_nodes[added].Terminal = true;
        m_nodes[added].Command = command;
        return;
    }
    if (top >= 0) {
        if (m_nodes[top].Command >= 0) ThrowDuplicate(m_nodes[top].Command, command);
        int32_t child = FindChild(top, secondCode);
        if (child >= 0) ThrowDuplicate(m_nodes[child].Command, command);
    } else {
        top = AppendNode(first, -1);
    }
    int32_t added = AppendNode(secondCode, top);
    m_nodes[added].Terminal = true;
    m_nodes[added].Command = command;
}

void KeyStore::Clear() {
    m_nodes.clear();
    m_firstLevel.clear();
    m_firstNode = m_lastFirstLevel = -1;
    m_matchNode = m_enumNode = -1;
    m_lastCommand = -1;
}

std::vector<KeyBinding> KeyStore::Bindings() const {
    std::vector<KeyBinding> bindings;
    for (int32_t node = m_firstNode; node >= 0; node = NextInTreeOrder(node)) {
        if (!m_nodes[node].Terminal) continue;
        KeyPair pair = PairOf(node);
        bindings.push_back({pair.First, pair.Second, m_nodes[node].Command});
    }
    return bindings;
}

KeyPair KeyStore::FirstBinding(int32_t command) {
    m_enumNode = m_firstNode;
    while (m_enumNode >= 0 &&
           !(m_nodes[m_enumNode].Terminal && m_nodes[m_enumNode].Command == command))
        m_enumNode = NextInTreeOrder(m_enumNode);
    return m_enumNode >= 0 ? PairOf(m_enumNode) : KeyPair{};
}

KeyPair KeyStore::NextBinding(int32_t command) {
    if (m_enumNode < 0) return {};
    do {
        m_enumNode = NextInTreeOrder(m_enumNode);
    } while (m_enumNode >= 0 &&
             !(m_nodes[m_enumNode].Terminal && m_nodes[m_enumNode].Command == command));
    return m_enumNode >= 0 ? PairOf(m_enumNode) : KeyPair{};
}

KeyMatch KeyStore::Match(uint16_t key) {
    KeyMatch match;
    int32_t node = -1;
    if (m_matchNode < 0) {
        auto found = m_firstLevel.find(key);
        if (found != m_firstLevel.end()) node = found->second;
    } else {
        node = FindChild(m_matchNode, KeyCode(key));
    }
    if (node < 0) {
        m_matchNode = -1;
        return match;
    }
    match.Handled = true;
    if (m_nodes[node].FirstChild >= 0) {
        m_matchNode = node;
        return match;
    }
    m_matchNode = -1;
    m_lastCommand = match.Command = m_nodes[node].Command;
    return match;
}

bool KeyStore::Check() const {
    const int32_t count = static_cast<int32_t>(m_nodes.size());
    auto valid = [count](int32_t index) { return index >= -1 && index < count; };
    if (!valid(m_firstNode) || !valid(m_lastFirstLevel) || !valid(m_matchNode) ||
        !valid(m_enumNode))
        return false;
    int32_t reached = 0, last = -1;
    size_t firstLevel = 0;
    for (int32_t top = m_firstNode; top >= 0; top = m_nodes[top].NextSibling) {
        if (!valid(top) || ++reached > count) return false;
        const Node& node = m_nodes[top];
        auto found = m_firstLevel.find(node.Key);
        if (node.Parent != -1 || node.Key == 0 || found == m_firstLevel.end() ||
            found->second != top || !valid(node.NextSibling) || !valid(node.FirstChild))
            return false;
        bool binding = node.Terminal && node.Command >= 0 && node.FirstChild < 0;
        bool prefix = !node.Terminal && node.Command < 0 && node.FirstChild >= 0;
        if (!binding && !prefix) return false;
        std::unordered_set<uint16_t> keys;
        for (int32_t child = node.FirstChild; child >= 0; child = m_nodes[child].NextSibling) {
            if (++reached > count) return false;
            const Node& second = m_nodes[child];
            if (second.Parent != top || second.Key == 0 || second.Key != KeyCode(second.Key) ||
                !second.Terminal || second.Command < 0 || second.FirstChild >= 0 ||
                !valid(second.NextSibling) || !keys.insert(second.Key).second)
                return false;
        }
        last = top;
        ++firstLevel;
    }
    if (reached != count || last != m_lastFirstLevel || firstLevel != m_firstLevel.size())
        return false;
    return m_matchNode < 0 ||
           (m_nodes[m_matchNode].Parent < 0 && m_nodes[m_matchNode].FirstChild >= 0);
}

int32_t KeyStore::FindChild(int32_t parent, uint16_t keyCode) const {
    for (int32_t child = m_nodes[parent].FirstChild; child >= 0; child = m_nodes[child].NextSibling)
        if (m_nodes[child].Key == keyCode) return child;
    return -1;
}

int32_t KeyStore::AppendNode(uint16_t key, int32_t parent) {
    int32_t index = static_cast<int32_t>(m_nodes.size());
    Node node;
    node.Key = key;
    node.Parent = parent;
    m_nodes.push_back(node);
    if (parent < 0) {
        if (m_lastFirstLevel >= 0)
            m_nodes[m_lastFirstLevel].NextSibling = index;
        else
            m_firstNode = index;
        m_lastFirstLevel = index;
        m_firstLevel.emplace(key, index);
        return index;
    }
    // A node has at most 256 children, one per key code, so walking to the last is cheap.
    int32_t* link = &m_nodes[parent].FirstChild;
    while (*link >= 0) link = &m_nodes[*link].NextSibling;
    *link = index;
    return index;
}

// The node after `node` in tree order: its next sibling; after the last node of a level, the
// first child of the next first-level node that has children. -1 at the end.
int32_t KeyStore::NextInTreeOrder(int32_t node) const {
    const Node& current = m_nodes[node];
    if (current.NextSibling >= 0) return current.NextSibling;
    int32_t top = current.Parent < 0 ? m_firstNode : m_nodes[current.Parent].NextSibling;
    for (; top >= 0; top = m_nodes[top].NextSibling)
        if (m_nodes[top].FirstChild >= 0) return m_nodes[top].FirstChild;
    return -1;
}

int32_t KeyStore::FirstCommandBelow(int32_t node) const {
    return m_nodes[m_nodes[node].FirstChild].Command;
}

KeyPair KeyStore::PairOf(int32_t node) const {
    const Node& current = m_nodes[node];
    if (current.Parent < 0) return {current.Key, 0};
    return {m_nodes[current.Parent].Key, current.Key};
}

std::string KeyStore::CommandName(int32_t command) const {
    return m_owner ? m_owner->CommandName(command) : std::string();
}

void KeyStore::ThrowDuplicate(int32_t bound, int32_t command) const {
    // Put together by hand rather than by format: a command name may itself contain "%s".
    throw EAmbiguousKeyPair("Duplicate key sequence definition for\r\n\"" + CommandName(bound) +
                            "\" and \"" + CommandName(command) + "\"");
}

}  // namespace quinkle

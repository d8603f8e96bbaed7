// The key map: a two-level tree of key nodes binding keys and two-key sequences to commands.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/text/EditorError.h"

namespace quinkle {

class KeyboardActionController;

/// A key sequence bound to a command conflicts with one already in the map.
class EAmbiguousKeyPair : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// A first key and an optional second key (0 for none).
struct KeyPair {
    uint16_t First = 0;
    uint16_t Second = 0;
    friend bool operator==(const KeyPair&, const KeyPair&) = default;
};

/// One binding of the map: its keys and the command code they run.
struct KeyBinding {
    uint16_t FirstKey = 0;
    uint16_t SecondKey = 0;
    int32_t Command = -1;
    friend bool operator==(const KeyBinding&, const KeyBinding&) = default;
};

/// The outcome of offering one key to the map. Handled: the key belongs to a binding (a whole
/// one or the start of a sequence) and must produce no character. Command: the command code
/// recognised, -1 while a sequence is still open or when nothing matched. Extend: Shift was down,
/// so a movement command extends the selection.
struct KeyMatch {
    bool Handled = false;
    int32_t Command = -1;
    bool Extend = false;
};

/// Binds single key combinations and two-key sequences to command codes, and follows the keys
/// typed through the tree. First-level nodes hold full combinations; their children, the second
/// keys of sequences, hold key codes without modifiers and match by key code alone. A node either
/// ends a binding (it has a command and no children) or starts sequences (children, no command).
class KeyStore {
public:
    /// `owner` names the commands in conflict messages; without one the names are empty.
    explicit KeyStore(const KeyboardActionController* owner = nullptr) : m_owner(owner) {}

    void SetOwner(const KeyboardActionController* owner) { m_owner = owner; }

    /// Binds `first` alone (`second` 0) or the sequence `first`, `second` to `command`. The
    /// modifiers of `second` are dropped; a second key without a key code counts as none.
    /// Raises EAmbiguousKeyPair, naming the bound command and then `command`, when the keys are
    /// bound already, when `first` alone is bound and `first`, `second` is asked for, or when
    /// `first` starts sequences and is asked for alone; the map is then unchanged. Raises
    /// ESourceEditor for a `first` of 0 or a negative `command`.
    void AddBinding(uint16_t first, uint16_t second, int32_t command);

    /// Removes every binding and resets the matching and the enumeration.
    void Clear();

    bool Empty() const { return m_firstNode < 0; }

    /// Every binding in tree order: the first-level nodes in order (those that end a binding),
    /// then the children of each first-level node in turn. Adding these bindings in this order to
    /// an empty store rebuilds the same tree, so the order is stable over a round trip.
    std::vector<KeyBinding> Bindings() const;

    /// Starts enumerating the key pairs bound to `command` in tree order and returns the first,
    /// or the 0 pair when there is none. NextBinding returns the following ones, then the 0 pair.
    /// Adding bindings during an enumeration is safe; Clear ends it.
    KeyPair FirstBinding(int32_t command);
    KeyPair NextBinding(int32_t command);

    /// Offers one key, with any Shift-transparency already applied, to the map: no match resets
    /// the matching to the first level (the key is not handled); a match that starts sequences
    /// continues at its children (handled, no command yet); a match that ends a binding resets
    /// the matching and recognises its command (handled). Extend is left false.
    KeyMatch Match(uint16_t key);

    /// Continues matching at the first level.
    void ResetMatching() { m_matchNode = -1; }

    /// True after the first key of a sequence, while the second is awaited.
    bool InSequence() const { return m_matchNode >= 0; }

    /// The command code recognised last, -1 before any.
    int32_t LastCommand() const { return m_lastCommand; }

    /// Checks the tree's invariants; for tests and fuzzing.
    bool Check() const;

private:
    struct Node {
        uint16_t Key = 0;
        int32_t Parent = -1;
        int32_t NextSibling = -1;
        int32_t FirstChild = -1;
        bool Terminal = false;
        int32_t Command = -1;
    };

    int32_t FindChild(int32_t parent, uint16_t keyCode) const;
    int32_t AppendNode(uint16_t key, int32_t parent);
    int32_t NextInTreeOrder(int32_t node) const;
    int32_t FirstCommandBelow(int32_t node) const;
    KeyPair PairOf(int32_t node) const;
    std::string CommandName(int32_t command) const;
    [[noreturn]] void ThrowDuplicate(int32_t bound, int32_t command) const;

    const KeyboardActionController* m_owner;
    std::vector<Node> m_nodes;  // nodes refer to each other by index; -1 is none
    int32_t m_firstNode = -1;
    int32_t m_lastFirstLevel = -1;
    std::unordered_map<uint16_t, int32_t> m_firstLevel;  // key combination -> node
    int32_t m_matchNode = -1;                            // whose children the next key meets
    int32_t m_lastCommand = -1;
    int32_t m_enumNode = -1;
};

}  // namespace quinkle

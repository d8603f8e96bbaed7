// The doubly linked stack with a cursor that the undo log is built on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quinkle {

/// One record of the undo log. Selection entries carry (anchor, caret) in Value1/Value2; text
/// entries carry their text (nullopt for "nothing"); markers carry a transaction code in Value1
/// and, for action groups, their role (begin or end) in GroupRole.
struct UndoEntry {
    int32_t GroupRole = 0;
    int32_t Kind = 0;
    int32_t Value1 = 0;
    int32_t Value2 = 0;
    std::optional<std::string> Text;
};

/// Kinds of log entries.
enum UndoEntryKind : int32_t { ekSelection = 0, ekText = 1, ekMarker = 5 };
/// Roles of action-group markers; transaction markers have role 0.
enum UndoGroupRole : int32_t { grNone = 0, grBegin = 2, grEnd = 3 };

/// A node of the stack; its address stays valid until the stack discards it.
struct StackNode {
    UndoEntry Entry;
    int64_t Size = 0;  // the entry's own size, as given to Push
    StackNode* Older = nullptr;
    StackNode* Newer = nullptr;
};

/// A stack of entries from bottom (oldest) to top (newest) with a cursor between them. Entries
/// at or below the cursor are done, entries above it are undone and can be done again; a null
/// cursor means everything is undone. Count() is the number of entries at or below the cursor.
/// LoggedSize() is the sum of 16 plus the given size over all entries held.
class Stack {
public:
    /// Told of every entry the stack discards, just before it is freed; must not throw.
    using OnFree = std::function<void(UndoEntry&)>;

    Stack() = default;
    /// Frees the nodes without telling the on-free callback.
    virtual ~Stack();
    Stack(const Stack&) = delete;
    Stack& operator=(const Stack&) = delete;

    /// Discards the entries above the cursor (top first), then puts the entry on top and moves
    /// the cursor to it.
    void Push(UndoEntry entry, int64_t size);
    /// Discards the top entry. Throws ESourceEditor "Stack underflow" when empty.
    void Pop();
    /// Returns the entry at the cursor and moves the cursor one down. Throws "Stack underflow"
    /// when the cursor is null. The reference stays valid until the entry is discarded.
    UndoEntry& StepDown();
    /// Moves the cursor one up and returns the entry now at it. Throws "Stack underflow" when
    /// nothing lies above the cursor.
    UndoEntry& StepUp();
    /// True when nothing lies above the cursor (also when the stack is empty).
    bool AtTop() const { return m_cursor == m_top; }
    /// Moves the cursor to the top: every entry counts as done.
    void Reset();
    /// Keeps the stack within its limits; the base stack has none.
    virtual void Trim() {}
    /// Discards the bottom entry, if any; the cursor leaves it for null (nothing done).
    void RemoveBottom();
    /// Discards every entry, top first.
    void Clear();

    int32_t Count() const { return m_count; }
    int32_t NodeCount() const { return m_nodeCount; }
    int64_t LoggedSize() const { return m_loggedSize; }
    bool Empty() const { return m_top == nullptr; }

    const StackNode* Bottom() const { return m_bottom; }
    const StackNode* Cursor() const { return m_cursor; }
    const StackNode* Top() const { return m_top; }

    void SetOnFree(OnFree onFree) { m_onFree = std::move(onFree); }

    /// Verifies the links, the cursor, the count and the logged size by walking every node;
    /// throws std::logic_error naming the first fault. For tests.
    void Check() const;

protected:
    /// Called for every node about to be discarded; the default calls the on-free callback.
    virtual void Discarding(StackNode& node);

private:
    /// Unlinks and frees the top node.
    void DiscardTop();
    StackNode* NewNode(UndoEntry entry, int64_t size);
    void FreeNode(StackNode* node);

    StackNode* m_bottom = nullptr;
    StackNode* m_cursor = nullptr;
    StackNode* m_top = nullptr;
    int64_t m_loggedSize = 0;
    int32_t m_count = 0;
    int32_t m_nodeCount = 0;
    OnFree m_onFree;
    std::vector<std::unique_ptr<StackNode[]>> m_chunks;  // storage of every node
    StackNode* m_free = nullptr;                         // unused nodes, linked by Newer
};

}  // namespace quinkle

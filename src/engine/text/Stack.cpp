// The doubly linked stack with a cursor that the undo log is built on.
#include "engine/text/Stack.h"

#include <stdexcept>

#include "engine/text/EditorError.h"

namespace quinkle {

namespace {

// What a node adds to the logged size on top of its entry's own size.
constexpr int64_t kNodeSize = 16;
// Nodes are allocated this many at a time: typing logs a dozen per keystroke.
constexpr size_t kNodesPerChunk = 1024;

[[noreturn]] void ThrowUnderflow() { throw ESourceEditor("Stack underflow"); }

}  // namespace

Stack::~Stack() = default;

StackNode* Stack::NewNode(UndoEntry entry, int64_t size) {
    if (!m_free) {
        m_chunks.push_back(std::make_unique<StackNode[]>(kNodesPerChunk));
        StackNode* chunk = m_chunks.back().get();
        for (size_t i = 0; i < kNodesPerChunk; ++i) {
            chunk[i].Newer = m_free;
            m_free = &chunk[i];
        }
    }
    StackNode* node = m_free;
    m_free = node->Newer;
    *node = StackNode{std::move(entry), size, nullptr, nullptr};
    return node;
}

void Stack::FreeNode(StackNode* node) {
    *node = StackNode{};  // lets go of the entry's text now
    node->Newer = m_free;
    m_free = node;
}

void Stack::Push(UndoEntry entry, int64_t size) {
    StackNode* node = NewNode(std::move(entry), size);
    m_loggedSize += kNodeSize + size;
    while (m_top != m_cursor) DiscardTop();
    node->Older = m_top;
    if (m_top)
        m_top->Newer = node;
    else
        m_bottom = node;
    m_top = m_cursor = node;
    ++m_count;
    ++m_nodeCount;
}

void Stack::Pop() {
    if (!m_top) ThrowUnderflow();
    DiscardTop();
}

UndoEntry& Stack::StepDown() {
    if (!m_cursor) ThrowUnderflow();
    StackNode* node = m_cursor;
    m_cursor = node->Older;
    if (m_count > 0) --m_count;
    return node->Entry;
}

UndoEntry& Stack::StepUp() {
    StackNode* next = m_cursor ? m_cursor->Newer : m_bottom;
    if (!next) ThrowUnderflow();
    m_cursor = next;
    ++m_count;
    return next->Entry;
}

void Stack::Reset() {
    m_cursor = m_top;
    m_count = m_nodeCount;
}

void Stack::RemoveBottom() {
    StackNode* node = m_bottom;
    if (!node) return;
    Discarding(*node);
    // A non-null cursor always lies at or above the bottom, so the bottom was a done entry.
    if (m_cursor) {
        if (m_count > 0) --m_count;
        if (m_cursor == node) m_cursor = nullptr;
    }
    m_bottom = node->Newer;
    if (m_bottom)
        m_bottom->Older = nullptr;
    else
        m_top = nullptr;
    m_loggedSize -= kNodeSize + node->Size;
    --m_nodeCount;
    FreeNode(node);
}

void Stack::Clear() {
    while (m_top) DiscardTop();
    m_cursor = nullptr;
    m_count = 0;
    m_loggedSize = 0;
    m_chunks.clear();  // an empty log gives its memory back
    m_free = nullptr;
}

void Stack::DiscardTop() {
    StackNode* node = m_top;
    Discarding(*node);
    if (m_cursor == node) {
        m_cursor = node->Older;
        if (m_count > 0) --m_count;
    }
    m_top = node->Older;
    if (m_top)
        m_top->Newer = nullptr;
    else
        m_bottom = nullptr;
    m_loggedSize -= kNodeSize + node->Size;
    --m_nodeCount;
    FreeNode(node);
}

void Stack::Discarding(StackNode& node) {
    if (m_onFree) m_onFree(node.Entry);
}

void Stack::Check() const {
    auto fail = [](const char* what) { throw std::logic_error(std::string("Stack: ") + what); };
    if ((m_bottom == nullptr) != (m_top == nullptr)) fail("bottom and top disagree on emptiness");
    if (m_bottom && m_bottom->Older) fail("bottom has an older node");
    if (m_top && m_top->Newer) fail("top has a newer node");
    int32_t nodes = 0;
    int32_t cursorPosition = m_cursor ? -1 : 0;
    int64_t size = 0;
    const StackNode* previous = nullptr;
    for (const StackNode* node = m_bottom; node; node = node->Newer) {
        if (node->Older != previous) fail("older link does not match newer link");
        ++nodes;
        size += kNodeSize + node->Size;
        if (node == m_cursor) cursorPosition = nodes;
        previous = node;
    }
    if (previous != m_top) fail("walk from the bottom does not end at the top");
    if (cursorPosition < 0) fail("cursor is not in the stack");
    if (nodes != m_nodeCount) fail("node count is wrong");
    if (cursorPosition != m_count) fail("count is not the number of entries at the cursor");
    if (size != m_loggedSize) fail("logged size is wrong");
}

}  // namespace quinkle

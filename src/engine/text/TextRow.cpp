// Allocation of rows with their characters inline, one by one or carved from shared blocks.
#include "engine/text/TextRow.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "engine/text/HugePages.h"

namespace quinkle {
namespace {

// The block offset sits in what was padding: rows cost no more than before.
static_assert(sizeof(void*) != 8 || sizeof(TextRow) == 40, "the row header keeps its size");

// Capacity rounded so that typing into a row rarely reallocates it.
uint16_t CapacityFor(int32_t len) {
    int32_t cap = (len + 16) & ~15;
    if (cap > kMaxRowLength + 1) cap = kMaxRowLength + 1;
    return static_cast<uint16_t>(cap);
}

TextRow* Allocate(uint16_t capacity) {
    void* memory = std::malloc(sizeof(TextRow) + capacity + 1);
    if (!memory) throw std::bad_alloc();
    return new (memory) TextRow();
}

bool HasTab(std::string_view text) { return text.find(kTab) != std::string_view::npos; }

void Fill(TextRow* row, uint16_t capacity, std::string_view text, bool hasTab) {
    row->Capacity = capacity;
    row->Len = static_cast<uint16_t>(text.size());
    std::memcpy(row->Text(), text.data(), text.size());
    row->Text()[row->Len] = '\0';
    row->Flags = rfRepaint | rfRescan | (hasTab ? uint32_t{rfHasTab} : 0u);
}

// ---- shared blocks ----

// A block starts with this header; its rows follow. Live counts the rows carved from it that
// are not yet freed, plus one while a RowMaker still carves from it.
struct BlockHead {
    size_t Live = 0;
    size_t Bytes = 0;
};

constexpr size_t kFirstBlockBytes = size_t{64} << 10;
constexpr size_t kLastBlockBytes = size_t{4} << 20;

// Freed blocks of the largest size, kept for the next load: loading one file after another
// then reuses memory instead of taking fresh pages from the system (and clearing them) each
// time. At most kCachedBlocks are kept.
class BlockCache {
public:
    static constexpr size_t kCachedBlocks = 8;

    ~BlockCache() {
        for (void* block : m_blocks) std::free(block);
    }
    void* Take() {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_blocks.empty()) return nullptr;
        void* block = m_blocks.back();
        m_blocks.pop_back();
        return block;
    }
    bool Keep(void* block) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_blocks.size() >= kCachedBlocks) return false;
        m_blocks.push_back(block);
        return true;
    }

private:
    std::mutex m_mutex;
    std::vector<void*> m_blocks;
};

BlockCache& Cache() {
    static BlockCache cache;
    return cache;
}

BlockHead* NewBlock(size_t bytes) {
    // A large block is aligned so that huge pages can back all of it.
    constexpr size_t kHuge = size_t{2} << 20;
    void* memory = bytes == kLastBlockBytes ? Cache().Take() : nullptr;
    if (!memory) {
        memory = bytes % kHuge == 0 ? std::aligned_alloc(kHuge, bytes) : std::malloc(bytes);
        if (!memory) throw std::bad_alloc();
        AdviseHugePages(memory, bytes);
    }
    auto* head = new (memory) BlockHead();
    head->Bytes = bytes;
    return head;
}

void ReleaseBlock(BlockHead* head) {
    if (--head->Live != 0) return;
    const size_t bytes = head->Bytes;
    head->~BlockHead();
    if (bytes != kLastBlockBytes || !Cache().Keep(head)) std::free(head);
}

BlockHead* BlockOf(TextRow* row) {
    return reinterpret_cast<BlockHead*>(reinterpret_cast<char*>(row) - row->Carved);
}

}  // namespace

TextRow* NewRow(std::string_view text) {
    const uint16_t capacity = CapacityFor(static_cast<int32_t>(text.size()));
    TextRow* row = Allocate(capacity);
    Fill(row, capacity, text, HasTab(text));
    return row;
}

void FreeRow(TextRow* row) {
    if (!row) return;
    delete row->TrackInfo;
    delete[] row->Styles;
    if (row->Carved != 0) {
        BlockHead* block = BlockOf(row);
        row->~TextRow();
        ReleaseBlock(block);
        return;
    }
    row->~TextRow();
    std::free(row);
}

void InvalidateRow(TextRow* row) {
    delete[] row->Styles;
    row->Styles = nullptr;
    row->Flags |= rfRepaint | rfRescan;
}

TextRow* InsertCharIntoRow(TextRow* row, int32_t at, char c) {
    if (row->Len + 1 > row->Capacity) {
        uint16_t capacity = CapacityFor(row->Len + 1);
        if (row->Carved != 0) {
            // A carved row cannot grow where it stands: it moves to an allocation of its own.
            void* memory = std::malloc(sizeof(TextRow) + capacity + 1);
            if (!memory) throw std::bad_alloc();
            std::memcpy(memory, row, sizeof(TextRow) + row->Len + 1);
            BlockHead* block = BlockOf(row);
            row = static_cast<TextRow*>(memory);
            row->Carved = 0;
            ReleaseBlock(block);
        } else {
            void* memory = std::realloc(row, sizeof(TextRow) + capacity + 1);
            if (!memory) throw std::bad_alloc();
            row = static_cast<TextRow*>(memory);
        }
        row->Capacity = capacity;
        if (row->TrackInfo) row->TrackInfo->Row = row;
    }
    char* text = row->Text();
    std::memmove(text + at + 1, text + at, row->Len - at + 1);
    text[at] = c;
    ++row->Len;
    InvalidateRow(row);
    if (c == kTab) row->Flags |= rfHasTab;
    return row;
}

// ---- RowMaker ----

RowMaker::~RowMaker() {
    if (m_block) ReleaseBlock(reinterpret_cast<BlockHead*>(m_block));
}

void RowMaker::NextBlock(size_t need) {
    m_blockBytes = std::clamp(m_blockBytes * 2, kFirstBlockBytes, kLastBlockBytes);
    BlockHead* head = NewBlock(std::max(m_blockBytes, need + sizeof(BlockHead)));
    head->Live = 1;  // the maker's hold
    if (m_block) ReleaseBlock(reinterpret_cast<BlockHead*>(m_block));
    m_block = reinterpret_cast<char*>(head);
    m_next = m_block + sizeof(BlockHead);
    m_end = m_block + head->Bytes;
}

// A row header for `length` characters, carved from the block; its text is the caller's.
TextRow* RowMaker::Carve(size_t length) {
    const uint16_t capacity = CapacityFor(static_cast<int32_t>(length));
    const size_t bytes = (sizeof(TextRow) + capacity + 1 + 7) & ~size_t{7};
    if (static_cast<size_t>(m_end - m_next) < bytes) NextBlock(bytes);
    auto* row = new (m_next) TextRow();
    row->Carved = static_cast<uint32_t>(m_next - m_block);
    ++reinterpret_cast<BlockHead*>(m_block)->Live;
    m_next += bytes;
    row->Capacity = capacity;
    row->Len = static_cast<uint16_t>(length);
    return row;
}

TextRow* RowMaker::Make(std::string_view text, bool hasTab) {
    TextRow* row = Carve(text.size());
    Fill(row, row->Capacity, text, hasTab);
    return row;
}

TextRow* RowMaker::MakeLine(std::string_view text, bool hasTab) {
    TextRow* row = Carve(text.size() + 1);
    char* chars = row->Text();
    std::memcpy(chars, text.data(), text.size());
    chars[text.size()] = kCR;
    chars[text.size() + 1] = '\0';
    row->Flags = rfRepaint | rfRescan | (hasTab ? uint32_t{rfHasTab} : 0u);
    return row;
}

}  // namespace quinkle

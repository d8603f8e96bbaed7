// Allocation of rows with their characters inline.
#include "engine/text/TextRow.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace quinkle {
namespace {

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

}  // namespace

TextRow* NewRow(std::string_view text) {
    TextRow* row = Allocate(CapacityFor(static_cast<int32_t>(text.size())));
    row->Capacity = CapacityFor(static_cast<int32_t>(text.size()));
    row->Len = static_cast<uint16_t>(text.size());
    std::memcpy(row->Text(), text.data(), text.size());
    row->Text()[row->Len] = '\0';
    row->Flags = rfRepaint | rfRescan | (HasTab(text) ? uint32_t{rfHasTab} : 0u);
    return row;
}

void FreeRow(TextRow* row) {
    if (!row) return;
    delete row->TrackInfo;
    delete[] row->Styles;
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
        void* memory = std::realloc(row, sizeof(TextRow) + capacity + 1);
        if (!memory) throw std::bad_alloc();
        row = static_cast<TextRow*>(memory);
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

}  // namespace quinkle

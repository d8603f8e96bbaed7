// The undo and redo drop-down lists.
#include "engine/editor/UndoListing.h"

namespace quinkle {
namespace {

bool Mergeable(int32_t code) { return code == ucTyping || code == ucDelete; }

}  // namespace

std::vector<UndoListItem> ListUndoItems(UndoStack& log, bool redo) {
    std::vector<UndoListItem> items;
    int32_t lastCode = -1;
    log.StartListing();
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    while (redo ? log.NextRedoGroup(false, code, node) : log.NextUndoGroup(false, code, node)) {
        if (!items.empty() && code == lastCode && Mergeable(code)) {
            items.back().Node = node;  // the item now reaches this group too
            continue;
        }
        items.push_back({std::string(UndoGroupName(code)), node});
        lastCode = code;
    }
    if (items.empty()) items.push_back({redo ? kNoRedoItems : kNoUndoItems, nullptr});
    return items;
}

}  // namespace quinkle

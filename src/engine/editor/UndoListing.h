// The items of the Undo and Redo drop-down lists.
#pragma once

#include <string>
#include <vector>

#include "engine/text/UndoStack.h"

namespace quinkle {

/// One item: the label of its group (or groups) and the node UndoTo takes to reach it.
struct UndoListItem {
    std::string Label;
    UndoStack::Node Node = nullptr;  ///< null for the "No Undo items" / "No Redo items" entry
};

inline constexpr const char* kNoUndoItems = "No Undo items";
inline constexpr const char* kNoRedoItems = "No Redo items";

/// Lists the undo groups newest first (or the redo groups oldest first). Neighbouring groups
/// of typing or of deleting are listed as one item, which reaches down to the farthest of
/// them. With no group the list holds the one empty entry.
std::vector<UndoListItem> ListUndoItems(UndoStack& log, bool redo);

}  // namespace quinkle

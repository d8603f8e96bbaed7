// What replaying the undo log needs from the editor it replays into.
#pragma once

#include <cstdint>
#include <string_view>

namespace quinkle {

/// The editor side of undo and redo. Offsets are byte offsets into the text, which uses CR line
/// ends. None of these calls may record into the undo log.
class UndoTarget {
public:
    virtual ~UndoTarget() = default;
    /// Sets the selection without logging it.
    virtual void UndoSetSelection(int32_t anchor, int32_t caret) = 0;
    /// Replaces [from, to) by text, without logging and without repainting.
    virtual void UndoReplace(int32_t from, int32_t to, std::string_view text) = 0;
    /// A replay starts: lock repainting.
    virtual void UndoBeginReplay() {}
    /// A replay has ended (also after a failure): rescan what needs it, bring the caret into
    /// view, unlock repainting, report the change.
    virtual void UndoEndReplay() {}
    /// A replayed transaction lay inside an indent or unindent group.
    virtual void UndoResetRescanStart() {}
    virtual void Beep() {}
};

}  // namespace quinkle

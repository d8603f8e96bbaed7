// The main window's command table: one row per menu item, pop-up item and toolbar button.
#pragma once

#include <functional>
#include <vector>

namespace quinkle {

class QuinkleForm;

/// One command: its designer name, caption, shortcut and hint, its icon (a freedesktop theme
/// name and our own artwork, either may be null) and its handler. A row without a handler
/// stays disabled. A menu item and a toolbar button of the same command are separate rows,
/// as they are separate controls.
struct CommandRow {
    const char* Name;
    const char* Caption;
    const char* Shortcut;
    const char* Hint;
    const char* Theme;
    const char* Artwork;
    std::function<void()> Handler;
};

/// Every command of the main window `form`, its handlers bound to it.
std::vector<CommandRow> MainWindowCommands(QuinkleForm& form);

/// Makes the parts of `form` that keep state for its commands (search, the menus that follow
/// the editor, the scheme items), once its menus and editor are ready.
void AttachCommandParts(QuinkleForm& form);

}  // namespace quinkle

// How the main window's menus and toolbars are laid out from the command table's rows.
#pragma once

#include <QToolBar>
#include <initializer_list>
#include <vector>

class QMenu;

namespace quinkle {

class QuinkleForm;

/// A menu layout: command names in order; "-" is a separator ("-Name" a named one),
/// ">Name|Title" opens a submenu and "<" closes it.
using Layout = std::initializer_list<const char*>;

/// A top-level menu of the menu bar.
struct MenuLayout {
    const char* Name;
    const char* Title;
    const Layout* Items;
};

/// A pop-up menu: its name, its banner (none when null) and its items.
struct PopupLayout {
    const char* Name;
    const char* Banner;
    const Layout* Items;
};

/// A toolbar. Its items are command names; "name>Popup" is a button with the drop-down menu
/// Popup, "name#Tag" a quick button with that Tag, and "@name" a control the window makes.
struct ToolbarLayout {
    const char* Name;
    const char* Title;
    Qt::ToolBarArea Area;
    bool BreakBefore;
    std::vector<const char*> Items;
};

extern const MenuLayout kMainMenus[7];
extern const PopupLayout kPopupMenus[4];
extern const ToolbarLayout kToolbarLayouts[9];

/// Fills `menu` from `layout` with the commands of `form`; submenus are plain menus.
void FillMenu(QMenu* menu, const Layout& layout, const QuinkleForm& form);

}  // namespace quinkle

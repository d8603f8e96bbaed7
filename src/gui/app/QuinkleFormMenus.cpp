// The main window's main menu and pop-up menus, made from their layouts.
#include <QAction>
#include <QMenuBar>

#include "gui/app/BannerMenu.h"
#include "gui/app/CommandLayout.h"
#include "gui/app/QuinkleForm.h"

namespace quinkle {
BannerMenu* QuinkleForm::NewMenu(const char* name, const QString& title, QWidget* parent) {
    auto* menu = new BannerMenu(title, parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    m_bannerMenus.append(menu);
    return menu;
}

void QuinkleForm::CreateMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuLayout& top : kMainMenus) {
        BannerMenu* menu = NewMenu(top.Name, QLatin1String(top.Title), this);
        FillMenu(menu, *top.Items, *this);
        menuBar()->addMenu(menu);
    }
    // The Edit menu refreshes the command state when it opens.
    connect(findChild<QMenu*>(QStringLiteral("Edit1")), &QMenu::aboutToShow, this,
            &QuinkleForm::UpdateCommandState);
}

void QuinkleForm::CreatePopupMenus() {
    for (const PopupLayout& popup : kPopupMenus) {
        QMenu* menu = nullptr;
        if (popup.Banner != nullptr) {
            BannerMenu* banner = NewMenu(popup.Name, QString(), this);
            banner->SetBanner(QLatin1String(popup.Banner));
            menu = banner;
        } else {
            menu = new QMenu(this);
            menu->setObjectName(QLatin1String(popup.Name));
        }
        FillMenu(menu, *popup.Items, *this);
    }
    for (const char* name : {"UndoPopup", "ReDoPopup"}) {
        QMenu* list = new QMenu(this);
        list->setObjectName(QLatin1String(name));
    }
}

}  // namespace quinkle

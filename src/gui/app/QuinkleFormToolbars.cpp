// The main window's toolbars and tool windows, the Show/Hide Toolbars pop-up, large and
// small buttons, the dock background and the saved toolbar layout.
#include <QAction>
#include <QDockWidget>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/BannerMenu.h"
#include "gui/app/CommandLayout.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/ToolWindows.h"

namespace quinkle {
namespace {

constexpr int kSmallButton = 25;
constexpr int kLargeButtonHeight = 40;
constexpr int kLargeButtonWidth = 46;
constexpr int kIconSize = 20;

int Tag(const QObject* button) { return button->property("Tag").toInt(); }

}  // namespace

QToolBar* QuinkleForm::NewToolbar(const char* name, Qt::ToolBarArea area) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->setIconSize(QSize(kIconSize, kIconSize));
    addToolBar(area, bar);
    m_toolbars.append(bar);
    return bar;
}

QToolButton* QuinkleForm::AddButton(QToolBar* bar, const QString& name, int tag) {
    QAction* action = Command(name);
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    button->setObjectName(name);
    button->setProperty("Tag", tag);
    if (tag != 0) {
        // Quick buttons show their caption and stay hidden until they are set up.
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        action->setVisible(false);
    } else {
        button->setFixedSize(kSmallButton, kSmallButton);
    }
    return button;
}

void QuinkleForm::CreateToolbars() {
    for (const ToolbarLayout& layout : kToolbarLayouts) {
        if (layout.BreakBefore) addToolBarBreak(layout.Area);
        QToolBar* bar = NewToolbar(layout.Name, layout.Area);
        bar->setWindowTitle(QString::fromUtf8(layout.Title));
        for (const char* item : layout.Items) AddToolbarItem(bar, QString::fromUtf8(item));
    }
}

void QuinkleForm::AddToolbarItem(QToolBar* bar, const QString& item) {
    if (item.startsWith(QLatin1Char('@'))) {
        bar->addWidget(m_controls.Make(item.mid(1), bar));
    } else if (item.contains(QLatin1Char('>'))) {
        QToolButton* button = AddButton(bar, item.section(QLatin1Char('>'), 0, 0));
        button->setMenu(findChild<QMenu*>(item.section(QLatin1Char('>'), 1)));
        button->setPopupMode(QToolButton::MenuButtonPopup);
    } else {
        AddButton(bar, item.section(QLatin1Char('#'), 0, 0),
                  item.section(QLatin1Char('#'), 1).toInt());
    }
}

void QuinkleForm::CreateToolWindows() {
    const QuickFileLoadWindow quickLoad =
        NewQuickFileLoadWindow(this, findChild<QMenu*>(QStringLiteral("pmQFileLoad")));
    m_flQFileLoad = quickLoad.Files;
    m_cbQFileLoad = quickLoad.ShowAll;
    m_edQFLoad = quickLoad.Folder;
    const MacrosWindow macros = NewMacrosWindow(this, findChild<QMenu*>(QStringLiteral("pmMacros")),
                                                Command(QStringLiteral("btnWPlay")));
    m_lbMacros = macros.Macros;
    m_toolWindows = {quickLoad.Dock, macros.Dock};
}

// ---- Show/Hide Toolbars ----

QMenu* QuinkleForm::BuildToolbarPopup() {
    auto* popup = new BannerMenu(QString(), this);
    popup->setObjectName(QStringLiteral("puToolBar"));
    popup->SetBanner(QStringLiteral("Toolbars"));
    popup->SetMenuLook(m_menusLook);
    popup->setFont(font());
    const auto addItem = [popup](QWidget* window) {
        QAction* item = popup->addAction(window->windowTitle());
        item->setCheckable(true);
        item->setChecked(window->isVisible());
    };
    for (QToolBar* bar : m_toolbars) addItem(bar);
    popup->addSeparator();
    for (QDockWidget* window : m_toolWindows) addItem(window);
    connect(popup, &QMenu::triggered, this, &QuinkleForm::DoToolbars);
    return popup;
}

QMenu* QuinkleForm::createPopupMenu() { return BuildToolbarPopup(); }

void QuinkleForm::DoToolbars(QAction* item) {
    const QString caption = item->text();
    for (QToolBar* bar : m_toolbars) {
        if (bar->windowTitle() == caption) bar->setVisible(!bar->isVisible());
    }
    for (QDockWidget* window : m_toolWindows) {
        if (window->windowTitle() == caption) window->setVisible(!window->isVisible());
    }
}

// ---- buttons, background and layout ----

void QuinkleForm::ApplyLargeButtons(bool large) {
    setUpdatesEnabled(false);
    for (QToolBar* bar : m_toolbars) {
        for (QToolButton* button : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            if (button->objectName().isEmpty() || Tag(button) != 0) continue;
            if (large) {
                int textWidth = button->fontMetrics().horizontalAdvance(button->text());
                if (button->popupMode() == QToolButton::MenuButtonPopup)
                    textWidth += button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator);
                button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
                button->setFixedSize(std::max(kLargeButtonWidth, textWidth + 10),
                                     kLargeButtonHeight);
            } else {
                button->setToolButtonStyle(Qt::ToolButtonIconOnly);
                button->setFixedSize(kSmallButton, kSmallButton);
            }
        }
    }
    setUpdatesEnabled(true);
    m_largeButtons = large;
    if (m_settings) Write(*m_settings, kToolbarIconSize, large ? kLargeIconSize : kSmallIconSize);
}

void QuinkleForm::ApplyBackground() {
    m_backgroundShown = !m_settings || Read(*m_settings, kBackground) != 1;
    update();
}

void QuinkleForm::paintEvent(QPaintEvent* event) {
    // The docks show through around the toolbars; they carry the background picture.
    if (m_backgroundShown && !m_background.isNull()) {
        QPainter painter(this);
        painter.drawTiledPixmap(rect(), m_background);
        return;
    }
    QMainWindow::paintEvent(event);
}

void QuinkleForm::RestoreToolbarLayout() {
    const std::string state = Read(*m_settings, kToolbarState);
    if (!state.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

void QuinkleForm::SaveToolbarLayout() {
    Write(*m_settings, kToolbarState, saveState().toBase64().toStdString());
}

void QuinkleForm::BuildQuickButtonIndex() {
    m_quickButtonIndex.fill(nullptr);
    for (QToolBar* bar : m_toolbars) {
        for (QToolButton* button : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            const int tag = Tag(button);
            if (tag >= 1 && tag <= 10) m_quickButtonIndex[size_t(tag)] = button;
        }
    }
}

void QuinkleForm::SetPrintCommandsVisible(bool visible) {
    m_printingAvailable = visible;
    Command(QStringLiteral("mnuPrint"))->setVisible(visible);
    Command(QStringLiteral("btnPrint"))->setVisible(visible);
    if (auto* separator = findChild<QAction*>(QStringLiteral("PrintSeparator")))
        separator->setVisible(visible);
}

void QuinkleForm::ApplyMenusLook(int look) {
    m_menusLook = look;
    for (BannerMenu* menu : m_bannerMenus) menu->SetMenuLook(look);
}

}  // namespace quinkle

// The Quick File Load window and the Macros window.
#include "gui/app/ToolWindows.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace quinkle {
namespace {

// A list that opens `popup` where it is right-clicked.
QListWidget* NewListWithPopup(const char* name, QWidget* parent, QMenu* popup) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QWidget::customContextMenuRequested, list,
                     [list, popup](const QPoint& at) { popup->popup(list->mapToGlobal(at)); });
    return list;
}

// A dock of `window` whose body lays out its widgets from top to bottom.
QDockWidget* NewDock(const QString& title, const char* name, QMainWindow* window,
                     QVBoxLayout*& layout) {
    auto* dock = new QDockWidget(title, window);
    dock->setObjectName(QLatin1String(name));
    auto* body = new QWidget(dock);
    layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    dock->setWidget(body);
    return dock;
}

}  // namespace

QuickFileLoadWindow NewQuickFileLoadWindow(QMainWindow* window, QMenu* popup) {
    QVBoxLayout* layout = nullptr;
    QDockWidget* dock = NewDock(QStringLiteral("Quick File Load"), "twQFileLoad", window, layout);
    QWidget* body = dock->widget();
    QListWidget* files = NewListWithPopup("flQFileLoad", body, popup);
    auto* showAll = new QCheckBox(QStringLiteral("Show All HTML Files"), body);
    showAll->setObjectName(QStringLiteral("cbQFileLoad"));
    showAll->setToolTip(
        QStringLiteral("Either shows the *.htm\nfiles in a directory or\nall of the files."));
    auto* folder = new QLineEdit(body);
    folder->setObjectName(QStringLiteral("edQFLoad"));
    folder->hide();
    layout->addWidget(files, 1);
    layout->addWidget(showAll);
    window->addDockWidget(Qt::RightDockWidgetArea, dock);
    window->resizeDocks({dock}, {170}, Qt::Horizontal);
    return {dock, files, showAll, folder};
}

MacrosWindow NewMacrosWindow(QMainWindow* window, QMenu* popup, QAction* play) {
    QVBoxLayout* layout = nullptr;
    QDockWidget* dock = NewDock(QStringLiteral("Macros Window"), "twMacros", window, layout);
    QWidget* body = dock->widget();
    QListWidget* macros = NewListWithPopup("lbMacros", body, popup);
    macros->setSortingEnabled(true);
    auto* button = new QToolButton(body);
    button->setObjectName(QStringLiteral("btnWPlay"));
    button->setDefaultAction(play);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* fast = new QCheckBox(QStringLiteral("Play fast"), body);
    fast->setObjectName(QStringLiteral("chPlayFast"));
    fast->setToolTip(QStringLiteral("Plays the macro without\nthe recorded waits."));
    layout->addWidget(macros, 1);
    layout->addWidget(button);
    layout->addWidget(fast);
    window->addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->setFloating(true);
    dock->resize(180, 240);
    dock->hide();
    return {dock, macros, fast};
}

}  // namespace quinkle

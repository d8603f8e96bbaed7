// The main window's two tool windows: Quick File Load and the Macros window.
#pragma once

class QAction;
class QCheckBox;
class QDockWidget;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;

namespace quinkle {

/// The Quick File Load window: the file list with its pop-up menu, the "Show All HTML Files"
/// tick and the hidden folder field.
struct QuickFileLoadWindow {
    QDockWidget* Dock;
    QListWidget* Files;
    QCheckBox* ShowAll;
    QLineEdit* Folder;
};

/// The Macros window: the sorted macro list with its pop-up menu, a Play button and the
/// "Play fast" tick (play without the recorded waits).
struct MacrosWindow {
    QDockWidget* Dock;
    QListWidget* Macros;
    QCheckBox* PlayFast;
};

/// Docks the Quick File Load window on the right of `window`.
QuickFileLoadWindow NewQuickFileLoadWindow(QMainWindow* window, QMenu* popup);
/// Makes the Macros window, floating and hidden; its button shows `play`.
MacrosWindow NewMacrosWindow(QMainWindow* window, QMenu* popup, QAction* play);

}  // namespace quinkle

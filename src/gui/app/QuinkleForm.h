// The main window: hosts the editor, its menus, toolbars and status bar.
#pragma once

#include <QMainWindow>

namespace quinkle {

class QuinkleForm : public QMainWindow {
    Q_OBJECT

public:
    /// A window for an untitled, empty document; it is not shown until the caller shows it.
    explicit QuinkleForm(QWidget* parent = nullptr);
};

}  // namespace quinkle

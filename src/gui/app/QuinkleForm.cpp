// The main window: hosts the editor, its menus, toolbars and status bar.
#include "app/QuinkleForm.h"

namespace quinkle {

QuinkleForm::QuinkleForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("QuinkleForm"));
    setWindowTitle(QStringLiteral("HTML Quinkle - (Untitled)"));
    resize(780, 535);
}

}  // namespace quinkle

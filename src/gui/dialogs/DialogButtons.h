// The OK, Cancel and Help row the HTML dialogs share, and the main window's font name.
#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;
class QShortcut;
class QWidget;

namespace quinkle {

struct DialogButtons {
    QHBoxLayout* row;
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
    QShortcut* helpKey;  ///< F1 anywhere in the dialog
};

/// Makes btnOK (the default button), btnCancel and btnHelp in a right-aligned row for the
/// caller's layout, and an F1 shortcut that works in every control of `dialog`. The caller
/// connects them. Escape already cancels a QDialog.
DialogButtons AddDialogButtons(QDialog& dialog);

/// Gives `dialog` the font family of the window of `parent` (when there is one), keeping the
/// dialog's own size.
void TakeFontName(QWidget& dialog, const QWidget* parent);

}  // namespace quinkle

// The OK, Cancel and Help row the HTML dialogs share, and the main window's font name.
#include "gui/dialogs/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace quinkle {
namespace {

QPushButton* MakeButton(QDialog& dialog, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

DialogButtons AddDialogButtons(QDialog& dialog) {
    DialogButtons buttons{};
    buttons.ok = MakeButton(dialog, "btnOK", QStringLiteral("&OK"));
    buttons.ok->setDefault(true);
    buttons.cancel = MakeButton(dialog, "btnCancel", QStringLiteral("&Cancel"));
    buttons.help = MakeButton(dialog, "btnHelp", QStringLiteral("&Help"));
    buttons.row = new QHBoxLayout;
    buttons.row->addStretch(1);
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.cancel);
    buttons.row->addWidget(buttons.help);
    buttons.helpKey = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    buttons.helpKey->setObjectName(QStringLiteral("scHelp"));
    buttons.helpKey->setContext(Qt::WidgetWithChildrenShortcut);
    return buttons;
}

void TakeFontName(QWidget& dialog, const QWidget* parent) {
    if (parent == nullptr) return;
    QFont font = dialog.font();
    font.setFamily(parent->window()->font().family());
    dialog.setFont(font);
}

}  // namespace quinkle

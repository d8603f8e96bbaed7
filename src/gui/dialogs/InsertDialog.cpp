// The frame every HTML construction dialog shares: OK builds the text from the fields and hands
// it to the main window as one undo step.
#include "gui/dialogs/InsertDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

InsertDialog::InsertDialog(InsertHost& host, QWidget* parent, const char* name,
                           const QString& caption, int undoCode, std::string_view helpTopic)
    : QDialog(parent), m_host(host), m_undoCode(undoCode), m_helpTopic(FromStd(helpTopic)) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setModal(true);
    TakeFontName(*this, parent);
}

void InsertDialog::SetFieldsLayout(QLayout* fields) {
    // Made after the fields, so that the focus starts in the first field and Tab reaches the
    // buttons last.
    DialogButtons buttons = AddDialogButtons(*this);
    connect(buttons.ok, &QPushButton::clicked, this, &InsertDialog::btnOKClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.help, &QPushButton::clicked, this, &InsertDialog::btnHelpClick);
    connect(buttons.helpKey, &QShortcut::activated, this, &InsertDialog::btnHelpClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons.row);
}

void InsertDialog::btnOKClick() {
    Guarded([&] {
        const GeneratedText generated = Generated();
        if (!generated.Text.empty())
            m_host.InsertGeneratedText(FromStd(generated.Text), generated.StepBack, m_undoCode);
    });
    accept();
}

void InsertDialog::btnHelpClick() { m_host.ShowHelpTopic(m_helpTopic); }

}  // namespace quinkle

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
    DialogButtons buttons = AddDialogButtons(*this);
    m_btnOK = buttons.ok;
    m_btnCancel = buttons.cancel;
    m_btnHelp = buttons.help;
    m_buttonRow = buttons.row;
    connect(m_btnOK, &QPushButton::clicked, this, &InsertDialog::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnHelp, &QPushButton::clicked, this, &InsertDialog::btnHelpClick);
    connect(buttons.helpKey, &QShortcut::activated, this, &InsertDialog::btnHelpClick);
    TakeFontName(*this, parent);
}

void InsertDialog::SetFieldsLayout(QLayout* fields) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(m_buttonRow);
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

// The Create Header dialog: title, key words and description of a page's head section.
#include "gui/dialogs/HeadDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <exception>

#include "engine/help/HelpTopics.h"
#include "engine/html/HeadBody.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

const QString HeadDialog::kHelpTopic = FromStd(kTopicHeaderDialog);

HeadDialog::HeadDialog(InsertHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("frmHead"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Create Header"));
    setModal(true);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    CreateControls();
    TakeFontName(*this, parent);
}

void HeadDialog::CreateControls() {
    m_TitleEdit = new QLineEdit(this);
    m_TitleEdit->setObjectName(QStringLiteral("TitleEdit"));
    m_KeyWEdit = new QLineEdit(this);
    m_KeyWEdit->setObjectName(QStringLiteral("KeyWEdit"));
    m_mDesc = new QPlainTextEdit(this);
    m_mDesc->setObjectName(QStringLiteral("mDesc"));
    m_mDesc->setTabChangesFocus(true);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Title:"), m_TitleEdit);
    fields->addRow(QStringLiteral("&Key Words:"), m_KeyWEdit);
    fields->addRow(QStringLiteral("&Description:"), m_mDesc);

    DialogButtons buttons = AddDialogButtons(*this);
    m_btnOK = buttons.ok;
    m_btnCancel = buttons.cancel;
    m_btnHelp = buttons.help;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons.row);
    resize(440, 260);

    connect(m_btnOK, &QPushButton::clicked, this, &HeadDialog::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnHelp, &QPushButton::clicked, this, &HeadDialog::btnHelpClick);
    connect(buttons.helpKey, &QShortcut::activated, this, &HeadDialog::btnHelpClick);
}

QString HeadDialog::Keywords() const { return m_KeyWEdit->text(); }

QString HeadDialog::PageTitle() const { return m_TitleEdit->text(); }

QString HeadDialog::Description() const {
    return m_mDesc->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString HeadDialog::HeadSection() const {
    return QString::fromStdString(BuildHeadSection(
        Keywords().toStdString(), PageTitle().toStdString(), Description().toStdString()));
}

void HeadDialog::btnOKClick() {
    Guarded([&] { m_host.InsertGeneratedText(HeadSection(), 0, ucHeader); });
    accept();
}

void HeadDialog::btnHelpClick() { m_host.ShowHelpTopic(kHelpTopic); }

}  // namespace quinkle

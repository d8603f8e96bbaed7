// The Goto dialog.
#include "gui/dialogs/GotoDialog.h"

#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/dialogs/DialogButtons.h"

namespace quinkle {

const QString GotoDialog::kHelpTopic = QStringLiteral("The_Goto_Dialog");

GotoDialog::GotoDialog(QWidget* parent, std::function<void()> help) : QDialog(parent) {
    setObjectName(QStringLiteral("frmGoto"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Goto..."));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    auto* group = new QGroupBox(QStringLiteral("Goto"), this);
    group->setObjectName(QStringLiteral("rgGoto"));
    m_start = new QRadioButton(QStringLiteral("Start"), group);
    m_line = new QRadioButton(QStringLiteral("Line"), group);
    m_end = new QRadioButton(QStringLiteral("End"), group);
    m_start->setObjectName(QStringLiteral("rbStart"));
    m_line->setObjectName(QStringLiteral("rbLine"));
    m_end->setObjectName(QStringLiteral("rbEnd"));
    m_line->setChecked(true);
    m_lineNumber = new QLineEdit(group);
    m_lineNumber->setObjectName(QStringLiteral("eLineNum"));
    m_lineNumber->setValidator(new QIntValidator(1, 999999999, m_lineNumber));
    connect(m_lineNumber, &QLineEdit::textEdited, this, [this] { m_line->setChecked(true); });

    auto* choices = new QVBoxLayout(group);
    choices->addWidget(m_start);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(m_line);
    lineRow->addWidget(m_lineNumber);
    choices->addLayout(lineRow);
    choices->addWidget(m_end);

    DialogButtons buttons = AddDialogButtons(*this);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.help, &QPushButton::clicked, this, help);
    connect(buttons.helpKey, &QShortcut::activated, this, help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons.row);
    TakeFontName(*this, parent);
}

GotoChoice GotoDialog::Choice() const {
    if (m_start->isChecked()) return GotoChoice::Start;
    return m_end->isChecked() ? GotoChoice::End : GotoChoice::Line;
}

int32_t GotoDialog::LineNumber() const { return m_lineNumber->text().toInt(); }

}  // namespace quinkle

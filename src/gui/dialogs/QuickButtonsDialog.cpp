// The quick button set-up dialogs and the hint editor.
#include "gui/dialogs/QuickButtonsDialog.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "engine/store/QuickButtons.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// OK, Cancel and Help for `dialog`, Help opening `help`.
QHBoxLayout* ConnectButtons(QDialog& dialog, const std::function<void()>& help) {
    DialogButtons buttons = AddDialogButtons(dialog);
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    QObject::connect(buttons.help, &QPushButton::clicked, &dialog, help);
    QObject::connect(buttons.helpKey, &QShortcut::activated, &dialog, help);
    return buttons.row;
}

// A line field with a small button after it.
QLineEdit* FieldWithButton(QWidget* page, const QString& name, const QString& caption,
                           QHBoxLayout*& row, QToolButton*& button) {
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    button = new QToolButton(page);
    button->setText(caption);
    button->setObjectName(name + QStringLiteral("Button"));
    row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(button);
    return field;
}

}  // namespace

const QString HintEditDialog::kHelpTopic = QStringLiteral("Edit_Hint");

HintEditDialog::HintEditDialog(QWidget* parent, std::function<void()> help) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHintEdit"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Edit Hint"));
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("HintMemo"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo, 1);
    layout->addLayout(ConnectButtons(*this, help));
    TakeFontName(*this, parent);
    resize(320, 200);
}

void HintEditDialog::EditField(QLineEdit& field) {
    m_memo->setPlainText(FromStd(DecodeHint(ToStd(field.text()))));
    m_memo->setFocus();
    if (exec() == QDialog::Accepted)
        field.setText(FromStd(JoinHintLines(ToStd(m_memo->toPlainText()))));
}

QuickButtonsDialog::QuickButtonsDialog(QWidget* parent, Kind kind, IniFile& settings,
                                       std::function<void(const QString&)> help)
    : QDialog(parent), m_kind(kind), m_settings(settings), m_help(std::move(help)) {
    const bool files = kind == Kind::File;
    setObjectName(files ? QStringLiteral("frmQFile") : QStringLiteral("frmQFormat"));
    setWindowTitle(files ? QStringLiteral("HTML Quinkle - Insert Text File...")
                         : QStringLiteral("HTML Quinkle - Quick Formatting..."));
    const QString topic =
        files ? QStringLiteral("Add_File_Text") : QStringLiteral("Add_Quick_Formating");

    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    for (int n = 0; n < 5; ++n) {
        const QString digit = QString::number(n + 1);
        auto* page = new QWidget(pages);
        auto* form = new QFormLayout(page);
        m_caption[n] = new QLineEdit(page);
        m_caption[n]->setObjectName(QStringLiteral("b") + digit + QStringLiteral("Text"));
        form->addRow(QStringLiteral("Button Display Text:"), m_caption[n]);

        QHBoxLayout* row = nullptr;
        QToolButton* more = nullptr;
        m_hint[n] = FieldWithButton(page, QStringLiteral("b") + digit + QStringLiteral("Hint"),
                                    QStringLiteral("..."), row, more);
        connect(more, &QToolButton::clicked, this, [this, n] { EditHint(n); });
        form->addRow(QStringLiteral("Hint Text:"), row);

        if (files) {
            QToolButton* browse = nullptr;
            m_payload[n] =
                FieldWithButton(page, QStringLiteral("B") + digit + QStringLiteral("Path"),
                                QStringLiteral("Browse..."), row, browse);
            QLineEdit* path = m_payload[n];
            connect(browse, &QToolButton::clicked, this, [this, path] {
                const QString chosen = QFileDialog::getOpenFileName(this, QString(), path->text());
                if (!chosen.isEmpty()) path->setText(chosen);
            });
            form->addRow(QStringLiteral("Path To Text:"), row);
        } else {
            m_payload[n] = new QLineEdit(page);
            m_payload[n]->setObjectName(QStringLiteral("QText") + digit);
            form->addRow(QStringLiteral("Insert Text:"), m_payload[n]);
        }
        pages->addTab(page, QStringLiteral("Button") + digit);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(ConnectButtons(*this, [this, topic] { m_help(topic); }));
    TakeFontName(*this, parent);
    resize(420, 200);
}

void QuickButtonsDialog::Load() {
    for (int n = 0; n < 5; ++n) {
        const QuickButton button = ReadQuickButton(m_settings, FirstButton() + n);
        m_caption[n]->setText(FromStd(button.Caption));
        m_hint[n]->setText(FromStd(EncodeHint(button.Hint)));
        m_payload[n]->setText(FromStd(button.Payload));
    }
}

void QuickButtonsDialog::Store() {
    for (int n = 0; n < 5; ++n)
        WriteQuickButton(m_settings, FirstButton() + n,
                         {ToStd(m_caption[n]->text()), DecodeHint(ToStd(m_hint[n]->text())),
                          ToStd(m_payload[n]->text())});
}

bool QuickButtonsDialog::Run() {
    Load();
    if (exec() != QDialog::Accepted) return false;
    Store();
    return true;
}

void QuickButtonsDialog::EditHint(int page) {
    if (m_hintEditor == nullptr)
        m_hintEditor = new HintEditDialog(this, [this] { m_help(HintEditDialog::kHelpTopic); });
    m_hintEditor->EditField(*m_hint[page]);
}

}  // namespace quinkle

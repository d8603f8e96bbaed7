// The Editor Options dialog: the "Key assignments", "Auto correct" and "Code templates" pages.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/scheme/KeyCombination.h"
#include "gui/editor/EditorOptionsDialog.h"
#include "gui/editor/KeyAssignDialog.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QListWidget* List(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

QLineEdit* LineEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// Expansions are kept with CR line ends; the editor box shows them with LF.
QString ShownText(const std::string& text) {
    QString shown = FromStd(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace

// ---- Key assignments ----

QWidget* EditorOptionsDialog::MakeKeysPage() {
    auto* page = new QWidget;
    m_commands = List("lbCommands", page);
    m_usesKeys = List("lbUsesKeys", page);
    connect(m_commands, &QListWidget::currentRowChanged, this, &EditorOptionsDialog::CommandChosen);
    auto* add = Button(QStringLiteral("Add"), "btnAddKey", page);
    auto* edit = Button(QStringLiteral("Edit"), "btnEditKey", page);
    auto* remove = Button(QStringLiteral("Delete"), "btnDeleteKey", page);
    connect(add, &QPushButton::clicked, this, &EditorOptionsDialog::AddKeyPair);
    connect(edit, &QPushButton::clicked, this, &EditorOptionsDialog::EditKeyPair);
    connect(remove, &QPushButton::clicked, this, &EditorOptionsDialog::DeleteKeyPair);
    connect(m_usesKeys, &QListWidget::itemDoubleClicked, this, &EditorOptionsDialog::EditKeyPair);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QGridLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Commands"), page), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Uses Keys"), page), 0, 1);
    layout->addWidget(m_commands, 1, 0);
    layout->addWidget(m_usesKeys, 1, 1);
    layout->addLayout(buttons, 2, 1);
    return page;
}

void EditorOptionsDialog::ShowKeys() {
    m_commands->clear();
    for (const auto& command : m_keys->Commands()) m_commands->addItem(FromStd(command.Name));
    m_commands->setCurrentRow(0);
    CommandChosen();
}

void EditorOptionsDialog::CommandChosen() {
    m_usesKeys->clear();
    const int command = m_commands->currentRow();
    if (command < 0 || !m_keys) return;
    for (KeyPair pair : m_keys->Pairs(static_cast<size_t>(command)))
        m_usesKeys->addItem(FromStd(KeyAssignmentModel::PairCaption(pair)));
    m_usesKeys->setCurrentRow(0);
}

void EditorOptionsDialog::AddKeyPair() {
    const int command = m_commands->currentRow();
    if (command < 0) return;
    KeyAssignDialog* wizard = KeyWizard();
    wizard->Start(QStringLiteral("Add new key pair for: ") + m_commands->currentItem()->text(), 0,
                  0);
    if (wizard->exec() != QDialog::Accepted) return;
    m_keys->AddPair(static_cast<size_t>(command), {wizard->FirstKey(), wizard->SecondKey()});
    CommandChosen();
    m_usesKeys->setCurrentRow(m_usesKeys->count() - 1);
}

void EditorOptionsDialog::EditKeyPair() {
    const int command = m_commands->currentRow();
    const int index = m_usesKeys->currentRow();
    if (command < 0 || index < 0) return;
    const KeyPair pair = m_keys->Pairs(static_cast<size_t>(command))[static_cast<size_t>(index)];
    KeyAssignDialog* wizard = KeyWizard();
    wizard->Start(QStringLiteral("Edit key pair for: ") + m_commands->currentItem()->text(),
                  pair.First, pair.Second);
    if (wizard->exec() != QDialog::Accepted) return;
    m_keys->ReplacePair(static_cast<size_t>(command), static_cast<size_t>(index),
                        {wizard->FirstKey(), wizard->SecondKey()});
    CommandChosen();
}

void EditorOptionsDialog::DeleteKeyPair() {
    const int command = m_commands->currentRow();
    const int index = m_usesKeys->currentRow();
    if (command < 0 || index < 0) return;
    m_keys->DeletePair(static_cast<size_t>(command), static_cast<size_t>(index));
    CommandChosen();
}

// ---- Auto correct ----

QWidget* EditorOptionsDialog::MakeAutoCorrectPage() {
    auto* page = new QWidget;
    m_corrections = List("lbAutoCorrect", page);
    connect(m_corrections, &QListWidget::currentRowChanged, this,
            &EditorOptionsDialog::CorrectionChosen);
    m_replace = LineEdit("edtReplace", page);
    m_with = LineEdit("edtWith", page);
    m_activation = LineEdit("edtActKeys", page);
    connect(m_activation, &QLineEdit::editingFinished, this, &EditorOptionsDialog::ActivationLeft);
    auto* add = Button(QStringLiteral("Add"), "btnAddCorrection", page);
    auto* replace = Button(QStringLiteral("Replace"), "btnReplaceCorrection", page);
    connect(add, &QPushButton::clicked, this, [this] { StoreCorrection(false); });
    connect(replace, &QPushButton::clicked, this, [this] { StoreCorrection(true); });
    auto* layout = new QGridLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Replace"), page), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("With"), page), 0, 1);
    layout->addWidget(m_replace, 1, 0);
    layout->addWidget(m_with, 1, 1);
    layout->addWidget(m_corrections, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Act key(s)"), page));
    buttons->addWidget(m_activation, 1);
    buttons->addWidget(add);
    buttons->addWidget(replace);
    layout->addLayout(buttons, 3, 0, 1, 2);
    return page;
}

void EditorOptionsDialog::ShowAutoCorrect() {
    m_corrections->clear();
    for (const CodeTemplate& entry : m_edited.Editor.AutoCorrect.Entries())
        m_corrections->addItem(FromStd(entry.Name) + QStringLiteral("\t") + ShownText(entry.Text));
    m_activation->setText(FromStd(m_edited.Editor.AutoCorrect.ActivationKeys()));
}

void EditorOptionsDialog::CorrectionChosen() {
    const int row = m_corrections->currentRow();
    const auto& entries = m_edited.Editor.AutoCorrect.Entries();
    if (row < 0 || row >= static_cast<int>(entries.size())) return;
    m_replace->setText(FromStd(entries[static_cast<size_t>(row)].Name));
    m_with->setText(ShownText(entries[static_cast<size_t>(row)].Text));
}

void EditorOptionsDialog::StoreCorrection(bool replacing) {
    const std::string from = ToStd(m_replace->text().trimmed());
    if (from.empty()) return;
    AutoReplace& table = m_edited.Editor.AutoCorrect;
    const int row = m_corrections->currentRow();
    if (replacing && row >= 0 && row < static_cast<int>(table.Entries().size())) {
        const std::string old = table.Entries()[static_cast<size_t>(row)].Name;
        table.DeleteTemplate(old);
    }
    table.AddTemplate(from, "", ToStd(m_with->text()));
    ShowAutoCorrect();
}

void EditorOptionsDialog::ActivationLeft() {
    Guarded([this] { m_edited.Editor.AutoCorrect.SetActivationKeys(ToStd(m_activation->text())); });
}

// ---- Code templates ----

QWidget* EditorOptionsDialog::MakeTemplatesPage() {
    auto* page = new QWidget;
    m_templates = List("lbTemplates", page);
    connect(m_templates, &QListWidget::currentRowChanged, this,
            &EditorOptionsDialog::TemplateChosen);
    m_templateName = LineEdit("edtTemplateName", page);
    m_templateDescription = LineEdit("edtTemplateDescription", page);
    m_hotKey = LineEdit("edtHotKey", page);
    connect(m_hotKey, &QLineEdit::editingFinished, this, [this] {
        Guarded([this] {
            m_edited.Editor.Templates.HotKey = ParseTemplateHotKey(ToStd(m_hotKey->text()));
            m_hotKey->setText(FromStd(KeyCombinationToText(m_edited.Editor.Templates.HotKey)));
        });
    });
    m_expansion = new QPlainTextEdit(page);
    m_expansion->setObjectName(QStringLiteral("memTemplate"));
    auto* add = Button(QStringLiteral("Add"), "btnAddTemplate", page);
    auto* replace = Button(QStringLiteral("Replace"), "btnReplaceTemplate", page);
    connect(add, &QPushButton::clicked, this, [this] { StoreTemplate(false); });
    connect(replace, &QPushButton::clicked, this, [this] { StoreTemplate(true); });
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Name"), page), 0, 0);
    fields->addWidget(m_templateName, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Description"), page), 1, 0);
    fields->addWidget(m_templateDescription, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Hotkey"), page), 2, 0);
    fields->addWidget(m_hotKey, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(replace);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(m_expansion, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_templates, 1);
    layout->addLayout(right, 2);
    return page;
}

void EditorOptionsDialog::ShowTemplates() {
    m_templates->clear();
    for (const CodeTemplate& entry : m_edited.Editor.Templates.Entries())
        m_templates->addItem(FromStd(entry.Name) + QStringLiteral(" | ") +
                             FromStd(entry.Description));
    m_hotKey->setText(FromStd(KeyCombinationToText(m_edited.Editor.Templates.HotKey)));
}

void EditorOptionsDialog::TemplateChosen() {
    const int row = m_templates->currentRow();
    const auto& entries = m_edited.Editor.Templates.Entries();
    if (row < 0 || row >= static_cast<int>(entries.size())) return;
    const CodeTemplate& entry = entries[static_cast<size_t>(row)];
    m_templateName->setText(FromStd(entry.Name));
    m_templateDescription->setText(FromStd(entry.Description));
    m_expansion->setPlainText(ShownText(entry.Text));
}

void EditorOptionsDialog::StoreTemplate(bool replacing) {
    const std::string name = ToStd(m_templateName->text().trimmed());
    if (name.empty()) return;
    CodeTemplates& table = m_edited.Editor.Templates;
    const int row = m_templates->currentRow();
    if (replacing && row >= 0 && row < static_cast<int>(table.Entries().size())) {
        const std::string old = table.Entries()[static_cast<size_t>(row)].Name;
        table.DeleteTemplate(old);
    }
    table.AddTemplate(name, ToStd(m_templateDescription->text()),
                      ToStd(m_expansion->toPlainText()));
    ShowTemplates();
}

}  // namespace quinkle

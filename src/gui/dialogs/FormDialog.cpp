// The Create Form dialog: a tool window whose four pages insert a form, input elements, a
// selection list and a text area at the editor's caret.
#include "gui/dialogs/FormDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "engine/help/HelpTopics.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

QSpinBox* MakeSpin(QWidget* owner, const char* name, int low, int high, int value) {
    auto* spin = new QSpinBox(owner);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    spin->setValue(value);
    return spin;
}

QLineEdit* MakeEdit(QWidget* owner, const char* name) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// A label for `field` in the grid's first column, the field in the second; returns the label.
QLabel* AddRow(QGridLayout* grid, int row, const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return label;
}

// The page's layout with its Insert button at the bottom right; `grid` holds the fields.
QPushButton* AddInsertButton(QWidget* page, QLayout* fields, const char* name) {
    auto* button = new QPushButton(QStringLiteral("&Insert"), page);
    button->setObjectName(QString::fromLatin1(name));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(row);
    return button;
}

}  // namespace

FormDialog::FormDialog(InsertHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("frmForm"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Create Form"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    TakeFontName(*this, parent);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(MakeFormPage(), QStringLiteral("Form"));
    m_pages->addTab(MakeInputPage(), QStringLiteral("Input"));
    m_pages->addTab(MakeSelectPage(), QStringLiteral("Select"));
    m_pages->addTab(MakeTextAreaPage(), QStringLiteral("TextArea"));

    // OK only closes: every page inserts through its own button.
    DialogButtons buttons = AddDialogButtons(*this);
    buttons.ok->setDefault(false);
    buttons.ok->setAutoDefault(false);
    buttons.cancel->hide();
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    const auto help = [this] { m_host.ShowHelpTopic(FromStd(kTopicFormsDialog)); };
    connect(buttons.help, &QPushButton::clicked, this, help);
    connect(buttons.helpKey, &QShortcut::activated, this, help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons.row);
    ShowInputFields();
    OptionsChanged();
}

QWidget* FormDialog::MakeFormPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Form"));
    auto* method = new QGroupBox(QStringLiteral("Form Method"), page);
    method->setObjectName(QStringLiteral("rgFormMethod"));
    auto* post = new QRadioButton(QStringLiteral("Post"), method);
    post->setObjectName(QStringLiteral("rbPost"));
    post->setChecked(true);
    m_get = new QRadioButton(QStringLiteral("Get"), method);
    m_get->setObjectName(QStringLiteral("rbGet"));
    auto* methods = new QHBoxLayout(method);
    methods->addWidget(post);
    methods->addWidget(m_get);
    methods->addStretch(1);
    auto* action = new QGroupBox(QStringLiteral("Action"), page);
    m_eAction = MakeEdit(action, "eAction");
    (new QVBoxLayout(action))->addWidget(m_eAction);
    auto* fields = new QVBoxLayout;
    fields->addWidget(method);
    fields->addWidget(action);
    connect(AddInsertButton(page, fields, "btnInsertForm"), &QPushButton::clicked, this,
            [this] { Insert(BuildForm(Form()), ucFormsTag); });
    return page;
}

QWidget* FormDialog::MakeInputPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Input"));
    auto* types = new QGroupBox(QStringLiteral("Input Type"), page);
    types->setObjectName(QStringLiteral("rIType"));
    m_rIType = new QButtonGroup(this);
    auto* typeGrid = new QGridLayout(types);
    for (size_t i = 0; i < kInputTypeNames.size(); ++i) {
        auto* button = new QRadioButton(FromStd(kInputTypeNames[i]), types);
        button->setObjectName(QStringLiteral("rb") + FromStd(kInputTypeNames[i]));
        m_rIType->addButton(button, static_cast<int>(i));
        typeGrid->addWidget(button, static_cast<int>(i) / 4, static_cast<int>(i) % 4);
    }
    m_rIType->button(0)->setChecked(true);
    connect(m_rIType, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) ShowInputFields();
    });
    m_inpName = MakeEdit(page, "inpName");
    m_inpValue = MakeEdit(page, "inpValue");
    m_iseSize = MakeSpin(page, "iseSize", 1, 99, 1);
    m_seInsert = MakeSpin(page, "seInsert", 1, 99, 1);
    auto* grid = new QGridLayout;
    m_nameFields = {AddRow(grid, 0, QStringLiteral("&Name"), m_inpName), m_inpName};
    AddRow(grid, 1, QStringLiteral("&Value"), m_inpValue);
    m_sizeFields = {AddRow(grid, 2, QStringLiteral("Si&ze"), m_iseSize), m_iseSize};
    m_nameFields << AddRow(grid, 3, QStringLiteral("Inser&t"), m_seInsert) << m_seInsert;
    grid->setColumnStretch(1, 1);
    auto* fields = new QVBoxLayout;
    fields->addWidget(types);
    fields->addLayout(grid);
    connect(AddInsertButton(page, fields, "btnInsertInput"), &QPushButton::clicked, this,
            [this] { Insert(BuildInput(Input()), ucFormsInput); });
    return page;
}

QWidget* FormDialog::MakeSelectPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Select"));
    m_eName = MakeEdit(page, "eName");
    m_seSize = MakeSpin(page, "seSize", 0, 99, 0);
    m_Opts = new QPlainTextEdit(page);
    m_Opts->setObjectName(QStringLiteral("Opts"));
    m_Opts->setTabChangesFocus(true);
    m_seDefOpt = MakeSpin(page, "seDefOpt", 0, 0, 0);
    m_cbMulti = new QCheckBox(QStringLiteral("&Multiple"), page);
    m_cbMulti->setObjectName(QStringLiteral("cbMulti"));
    auto* grid = new QGridLayout;
    AddRow(grid, 0, QStringLiteral("&Name:"), m_eName);
    AddRow(grid, 1, QStringLiteral("Si&ze:"), m_seSize);
    AddRow(grid, 2, QStringLiteral("&Options:"), m_Opts);
    m_DefOpt = AddRow(grid, 3, QString(), m_seDefOpt);
    m_DefOpt->setObjectName(QStringLiteral("DefOpt"));
    grid->addWidget(m_cbMulti, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    connect(m_Opts, &QPlainTextEdit::textChanged, this, &FormDialog::OptionsChanged);
    connect(AddInsertButton(page, grid, "btnInsertSelect"), &QPushButton::clicked, this,
            [this] { Insert(BuildSelect(Select()), ucFormsSelection); });
    return page;
}

QWidget* FormDialog::MakeTextAreaPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TextArea"));
    auto* size = new QGroupBox(QStringLiteral("Select Attributes"), page);
    m_seRows = MakeSpin(size, "seRows", 1, 99, 1);
    m_seCols = MakeSpin(size, "seCols", 1, 99, 1);
    auto* sizeGrid = new QGridLayout(size);
    AddRow(sizeGrid, 0, QStringLiteral("&Rows:"), m_seRows);
    AddRow(sizeGrid, 1, QStringLiteral("&Colums:"), m_seCols);
    auto* name = new QGroupBox(QStringLiteral("Name"), page);
    m_taName = MakeEdit(name, "taName");
    (new QVBoxLayout(name))->addWidget(m_taName);
    auto* fields = new QVBoxLayout;
    fields->addWidget(size);
    fields->addWidget(name);
    connect(AddInsertButton(page, fields, "btnInsertTextArea"), &QPushButton::clicked, this,
            [this] { Insert(BuildTextArea(TextArea()), ucFormsTextArea); });
    return page;
}

void FormDialog::ShowPage(FormPage page) { m_pages->setCurrentIndex(static_cast<int>(page)); }

FormPage FormDialog::Page() const { return static_cast<FormPage>(m_pages->currentIndex()); }

FormFields FormDialog::Form() const { return {m_get->isChecked(), ToStd(m_eAction->text())}; }

InputFields FormDialog::Input() const {
    InputFields fields;
    fields.Type = static_cast<InputType>(m_rIType->checkedId());
    fields.Name = ToStd(m_inpName->text());
    fields.Value = ToStd(m_inpValue->text());
    fields.Size = m_iseSize->value();
    fields.Copies = m_seInsert->value();
    return fields;
}

SelectFields FormDialog::Select() const {
    SelectFields fields;
    fields.Name = ToStd(m_eName->text());
    fields.Size = m_seSize->value();
    fields.Options = ToStd(m_Opts->toPlainText());
    fields.DefaultOption = m_seDefOpt->value();
    fields.Multiple = m_cbMulti->isChecked();
    return fields;
}

TextAreaFields FormDialog::TextArea() const {
    return {ToStd(m_taName->text()), m_seRows->value(), m_seCols->value()};
}

void FormDialog::showEvent(QShowEvent* event) {
    ShowInputFields();
    QDialog::showEvent(event);
    // Start in the page's first text field, so typing at once fills it.
    if (auto* first = m_pages->currentWidget()->findChild<QLineEdit*>()) first->setFocus();
}

void FormDialog::ShowInputFields() {
    const InputFieldUse use = InputFieldsUsed(static_cast<InputType>(m_rIType->checkedId()));
    for (QWidget* field : m_nameFields) field->setVisible(use.NameAndCopies);
    for (QWidget* field : m_sizeFields) field->setVisible(use.Size);
}

void FormDialog::OptionsChanged() {
    const auto lines = static_cast<int>(OptionLines(ToStd(m_Opts->toPlainText())).size());
    m_DefOpt->setText(QStringLiteral("Default Option (0-%1)").arg(lines));
    m_seDefOpt->setMaximum(lines);
}

void FormDialog::Insert(const GeneratedText& generated, int code) {
    Guarded([&] {
        if (!generated.Text.empty())
            m_host.InsertGeneratedText(FromStd(generated.Text), generated.StepBack, code);
    });
}

}  // namespace quinkle

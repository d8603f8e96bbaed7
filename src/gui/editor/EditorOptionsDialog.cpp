// The Editor Options dialog: the frame, the "Options" and the "Highlighting" pages.
#include "gui/editor/EditorOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/editor/KeyAssignDialog.h"
#include "gui/editor/KeyTranslation.h"
#include "gui/editor/SchemeLook.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// Lets through only the keys a number box takes.
class NumberKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            uint16_t combination = KeyToVirtualKey(key->key(), key->modifiers());
            if (combination != 0 && !NumberBoxAcceptsKey(combination)) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The elements of the highlighting page after the scheme's styles.
enum Element { SelectedText = -1, LeftMargin = -2, GutterElement = -3 };

const int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 30};

struct CharsetChoice {
    int Value;
    const char* Name;
};
const CharsetChoice kCharsets[] = {
    {0, "ANSI"},      {1, "Default"},  {2, "Symbol"},    {161, "Greek"},
    {162, "Turkish"}, {186, "Baltic"}, {204, "Russian"}, {238, "East Europe"},
};

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

EditorOptionsDialog::EditorOptionsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("Editor Options"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(MakeOptionsPage(), QStringLiteral("Options"));
    m_tabs->addTab(MakeHighlightingPage(), QStringLiteral("Highlighting"));
    m_tabs->addTab(MakeKeysPage(), QStringLiteral("Key assignments"));
    m_tabs->addTab(MakeAutoCorrectPage(), QStringLiteral("Auto correct"));
    m_tabs->addTab(MakeTemplatesPage(), QStringLiteral("Code templates"));

    m_preview = new SourceEditorWidget(this);
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setMinimumHeight(120);
    m_preview->Editor().SetSettings(&m_edited.Editor);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    for (QAbstractButton* button : buttons->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button)) push->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditorOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EditorOptionsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);
    resize(640, 620);
}

EditorOptionsDialog::~EditorOptionsDialog() {
    // The preview must not keep pointing into the settings it is about to outlive.
    m_preview->SetScheme(nullptr);
    m_preview->Editor().SetSettings(nullptr);
}

void EditorOptionsDialog::Edit(const SchemeSettings& settings, SyntaxScheme* scheme) {
    m_edited = settings;
    m_keys = std::make_unique<KeyAssignmentModel>(m_edited.Editor.Keys);
    m_preview->Editor().SetSettings(&m_edited.Editor);
    m_preview->SetScheme(scheme);
    m_preview->Editor().SetText(m_edited.ExampleText.c_str());
    ShowOptions();
    ShowHighlighting();
    ShowKeys();
    ShowAutoCorrect();
    ShowTemplates();
    m_tabs->setCurrentIndex(0);
    Refresh();
}

void EditorOptionsDialog::Refresh() {
    ApplySchemeLook(*m_preview, m_edited);
    m_preview->ApplySettings();
    m_preview->viewport()->update();
}

void EditorOptionsDialog::accept() {
    // The key map is built from the key page only now; a conflict keeps the dialog open.
    if (!Guarded([this] { m_edited.Editor.Keys = m_keys->Build(); })) return;
    QDialog::accept();
}

// ---- Options ----

QWidget* EditorOptionsDialog::MakeOptionsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    int index = 0;
    for (const OptionCheckBox& option : OptionCheckBoxes()) {
        auto* box = new QCheckBox(QString::fromUtf8(option.Caption), page);
        box->setObjectName(QLatin1String(option.ObjectName));
        const uint32_t bit = option.Bit;
        connect(box, &QCheckBox::toggled, this, [this, bit](bool on) { OptionToggled(bit, on); });
        m_optionBoxes.push_back(box);
        grid->addWidget(box, index % 8, index / 8);
        ++index;
    }
    auto* keys = new NumberKeys(page);
    auto number = [&](const char* name, OptionNumber which) {
        auto* box = new QLineEdit(page);
        box->setObjectName(QLatin1String(name));
        box->setMaximumWidth(80);
        box->installEventFilter(keys);
        connect(box, &QLineEdit::editingFinished, this,
                [this, which, box] { NumberLeft(which, box); });
        return box;
    };
    m_indentStep = number("edtIndentStep", OptionNumber::IndentStep);
    m_wrapColumn = number("edtWrapColumn", OptionNumber::WrapColumn);
    m_tabStop = number("edtTabStop", OptionNumber::TabStop);
    m_rightMargin = number("edtRightMargin", OptionNumber::RightMargin);
    m_gutterWidth = number("edtGutterWidth", OptionNumber::GutterWidth);
    m_tabColumns = new QLineEdit(page);
    m_tabColumns->setObjectName(QStringLiteral("edtTabColumns"));
    connect(m_tabColumns, &QLineEdit::editingFinished, this, &EditorOptionsDialog::TabColumnsLeft);

    auto* numbers = new QFormLayout;
    numbers->addRow(QStringLiteral("Block indent step size"), m_indentStep);
    numbers->addRow(QStringLiteral("Word wrap column"), m_wrapColumn);
    numbers->addRow(QStringLiteral("Tab Columns"), m_tabColumns);
    numbers->addRow(QStringLiteral("Tab stop"), m_tabStop);
    numbers->addRow(QStringLiteral("Right margin"),
                    WithSpinButtons(m_rightMargin, OptionNumber::RightMargin));
    numbers->addRow(QStringLiteral("Gutter width"),
                    WithSpinButtons(m_gutterWidth, OptionNumber::GutterWidth));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addLayout(numbers);
    layout->addStretch();
    return page;
}

void EditorOptionsDialog::ShowOptions() {
    m_showing = true;
    const EditorSettings& settings = m_edited.Editor;
    const auto& options = OptionCheckBoxes();
    for (size_t i = 0; i < options.size(); ++i) {
        m_optionBoxes[i]->setChecked(settings.Has(options[i].Bit));
        m_optionBoxes[i]->setEnabled(OptionCheckEnabled(settings.Options, options[i].Bit));
    }
    auto show = [&](QLineEdit* box, OptionNumber which) {
        box->setText(QString::number(OptionNumberValue(settings, which)));
    };
    show(m_indentStep, OptionNumber::IndentStep);
    show(m_wrapColumn, OptionNumber::WrapColumn);
    show(m_tabStop, OptionNumber::TabStop);
    show(m_rightMargin, OptionNumber::RightMargin);
    show(m_gutterWidth, OptionNumber::GutterWidth);
    m_tabColumns->setText(FromStd(settings.TabColumnsText()));
    m_showing = false;
}

void EditorOptionsDialog::OptionToggled(uint32_t bit, bool on) {
    if (m_showing) return;
    uint32_t& options = m_edited.Editor.Options;
    options = on ? options | bit : options & ~bit;
    const auto& boxes = OptionCheckBoxes();
    for (size_t i = 0; i < boxes.size(); ++i)
        m_optionBoxes[i]->setEnabled(OptionCheckEnabled(options, boxes[i].Bit));
    Refresh();
}

QWidget* EditorOptionsDialog::WithSpinButtons(QLineEdit* box, OptionNumber which) {
    auto* row = new QWidget(box->parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(box);
    // Each arrow steps the value by one and applies it as leaving the box does, so the box
    // shows the value actually taken.
    for (const int step : {1, -1}) {
        auto* arrow = new QToolButton(row);
        arrow->setObjectName(box->objectName() +
                             (step > 0 ? QLatin1String("Up") : QLatin1String("Down")));
        arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        connect(arrow, &QToolButton::clicked, this, [this, box, which, step] {
            box->setText(QString::number(box->text().toInt() + step));
            NumberLeft(which, box);
        });
        layout->addWidget(arrow);
    }
    layout->addStretch();
    return row;
}

void EditorOptionsDialog::NumberLeft(OptionNumber which, QLineEdit* box) {
    if (m_showing) return;
    Guarded([&] { ApplyOptionNumber(m_edited.Editor, which, ToStd(box->text())); });
    box->setText(QString::number(OptionNumberValue(m_edited.Editor, which)));
    Refresh();
}

void EditorOptionsDialog::TabColumnsLeft() {
    if (m_showing) return;
    // A faulty entry is reported and left in the box to be put right.
    if (Guarded([this] { m_edited.Editor.SetTabColumns(ToStd(m_tabColumns->text())); })) {
        m_tabColumns->setText(FromStd(m_edited.Editor.TabColumnsText()));
        Refresh();
    }
}

// ---- Highlighting ----

QWidget* EditorOptionsDialog::MakeHighlightingPage() {
    auto* page = new QWidget;
    m_language = new QLabel(page);
    m_language->setObjectName(QStringLiteral("lblLanguage"));
    m_elements = new QListWidget(page);
    m_elements->setObjectName(QStringLiteral("lbElements"));
    connect(m_elements, &QListWidget::currentRowChanged, this, &EditorOptionsDialog::ElementChosen);
    m_foreground = Button(QStringLiteral("Foreground"), "btnForeground", page);
    m_background = Button(QStringLiteral("Background"), "btnBackground", page);
    connect(m_foreground, &QPushButton::clicked, this, [this] { ChooseElementColour(true); });
    connect(m_background, &QPushButton::clicked, this, [this] { ChooseElementColour(false); });
    m_defaultForeground = new QCheckBox(QStringLiteral("Foreground"), page);
    m_defaultForeground->setObjectName(QStringLiteral("cbDefaultForeground"));
    m_defaultBackground = new QCheckBox(QStringLiteral("Background"), page);
    m_defaultBackground->setObjectName(QStringLiteral("cbDefaultBackground"));
    m_bold = new QCheckBox(QStringLiteral("Bold"), page);
    m_bold->setObjectName(QStringLiteral("cbBold"));
    m_italic = new QCheckBox(QStringLiteral("Italic"), page);
    m_italic->setObjectName(QStringLiteral("cbItalic"));
    m_underline = new QCheckBox(QStringLiteral("Underline"), page);
    m_underline->setObjectName(QStringLiteral("cbUnderline"));
    for (QCheckBox* box : {m_defaultForeground, m_defaultBackground, m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, &EditorOptionsDialog::ElementChanged);

    m_font = new QFontComboBox(page);
    m_font->setObjectName(QStringLiteral("cbFont"));
    m_size = new QComboBox(page);
    m_size->setObjectName(QStringLiteral("cbSize"));
    m_size->setEditable(true);
    for (int size : kFontSizes) m_size->addItem(QString::number(size));
    m_charset = new QComboBox(page);
    m_charset->setObjectName(QStringLiteral("cbCharset"));
    for (const CharsetChoice& charset : kCharsets)
        m_charset->addItem(QString::fromUtf8(charset.Name), charset.Value);
    connect(m_font, &QFontComboBox::currentFontChanged, this, &EditorOptionsDialog::FontChanged);
    connect(m_size, &QComboBox::currentTextChanged, this, &EditorOptionsDialog::FontChanged);
    connect(m_charset, &QComboBox::currentIndexChanged, this, &EditorOptionsDialog::FontChanged);

    auto* colours = new QHBoxLayout;
    colours->addWidget(m_foreground);
    colours->addWidget(m_background);
    auto* defaults = new QGroupBox(QStringLiteral("Use defaults for"), page);
    auto* defaultsLayout = new QHBoxLayout(defaults);
    defaultsLayout->addWidget(m_defaultForeground);
    defaultsLayout->addWidget(m_defaultBackground);
    auto* attributes = new QGroupBox(QStringLiteral("Text attributes"), page);
    auto* attributesLayout = new QHBoxLayout(attributes);
    attributesLayout->addWidget(m_bold);
    attributesLayout->addWidget(m_italic);
    attributesLayout->addWidget(m_underline);
    auto* fonts = new QFormLayout;
    fonts->addRow(QStringLiteral("Font"), m_font);
    fonts->addRow(QStringLiteral("Size"), m_size);
    fonts->addRow(QStringLiteral("Character set"), m_charset);
    auto* right = new QVBoxLayout;
    right->addLayout(colours);
    right->addWidget(defaults);
    right->addWidget(attributes);
    right->addLayout(fonts);
    right->addStretch();
    auto* language = new QHBoxLayout;
    language->addWidget(new QLabel(QStringLiteral("Current language style"), page));
    language->addWidget(m_language, 1);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Element"), page));
    left->addWidget(m_elements);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(language);
    layout->addLayout(columns);
    return page;
}

void EditorOptionsDialog::ShowHighlighting() {
    m_showing = true;
    m_language->setText(FromStd(m_edited.Name));
    m_elements->clear();
    for (const EditableStyle& style : m_edited.Editor.Styles.EditableStyles) {
        auto* item = new QListWidgetItem(FromStd(style.Name), m_elements);
        item->setData(Qt::UserRole, static_cast<int>(style.Effect));
    }
    for (auto [name, element] :
         {std::pair{"Selected text", SelectedText}, std::pair{"Left margin", LeftMargin},
          std::pair{"Gutter", GutterElement}}) {
        auto* item = new QListWidgetItem(QString::fromUtf8(name), m_elements);
        item->setData(Qt::UserRole, static_cast<int>(element));
    }
    m_font->setCurrentFont(QFont(FromStd(m_edited.Font.Name)));
    m_size->setCurrentText(QString::number(m_edited.Font.Size));
    int charset = m_charset->findData(static_cast<int>(m_edited.Font.CharSet));
    m_charset->setCurrentIndex(std::max(0, charset));
    m_showing = false;
    m_elements->setCurrentRow(0);
    ElementChosen();
}

void EditorOptionsDialog::ElementChosen() {
    QListWidgetItem* item = m_elements->currentItem();
    if (!item) return;
    const int element = item->data(Qt::UserRole).toInt();
    const bool style = element >= 0;
    m_showing = true;
    bool foregroundDefault = false;
    bool backgroundDefault = false;
    uint8_t attributes = 0;
    if (style) {
        const EffectDef& effect = m_edited.Editor.Styles.Effects[static_cast<size_t>(element)];
        foregroundDefault = effect.ForegroundDefault;
        backgroundDefault = effect.BackgroundDefault;
        attributes = effect.Style;
    } else if (element == SelectedText) {
        foregroundDefault = m_edited.SelTextColor.UseDefault;
        backgroundDefault = m_edited.SelTextBack.UseDefault;
    } else {
        backgroundDefault =
            (element == LeftMargin ? m_edited.MarginColor : m_edited.GutterColor).UseDefault;
    }
    m_defaultForeground->setChecked(foregroundDefault);
    m_defaultBackground->setChecked(backgroundDefault);
    m_bold->setChecked(attributes & esBold);
    m_italic->setChecked(attributes & esItalic);
    m_underline->setChecked(attributes & esUnderline);
    // The margin and the gutter have a background only; only styles have attributes.
    const bool hasForeground = style || element == SelectedText;
    m_foreground->setEnabled(hasForeground);
    m_defaultForeground->setEnabled(hasForeground);
    for (QCheckBox* box : {m_bold, m_italic, m_underline}) box->setEnabled(style);
    m_showing = false;
}

void EditorOptionsDialog::ChooseElementColour(bool foreground) {
    QListWidgetItem* item = m_elements->currentItem();
    if (!item) return;
    const int element = item->data(Qt::UserRole).toInt();
    SchemeColor* target = nullptr;
    EffectDef* effect = nullptr;
    uint32_t current = 0;
    if (element >= 0) {
        effect = &m_edited.Editor.Styles.Effects[static_cast<size_t>(element)];
        current = foreground ? effect->Foreground : effect->Background;
    } else {
        target = element == SelectedText
                     ? (foreground ? &m_edited.SelTextColor : &m_edited.SelTextBack)
                     : (element == LeftMargin ? &m_edited.MarginColor : &m_edited.GutterColor);
        current = target->Color;
    }
    QColor colour = ToQColor(current, palette());
    if (!AppPrompter().ChooseColour(colour)) return;
    const uint32_t chosen = FromQColor(colour);
    if (effect) {
        (foreground ? effect->Foreground : effect->Background) = chosen;
        (foreground ? effect->ForegroundDefault : effect->BackgroundDefault) = false;
    } else {
        *target = SchemeColor{chosen, false};
    }
    ElementChosen();
    Refresh();
}

void EditorOptionsDialog::ElementChanged() {
    QListWidgetItem* item = m_elements->currentItem();
    if (m_showing || !item) return;
    const int element = item->data(Qt::UserRole).toInt();
    if (element >= 0) {
        EffectDef& effect = m_edited.Editor.Styles.Effects[static_cast<size_t>(element)];
        effect.ForegroundDefault = m_defaultForeground->isChecked();
        effect.BackgroundDefault = m_defaultBackground->isChecked();
        uint8_t style = effect.Style & esStrikeout;
        if (m_bold->isChecked()) style |= esBold;
        if (m_italic->isChecked()) style |= esItalic;
        if (m_underline->isChecked()) style |= esUnderline;
        effect.Style = style;
    } else if (element == SelectedText) {
        m_edited.SelTextColor.UseDefault = m_defaultForeground->isChecked();
        m_edited.SelTextBack.UseDefault = m_defaultBackground->isChecked();
    } else {
        (element == LeftMargin ? m_edited.MarginColor : m_edited.GutterColor).UseDefault =
            m_defaultBackground->isChecked();
    }
    Refresh();
}

void EditorOptionsDialog::FontChanged() {
    if (m_showing) return;
    std::string name = ToStd(m_font->currentFont().family());
    m_edited.Font.Name = name.substr(0, SchemeSettings::kMaxFontNameLength);
    bool ok = false;
    int size = m_size->currentText().toInt(&ok);
    if (ok && size > 0 && size <= 200) m_edited.Font.Size = size;
    m_edited.Font.CharSet = static_cast<uint8_t>(m_charset->currentData().toInt());
    Refresh();
}

KeyAssignDialog* EditorOptionsDialog::KeyWizard() {
    if (!m_wizard) m_wizard = new KeyAssignDialog(this);
    return m_wizard;
}

}  // namespace quinkle

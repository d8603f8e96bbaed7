// The Editor Options dialog: options, highlighting, keys, auto-correct and templates of a scheme.
#pragma once

#include <QDialog>
#include <memory>

#include "engine/editor/EditorOptionsModel.h"
#include "engine/scheme/SchemeSettings.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace quinkle {

class KeyAssignDialog;
class SourceEditorWidget;

/// Edits a copy of a scheme's settings. Every change is written into the copy at once and
/// shown in the dialog's own preview editor; the caller takes Edited() when exec() returns
/// Accepted and drops it otherwise, so Cancel leaves the scheme as it was. Errors (tab stops,
/// activation text, hot key, conflicting keys) are shown through the Prompter and leave the
/// dialog open.
class EditorOptionsDialog : public QDialog {
public:
    explicit EditorOptionsDialog(QWidget* parent = nullptr);
    ~EditorOptionsDialog() override;

    /// Starts editing a copy of `settings`; `scheme` (not owned, may be null) highlights the
    /// preview.
    void Edit(const SchemeSettings& settings, SyntaxScheme* scheme);
    /// The settings as edited (the key map as built by OK).
    const SchemeSettings& Edited() const { return m_edited; }

    SourceEditorWidget* Preview() const { return m_preview; }
    /// The key capture wizard, made on first use of Add or Edit on the key page.
    KeyAssignDialog* KeyWizard();

    void accept() override;

private:
    // Pages (EditorOptionsDialog.cpp and EditorOptionsPages.cpp).
    QWidget* MakeOptionsPage();
    QWidget* MakeHighlightingPage();
    QWidget* MakeKeysPage();
    QWidget* MakeAutoCorrectPage();
    QWidget* MakeTemplatesPage();

    void ShowOptions();
    void OptionToggled(uint32_t bit, bool on);
    QWidget* WithSpinButtons(QLineEdit* box, OptionNumber which);
    void NumberLeft(OptionNumber which, QLineEdit* box);
    void TabColumnsLeft();

    void ShowHighlighting();
    void ElementChosen();
    void ChooseElementColour(bool foreground);
    void ElementChanged();
    void FontChanged();

    void ShowKeys();
    void CommandChosen();
    void AddKeyPair();
    void EditKeyPair();
    void DeleteKeyPair();

    void ShowAutoCorrect();
    void CorrectionChosen();
    void StoreCorrection(bool replacing);
    void ActivationLeft();

    void ShowTemplates();
    void TemplateChosen();
    void StoreTemplate(bool replacing);

    // Shows the edited settings in the preview.
    void Refresh();

    SchemeSettings m_edited;
    std::unique_ptr<KeyAssignmentModel> m_keys;
    bool m_showing = false;  // the pages are being filled: their change signals are ignored

    QTabWidget* m_tabs;
    SourceEditorWidget* m_preview;
    KeyAssignDialog* m_wizard = nullptr;

    // Options
    std::vector<QCheckBox*> m_optionBoxes;
    QLineEdit* m_indentStep;
    QLineEdit* m_wrapColumn;
    QLineEdit* m_tabColumns;
    QLineEdit* m_tabStop;
    QLineEdit* m_rightMargin;
    QLineEdit* m_gutterWidth;

    // Highlighting
    QLabel* m_language;
    QListWidget* m_elements;
    QPushButton* m_foreground;
    QPushButton* m_background;
    QCheckBox* m_defaultForeground;
    QCheckBox* m_defaultBackground;
    QFontComboBox* m_font;
    QComboBox* m_size;
    QComboBox* m_charset;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;

    // Key assignments
    QListWidget* m_commands;
    QListWidget* m_usesKeys;

    // Auto correct
    QListWidget* m_corrections;
    QLineEdit* m_replace;
    QLineEdit* m_with;
    QLineEdit* m_activation;

    // Code templates
    QListWidget* m_templates;
    QLineEdit* m_templateName;
    QLineEdit* m_templateDescription;
    QLineEdit* m_hotKey;
    QPlainTextEdit* m_expansion;
};

}  // namespace quinkle

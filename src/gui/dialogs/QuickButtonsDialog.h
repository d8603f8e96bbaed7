// The set-up dialogs of the quick buttons (Quick Formatting, Insert Text File) and the hint
// editor they share.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

namespace quinkle {

class IniFile;

/// "HTML Quinkle - Edit Hint": a multi-line box HintMemo with OK, Cancel and Help.
class HintEditDialog : public QDialog {
public:
    HintEditDialog(QWidget* parent, std::function<void()> help);
    /// Shows `field`'s hint line by line; with OK the box's lines replace the field's text.
    void EditField(QLineEdit& field);

    static const QString kHelpTopic;

private:
    QPlainTextEdit* m_memo;
};

/// Five pages "Button1".."Button5", each with the caption bNText, the hint bNHint (with a
/// "..." button opening Edit Hint) and the payload: QTextN, the text to insert (format
/// buttons), or BNPath, the text file to insert with a browse button (file buttons). OK writes
/// all fifteen keys of [Quick Buttons] and accepts; Cancel writes nothing.
class QuickButtonsDialog : public QDialog {
public:
    enum class Kind { Format, File };
    /// `help` opens a named help topic.
    QuickButtonsDialog(QWidget* parent, Kind kind, IniFile& settings,
                       std::function<void(const QString&)> help);

    /// Fills the fields from the settings, shows the dialog and returns whether OK was chosen.
    bool Run();
    /// Fills the fields from the settings.
    void Load();
    /// Writes the fields to the settings.
    void Store();
    /// The ini button number of page 0.
    int FirstButton() const { return m_kind == Kind::File ? 0 : 5; }

private:
    void EditHint(int page);

    Kind m_kind;
    IniFile& m_settings;
    std::function<void(const QString&)> m_help;
    QLineEdit* m_caption[5];
    QLineEdit* m_hint[5];
    QLineEdit* m_payload[5];
    HintEditDialog* m_hintEditor = nullptr;
};

}  // namespace quinkle

// Every question the program asks the user goes through one Prompter.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace quinkle {

/// Message boxes, input boxes and the file, colour and font dialogs. The program uses the
/// Qt implementation; tests install a scripted one that answers from a queue and records
/// what was asked. No window calls QMessageBox or a Qt dialog directly.
class Prompter {
public:
    enum class Kind { Error, Warning, Information, Confirmation };
    /// Buttons of a message box, combined as flags; Message returns the one chosen.
    enum Button {
        Ok = 0x1,
        Cancel = 0x2,
        Yes = 0x4,
        No = 0x8,
        Abort = 0x10,
        Retry = 0x20,
        Ignore = 0x40,
        YesToAll = 0x80,
    };

    virtual ~Prompter() = default;

    /// Shows a message box of `kind` with `buttons`; returns the chosen button (Cancel or
    /// No when the box is closed otherwise, whichever the set holds; else Ok).
    virtual int Message(Kind kind, const QString& title, const QString& text, int buttons) = 0;
    /// Asks for a line of text; false when cancelled. `value` holds the initial text.
    virtual bool InputBox(const QString& title, const QString& prompt, QString& value) = 0;
    /// File dialogs. `filter` uses the program's form "Description|*.a;*.b|All files|*.*";
    /// `fileName` holds the initial name or folder and receives the choice.
    virtual bool OpenFileName(const QString& title, const QString& filter, QString& fileName) = 0;
    virtual bool SaveFileName(const QString& title, const QString& filter,
                              const QString& defaultExtension, QString& fileName) = 0;
    virtual bool ChooseColour(QColor& colour) = 0;
    virtual bool ChooseFont(QFont& font) = 0;

    /// Shorthands for the four kinds with an OK button.
    void Error(const QString& text) { Message(Kind::Error, QString(), text, Ok); }
    void Information(const QString& text) { Message(Kind::Information, QString(), text, Ok); }
};

/// The prompter of the running program (the Qt one unless a test installed another).
Prompter& AppPrompter();
/// Installs `prompter` (not owned); null goes back to the Qt one.
void SetAppPrompter(Prompter* prompter);

}  // namespace quinkle

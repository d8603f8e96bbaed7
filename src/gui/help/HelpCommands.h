// The Help menu's commands, keyword help and the dialogs' Help buttons, for the main window.
#pragma once

#include <QObject>
#include <QString>

namespace quinkle {

class HelpWindow;
class QuinkleForm;
class TipDialog;

/// The help side of the main window (`HelpCommands`, a child of the form): it opens the help
/// viewer and the Tip Of The Day dialog, answers Ctrl+F1 in the editor with keyword help and
/// shows a tip after the window's first showing when the user asked for tips at start-up.
class HelpCommands : public QObject {
    Q_OBJECT

public:
    /// The form's help commands, made on first use.
    static HelpCommands& Of(QuinkleForm& form);

    /// The index of the program's own help: the help folder shipped with the program, or the
    /// one in the program folder.
    static QString ProgramHelpIndex();

    /// Help > Contents (F1).
    void Contents();
    /// Help > Search for Help On...: the Index tab with an empty keyword.
    void SearchForHelpOn();
    /// Help > How to use Help.
    void HowToUseHelp();
    /// Help > Tip Of The Day.
    void TipOfTheDay();
    /// Opens the program's help at a named topic (the dialogs' Help buttons and F1); a name
    /// the help lacks opens the contents.
    void ShowTopic(const QString& topic);
    /// Ctrl+F1: the word at the caret through the keyword file into the keyword help file.
    /// Does nothing without a keyword help file that exists. Returns the keyword looked up.
    QString KeywordHelp();

    /// The help viewer once opened and the tips dialog (null before; kept for the run).
    HelpWindow* Window() const { return m_window; }
    TipDialog* Tips() const { return m_tips; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit HelpCommands(QuinkleForm& form);
    /// The viewer over `indexPath`, shown and raised; raises EHelpError when it cannot load.
    HelpWindow& OpenWindow(const QString& indexPath);
    void ShowTipsAtStartup();

    QuinkleForm& m_form;
    QObject* m_formObject;
    QObject* m_memoObject;
    HelpWindow* m_window = nullptr;
    TipDialog* m_tips = nullptr;
    bool m_formShown = false;
};

}  // namespace quinkle

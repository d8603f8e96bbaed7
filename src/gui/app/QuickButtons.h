// The Insert A Text File and Insert Quick Formatting toolbars: the ten quick buttons, the
// Add File button and the two set-up dialogs.
#pragma once

#include <QObject>
#include <QString>

namespace quinkle {

class QuinkleForm;
class QuickButtonsDialog;

/// Shows each quick button that has something to insert, with its stored caption and hint,
/// and inserts on a click: a format button its snippet, a file button its text file, each as
/// one undo step. Made once, as a child of the window.
class QuickButtons : public QObject {
public:
    explicit QuickButtons(QuinkleForm& form);
    static QuickButtons& Of(QuinkleForm& form);

    /// Button `n` (0..4) of the Insert Quick Formatting bar.
    void InsertFormat(int n);
    /// Button `n` (0..4) of the Insert A Text File bar.
    void InsertFile(int n);
    /// Add File: inserts a text file chosen in a file dialog.
    void AddFile();
    /// The set-up dialogs; OK reloads their row of buttons.
    void ConfigureFormats();
    void ConfigureFiles();
    /// Sets up all ten buttons from the settings.
    void LoadButtons();

private:
    void InsertTextFile(const QString& path);
    QuickButtonsDialog& Dialog(bool files);

    QuinkleForm& m_form;
};

}  // namespace quinkle

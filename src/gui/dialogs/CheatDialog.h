// The Cheat Sheet dialog: a rich-text file shown formatted, converted into an HTML page on
// request, and the page written beside it to be opened in its place.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QAction;
class QPlainTextEdit;
class QTextBrowser;

namespace quinkle {

/// Shown modally when a rich-text file is opened. Convert fills the result box with the page
/// the converter makes; Use writes the result box beside the file as "<name>.htm" (asking
/// before it replaces another file of that name) and closes, after which FileToOpen is that
/// page; Cancel closes and FileToOpen stays the rich-text file. Messages and questions go
/// through the prompter.
class CheatDialog : public QDialog {
    Q_OBJECT

public:
    /// `help` opens the dialog's help topic.
    CheatDialog(QWidget* parent, std::function<void()> help);

    /// Shows `viewHtml` (the file's text as HTML) in the view, empties the result box and
    /// makes `path` the file to open; `convert` makes the page when Convert is chosen.
    void Load(const QString& path, const QString& viewHtml, std::function<QString()> convert);
    /// The file to open once the dialog has closed.
    QString FileToOpen() const { return m_fileToOpen; }
    QString ResultText() const;

    void btnUseClick();
    void btnConvertClick();

private:
    QAction* AddAction(const char* name, const QString& caption);

    QTextBrowser* m_RichEdit1 = nullptr;
    QPlainTextEdit* m_Memo1 = nullptr;
    QString m_path;
    QString m_fileToOpen;
    std::function<QString()> m_convert;
};

}  // namespace quinkle

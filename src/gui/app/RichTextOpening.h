// Opening a rich-text file: the Cheat Sheet dialog offers to convert it into an HTML page.
#pragma once

#include <QObject>

#include <string>

namespace quinkle {

class CheatDialog;
class QuinkleForm;

/// Made once, as a child of the window; the dialog is made on first use and kept.
class RichTextOpening : public QObject {
public:
    explicit RichTextOpening(QuinkleForm& form);
    static RichTextOpening& Of(QuinkleForm& form);

    /// Shows the dialog for the rich-text file `path` and returns the file to load: the page
    /// written from it after Use, or `path` itself.
    std::string FileToOpen(const std::string& path);
    /// The dialog, once it has been shown.
    CheatDialog* Dialog() const { return m_dialog; }

private:
    QuinkleForm& m_form;
    CheatDialog* m_dialog = nullptr;
};

}  // namespace quinkle

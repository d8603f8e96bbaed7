// The Insert Link dialog: a link, a mail link or a named section, one page each.
#pragma once

#include "engine/html/LinkText.h"
#include "gui/dialogs/InsertDialog.h"

class QLabel;
class QLineEdit;
class QTabWidget;

namespace quinkle {

class FileNameEdit;

/// Builds the link of the page showing when OK is pressed; OK inserts it as one "Link" undo
/// step. The fields and the page keep their values for the whole run. The Link page's browse
/// button picks an Internet shortcut file and fills in its address and name.
class LinkDialog : public InsertDialog {
    Q_OBJECT

public:
    explicit LinkDialog(InsertHost& host, QWidget* parent = nullptr);

    void ShowPage(LinkPage page);
    LinkFields Fields() const;
    GeneratedText Generated() const override;
    /// The Name page's example line, as rich text.
    QString ExampleHtml() const;

protected:
    /// Puts the focus in the first field of the page showing.
    void showEvent(QShowEvent* event) override;

private:
    void ShortcutChosen(const QString& fileName);
    void UpdateExample();

    QTabWidget* m_PageControl = nullptr;
    FileNameEdit* m_EditLink = nullptr;
    QLineEdit* m_EditText = nullptr;
    QLineEdit* m_EditEmailLink = nullptr;
    QLineEdit* m_EditEMailText = nullptr;
    QLineEdit* m_EditName = nullptr;
    QLabel* m_Example = nullptr;
};

}  // namespace quinkle

// The frame every HTML construction dialog shares: OK builds the text from the fields and hands
// it to the main window as one undo step.
#pragma once

#include <QDialog>
#include <QString>

#include <string_view>

#include "engine/html/TagText.h"

class QLayout;

namespace quinkle {

class InsertHost;

/// A modal dialog named `name` with the caption, the main window's font name and a row of OK
/// (the default button), Cancel and Help under the fields. OK inserts Generated() through the
/// host with the dialog's undo code and closes; an empty text inserts nothing, so a selection
/// stays. Cancel, Escape and the close box insert nothing; Help and F1 open the help topic.
/// A subclass makes its controls, hands their layout to SetFieldsLayout and builds the text.
class InsertDialog : public QDialog {
    Q_OBJECT

public:
    /// The text OK inserts for the fields as they stand now.
    virtual GeneratedText Generated() const = 0;
    QString HelpTopic() const { return m_helpTopic; }

protected:
    InsertDialog(InsertHost& host, QWidget* parent, const char* name, const QString& caption,
                 int undoCode, std::string_view helpTopic);

    /// Puts `fields` above the OK, Cancel and Help row, which it makes: call it once, after
    /// making the fields.
    void SetFieldsLayout(QLayout* fields);
    InsertHost& Host() const { return m_host; }

private:
    void btnOKClick();
    void btnHelpClick();

    InsertHost& m_host;
    int m_undoCode;
    QString m_helpTopic;
};

}  // namespace quinkle

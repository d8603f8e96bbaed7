// The Create Header dialog: title, key words and description of a page's head section.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quinkle {

class InsertHost;

/// Builds the head section from its three fields; OK hands it to the host as one "Header"
/// undo step, Cancel, Escape and the close box insert nothing. The fields keep their values
/// from one showing to the next. Stays on top of the other windows while it is open.
class HeadDialog : public QDialog {
    Q_OBJECT

public:
    /// The help topic that F1 and the Help button open.
    static const QString kHelpTopic;

    explicit HeadDialog(InsertHost& host, QWidget* parent = nullptr);

    QString Keywords() const;
    QString PageTitle() const;
    /// The description with each line break as CR LF.
    QString Description() const;
    /// The head section of the current fields, lines ending in CR LF.
    QString HeadSection() const;

private:
    void CreateControls();
    void btnOKClick();
    void btnHelpClick();

    InsertHost& m_host;
    QLineEdit* m_TitleEdit = nullptr;
    QLineEdit* m_KeyWEdit = nullptr;
    QPlainTextEdit* m_mDesc = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnHelp = nullptr;
};

}  // namespace quinkle

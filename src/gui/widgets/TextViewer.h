// A modal read-only window that shows a plain text file, such as the formatter's error log.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace quinkle {

/// Shows the text of one file in a fixed-pitch, read-only box with a Close button. The title
/// names the file; a file that is missing, unreadable or not a regular file shows an empty box.
class TextViewer : public QDialog {
    Q_OBJECT

public:
    explicit TextViewer(const QString& path, QWidget* parent = nullptr);

    /// Shows `path` modally and returns when the user closes the window.
    static void ShowTextFile(QWidget* parent, const QString& path);

    /// The text shown.
    QString Text() const;

private:
    void LoadFile(const QString& path);

    QPlainTextEdit* m_memText;
    QPushButton* m_btnClose;
};

}  // namespace quinkle

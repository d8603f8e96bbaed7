// A file name box: a line edit with a button that browses for the file.
#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quinkle {

/// A line edit for a file name plus a "..." button that asks for a file through
/// AppPrompter().OpenFileName with the box's title and filter (the program's form,
/// "Description|*.a|All files (*.*)|*.*"), starting from the name in the box.
class FileNameEdit : public QWidget {
    Q_OBJECT

public:
    explicit FileNameEdit(QWidget* parent = nullptr);

    QString FileName() const;
    /// Sets the text without emitting Edited.
    void SetFileName(const QString& fileName);

    QString Filter() const { return m_filter; }
    void SetFilter(const QString& filter) { m_filter = filter; }
    QString DialogTitle() const { return m_dialogTitle; }
    void SetDialogTitle(const QString& title) { m_dialogTitle = title; }
    /// Added (as ".ext"; "*.ext" and ".ext" are accepted) to a chosen name that has no
    /// extension and does not exist as it is.
    void SetDefaultExtension(const QString& extension);
    /// The next Browse starts from `start` instead of the name in the box (once); the box keeps
    /// its text unless a file is chosen. May be called from a BeforeBrowse handler.
    void SetBrowseStart(const QString& start);

    QLineEdit* LineEdit() const { return m_edit; }
    QToolButton* BrowseButton() const { return m_browse; }

    /// Emits BeforeBrowse, asks for a file and, when one is chosen, puts it in the box and
    /// emits FileChosen. False when the user cancelled.
    bool Browse();

Q_SIGNALS:
    /// The user changed the text by typing (not by SetFileName or browsing).
    void Edited(const QString& text);
    /// The user pressed the mouse on the text or the browse button.
    void Clicked();
    /// The file dialog is about to open with the name now in the box; a handler may change it.
    void BeforeBrowse();
    void FileChosen(const QString& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnBrowseClick();

    QLineEdit* m_edit;
    QToolButton* m_browse;
    QString m_filter;
    QString m_dialogTitle;
    QString m_defaultExtension;
    QString m_browseStart;
    bool m_hasBrowseStart = false;
};

}  // namespace quinkle

// Keeps the main window's document safe: its recovery journal, the offer of journals left
// after a crash, and the document's file changed or deleted by another program.
#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <memory>

namespace quinkle {

class Document;
class JournalWriter;
class QuinkleForm;

/// A part of the main window. While the document has unsaved changes, a journal of it is
/// written shortly after the last edit (the text is copied on the GUI thread, written on a
/// worker thread); the journal goes when the document is saved, replaced or the window
/// closes. Changes to the document's file on disk are noticed by a watcher and asked about
/// when the window next gets the focus.
class DocumentSafety : public QObject {
public:
    explicit DocumentSafety(QuinkleForm& form);
    ~DocumentSafety() override;
    /// The form's part, made on first use.
    static DocumentSafety& Of(QuinkleForm& form);

    /// The document to look after; its editor's changes start the journal's timer.
    void Attach(Document& document);
    /// Starts the journal once the window's start-up is done, then offers the journals that
    /// ended processes left.
    void Start();
    /// The document was saved, replaced or marked modified: the journal and the watched file
    /// follow at once.
    void DocumentStateChanged();
    /// Writes the journal now if the document is modified (removes it otherwise), and waits
    /// for the disk.
    void FlushJournal();
    /// The journal file of this window; empty before Start.
    QString JournalPath() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EditorChanged();
    void Schedule();
    void TakeSnapshot();
    void OfferJournals();
    void RunTestEdit();
    void WatchFile(const QString& path);
    void FileTouched();
    void CheckDisk();

    QuinkleForm& m_form;
    Document* m_document = nullptr;
    std::unique_ptr<JournalWriter> m_writer;
    QTimer m_debounce;
    QElapsedTimer m_firstPending;
    QFileSystemWatcher m_watcher;
    QTimer m_diskSettle;
    QString m_watchedFile;
    bool m_diskTouched = false;
    bool m_checking = false;
};

}  // namespace quinkle

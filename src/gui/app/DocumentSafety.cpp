// The main window's recovery journal, recovery offer and watch over the document's file.
#include "gui/app/DocumentSafety.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "engine/document/Document.h"
#include "engine/document/JournalWriter.h"
#include "gui/app/PrompterAsker.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// The journal is written once edits have paused this long, and at the latest this long
// after the first edit not yet journalled, so steady typing is journalled too.
constexpr qint64 kQuietMs = 750;
constexpr qint64 kLatestMs = 1750;

}  // namespace

DocumentSafety::DocumentSafety(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("DocumentSafety"));
    m_debounce.setSingleShot(true);
    connect(&m_debounce, &QTimer::timeout, this, [this] { Guarded([this] { TakeSnapshot(); }); });
    // A busy folder reports many changes in a row: the file is looked at once they settle.
    m_diskSettle.setSingleShot(true);
    m_diskSettle.setInterval(300);
    connect(&m_diskSettle, &QTimer::timeout, this, [this] { CheckDisk(); });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { FileTouched(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { FileTouched(); });
    form.installEventFilter(this);
}

DocumentSafety::~DocumentSafety() {
    // A clean exit leaves no journal behind; the writer finishes before it goes.
    if (m_writer) m_writer->Remove();
}

DocumentSafety& DocumentSafety::Of(QuinkleForm& form) {
    return WindowPart<DocumentSafety>(form, QStringLiteral("DocumentSafety"));
}

void DocumentSafety::Attach(Document& document) {
    m_document = &document;
    connect(m_form.Memo1(), &SourceEditorWidget::Changed, this, [this] { EditorChanged(); });
}

QString DocumentSafety::JournalPath() const {
    return m_writer ? QFile::decodeName(m_writer->Path().c_str()) : QString();
}

void DocumentSafety::Start() {
    if (m_writer || m_document == nullptr) return;
    const std::string folder = RecoveryFolder();
    if (!PrepareRecoveryFolder(folder)) {
        m_form.ShowStatusMessage(
            QStringLiteral("No recovery journal: the folder %1 cannot be made.")
                .arg(FromStd(folder)));
        return;
    }
    m_writer = std::make_unique<JournalWriter>(OwnJournalPath(folder));
    WatchFile(m_form.CurrentFileName());
    // The questions wait until the window is up and its start-up is over.
    QTimer::singleShot(0, this, [this] {
        Guarded([this] { OfferJournals(); });
        Guarded([this] { RunTestEdit(); });
    });
}

// ---- the journal ----

void DocumentSafety::EditorChanged() {
    if (m_writer) Schedule();
}

void DocumentSafety::Schedule() {
    if (!m_debounce.isActive()) m_firstPending.start();
    const qint64 left = std::clamp(kLatestMs - m_firstPending.elapsed(), qint64(0), kQuietMs);
    m_debounce.start(int(left));
}

void DocumentSafety::TakeSnapshot() {
    m_debounce.stop();
    if (!m_writer) return;
    if (m_document->Modified())
        m_writer->Post(m_document->JournalSnapshot());
    else
        m_writer->Remove();
    const std::string error = m_writer->TakeError();
    if (!error.empty()) m_form.ShowStatusMessage(FromStd("Recovery journal: " + error));
}

void DocumentSafety::DocumentStateChanged() {
    WatchFile(m_form.CurrentFileName());
    if (!m_writer) return;
    if (m_document->Modified()) {
        Schedule();
    } else {
        m_debounce.stop();
        m_writer->Remove();
    }
}

void DocumentSafety::FlushJournal() {
    if (!m_writer) return;
    TakeSnapshot();
    m_writer->Flush();
}

void DocumentSafety::OfferJournals() {
    const JournalScan scan = FindOrphanJournals(RecoveryFolder(), m_writer->Path());
    for (const std::string& problem : scan.Problems) m_form.ShowStatusMessage(FromStd(problem));
    if (scan.Orphans.empty()) return;
    PrompterAsker asker;
    const RecoveryOutcome outcome = ::quinkle::OfferRecovery(*m_document, asker, scan.Orphans);
    if (!outcome.RecoveredJournal.empty()) {
        // The journal left behind goes only once this window's own journal holds the text.
        m_writer->Post(m_document->JournalSnapshot());
        m_writer->RemoveAfterWrite(outcome.RecoveredJournal);
    }
    m_form.UpdateCommandState();
    if (!outcome.Notice.empty()) m_form.ShowStatusMessage(FromStd(outcome.Notice));
}

// Test hook: QUINKLE_TEST_EDIT_FILE=<path> inserts that file's bytes at the caret once the
// start-up is done, through the editor's own insertion as a paste or typing makes it, so a
// test can give a running program unsaved edits and then end it the hard way.
void DocumentSafety::RunTestEdit() {
    const QString path = qEnvironmentVariable("QUINKLE_TEST_EDIT_FILE");
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    SourceEditor& editor = m_form.Memo1()->Editor();
    {
        ChangeBatch batch(editor);
        editor.ReplaceSel(std::string_view(bytes.constData(), size_t(bytes.size())));
    }
    m_form.Memo1()->ScrollCaret();
    m_form.UpdateCommandState();
}

// ---- the document's file on disk ----

void DocumentSafety::WatchFile(const QString& path) {
    if (path == m_watchedFile && (path.isEmpty() || m_watcher.files().contains(path))) return;
    if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
    m_watchedFile = path;
    m_diskTouched = false;
    if (path.isEmpty()) return;
    // The folder too: a file replaced by renaming, or deleted and made again, drops out of
    // the file watch.
    m_watcher.addPath(QFileInfo(path).absolutePath());
    if (QFileInfo::exists(path)) m_watcher.addPath(path);
}

void DocumentSafety::FileTouched() {
    if (m_watchedFile.isEmpty()) return;
    m_diskTouched = true;
    if (!m_watcher.files().contains(m_watchedFile) && QFileInfo::exists(m_watchedFile))
        m_watcher.addPath(m_watchedFile);
    // A window that has the focus already is told once the writer has likely finished.
    if (m_form.isActiveWindow()) m_diskSettle.start();
}

bool DocumentSafety::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_form && event->type() == QEvent::WindowActivate && m_diskTouched)
        QTimer::singleShot(0, this, [this] { CheckDisk(); });
    return false;
}

void DocumentSafety::CheckDisk() {
    if (!m_diskTouched || m_checking || m_document == nullptr) return;
    // Not over another question: the next activation asks.
    if (QApplication::activeModalWidget() != nullptr) return;
    m_diskTouched = false;
    m_checking = true;
    Guarded([this] { m_document->CheckFileOnDisk(); });
    m_checking = false;
    m_form.UpdateCommandState();
}

}  // namespace quinkle

// Saving into a real read-only folder and onto a real full file system loses nothing: the
// old file and its backup stay as they were, the document stays modified and no temporary
// file is left behind.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <cstring>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::ReadFile;
using test::Text;
using test::Trigger;
using test::Type;

/// A small tmpfs mounted on a folder for one test (needs the right to mount, as root has);
/// unmounted when it goes.
class ScratchFileSystem {
public:
    ScratchFileSystem(const QString& folder, const char* options)
        : m_folder(QFile::encodeName(folder)) {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options) == 0;
        if (!m_mounted) m_error = errno;
    }
    ~ScratchFileSystem() {
        if (m_mounted) ::umount2(m_folder.constData(), MNT_DETACH);
    }
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool Mounted() const { return m_mounted; }
    QString Error() const { return QString::fromLocal8Bit(std::strerror(m_error)); }
    /// Makes the mounted file system read-only.
    bool MakeReadOnly() {
        return ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
    int m_error = 0;
};

// Whether a file can be created in `folder` (root ignores the folder's permission bits).
bool CanWriteInto(const QString& folder) {
    QFile probe(folder + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly)) return false;
    probe.close();
    probe.remove();
    return true;
}

/// A folder that is writable until Lock makes it read-only for real: by its permission bits,
/// or, for root, who writes through them, as a file system mounted read-only.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : m_folder(folder) {
        if (::geteuid() != 0) {
            QDir().mkpath(folder);
            return;
        }
        m_mount = std::make_unique<ScratchFileSystem>(folder, "size=1m");
        if (!m_mount->Mounted())
            m_skipReason = QStringLiteral(
                               "running as root, where chmod does not stop writes, "
                               "and mounting a file system was refused: %1")
                               .arg(m_mount->Error());
    }
    ~ReadOnlyFolder() {
        if (!m_mount)
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    /// Why this machine cannot make such a folder; empty when it can.
    QString SkipReason() const { return m_skipReason; }
    /// Makes the folder read-only; false when writing into it still works.
    bool Lock() {
        if (m_mount)
            m_mount->MakeReadOnly();
        else
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
        return !CanWriteInto(m_folder);
    }
    /// The system's error for a write refused there.
    int Error() const { return m_mount ? EROFS : EACCES; }

private:
    QString m_folder;
    std::unique_ptr<ScratchFileSystem> m_mount;
    QString m_skipReason;
};

class DocumentSaveFailuresTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    // index.html and its backup from an earlier save, in `folder`.
    static void WriteOldFiles(const QString& folder) {
        for (const auto& [name, bytes] :
             {std::pair{"index.html", "old"}, std::pair{"index.~html", "older"}}) {
            QFile file(folder + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
    }

    // Saves the modified document in `folder` and checks that the save failed without a
    // trace: an error naming the file and the system's reason `error`, both old files as
    // they were, the document still modified.
    void SaveFailsAndKeepsEverything(QuinkleForm& form, const QString& folder, int error) {
        const QString page = folder + QStringLiteral("/index.html");
        const QString before = Text(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        for (int answer = 0; answer < 2; ++answer) prompter.AnswerButton(Prompter::Ok);
        Trigger(form, "mnuSave");
        QVERIFY2(!prompter.Questions().isEmpty(), "the failure must be shown");
        const auto& shown = prompter.Questions().last();
        QCOMPARE(shown.kind, Prompter::Kind::Error);
        QVERIFY2(shown.text.contains(page), qPrintable(shown.text));
        QVERIFY2(shown.text.endsWith(QString::fromLocal8Bit(std::strerror(error))),
                 qPrintable(shown.text));
        QCOMPARE(ReadFile(page), QByteArray("old"));
        QCOMPARE(ReadFile(folder + QStringLiteral("/index.~html")), QByteArray("older"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"index.html", "index.~html"}));
        QVERIFY(form.Memo1()->Editor().Modified());
        QCOMPARE(form.DocumentTitle(), QStringLiteral("index.html*"));
        QCOMPARE(Text(form), before);

        // The save question of New stops when the save fails: the text is still there.
        prompter.Clear();
        prompter.AnswerButton(Prompter::Yes);
        for (int answer = 0; answer < 2; ++answer) prompter.AnswerButton(Prompter::Ok);
        Trigger(form, "mnuNew");
        QCOMPARE(Text(form), before);
        QVERIFY(form.Memo1()->Editor().Modified());

        // Saved elsewhere, every character is there.
        const QString elsewhere = m_sandbox->Path(QStringLiteral("rescued.html"));
        prompter.Clear();
        prompter.AnswerSaveFileName(elsewhere);
        Trigger(form, "mnuSaveAs");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(QString::fromUtf8(ReadFile(elsewhere)), before);
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
        m_sandbox->SetConfig("Backups", QStringLiteral("0"));
    }
    void cleanup() { m_sandbox.reset(); }

    void saveIntoAReadOnlyFolder() {
        const QString folder = m_sandbox->Path(QStringLiteral("readonly"));
        ReadOnlyFolder readOnly(folder);
        if (!readOnly.SkipReason().isEmpty()) QSKIP(qPrintable(readOnly.SkipReason()));
        WriteOldFiles(folder);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(folder + QStringLiteral("/index.html"), true);
        Type(*form, QStringLiteral("new "));
        if (!readOnly.Lock()) QSKIP("the folder could not be made read-only");
        SaveFailsAndKeepsEverything(*form, folder, readOnly.Error());
    }

    void deleteFromAReadOnlyFolderKeepsTheDocument() {
        const QString folder = m_sandbox->Path(QStringLiteral("readonly"));
        ReadOnlyFolder readOnly(folder);
        if (!readOnly.SkipReason().isEmpty()) QSKIP(qPrintable(readOnly.SkipReason()));
        WriteOldFiles(folder);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        const QString page = folder + QStringLiteral("/index.html");
        form->OpenDocument(page, true);
        Type(*form, QStringLiteral("new "));
        if (!readOnly.Lock()) QSKIP("the folder could not be made read-only");

        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Yes);
        prompter.AnswerButton(Prompter::Ok);
        Trigger(*form, "mnuDelete");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 2);
        QCOMPARE(prompter.Questions().at(1).kind, Prompter::Kind::Warning);
        QCOMPARE(prompter.Questions().at(1).text,
                 QStringLiteral("File Error: \nError Deleting file \"%1\"").arg(page));
        QCOMPARE(ReadFile(page), QByteArray("old"));
        QCOMPARE(Text(*form), QStringLiteral("new old"));
        QVERIFY(form->Memo1()->Editor().Modified());
        QCOMPARE(form->CurrentFileName(), page);
    }

    void saveOntoAFullFileSystem() {
        if (::geteuid() != 0)
            QSKIP("a full file system needs a small tmpfs, which only root may mount here");
        const QString folder = m_sandbox->Path(QStringLiteral("full"));
        ScratchFileSystem tiny(folder, "size=64k");
        if (!tiny.Mounted())
            QSKIP(qPrintable(
                QStringLiteral("mounting a 64 KiB tmpfs was refused: %1").arg(tiny.Error())));
        WriteOldFiles(folder);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(folder + QStringLiteral("/index.html"), true);
        // Far more than the file system holds, pasted as a user would.
        QGuiApplication::clipboard()->setText(QString(256 * 1024, QLatin1Char('x')));
        QTest::keyClick(form->Memo1(), Qt::Key_End);  // any key refreshes the Paste command
        Trigger(*form, "mnuPaste");
        QCOMPARE(form->Memo1()->Editor().GetTextLen(), 256 * 1024 + 3);
        SaveFailsAndKeepsEverything(*form, folder, ENOSPC);
    }
};

QUINKLE_GUI_TEST(DocumentSaveFailuresTest);

}  // namespace
}  // namespace quinkle

#include "DocumentSaveFailuresTest.moc"

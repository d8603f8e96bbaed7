// Deleting a document whose folder is really read-only: the trash refuses the file, and the
// window keeps the file, the text and its changes.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

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

private:
    QString m_folder;
    std::unique_ptr<ScratchFileSystem> m_mount;
    QString m_skipReason;
};

class DocumentTrashFailureTest : public QObject {
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

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

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
};

QUINKLE_GUI_TEST(DocumentTrashFailureTest);

}  // namespace
}  // namespace quinkle

#include "DocumentTrashFailureTest.moc"

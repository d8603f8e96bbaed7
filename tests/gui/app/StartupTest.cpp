// The program's start-up as a process: the order of its steps, the single-instance guard and
// the hand-over of a second copy's file to the running one.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/app/InstanceChannel.h"
#include "gui/app/SingleInstance.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

constexpr int kStartTimeout = 60000;  // sanitizer builds start slowly

class StartupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;

    // The program binary of this build; $QUINKLE_PROGRAM names another.
    static QString ProgramPath() {
        const QString chosen = qEnvironmentVariable("QUINKLE_PROGRAM");
        if (!chosen.isEmpty()) return chosen;
        return QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../../src/gui/htmquinkle"));
    }

    // Sets up a process of `program` with private settings, program and lock folders.
    void Prepare(QProcess& process, const QString& program, bool exitAfterPaint) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUINKLE_CONFIG_DIR"), m_dir->filePath(QStringLiteral("cfg")));
        env.insert(QStringLiteral("QUINKLE_HOME"), m_dir->filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir->filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_dir->filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("QUINKLE_TRACE_STARTUP"), QStringLiteral("1"));
        if (exitAfterPaint)
            env.insert(QStringLiteral("QUINKLE_EXIT_AFTER_PAINT"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.setProgram(program);
    }

    static QStringList Trace(QProcess& process) {
        QStringList steps;
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        for (const QString& line : err.split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("startup: "))) steps << line.mid(9);
        }
        return steps;
    }

    // Runs `program` until its first painting; returns its steps (empty on failure).
    QStringList RunOnce(const QString& program, const QStringList& arguments = {}) {
        QProcess process;
        Prepare(process, program, true);
        process.setWorkingDirectory(m_dir->path());
        process.setArguments(arguments);
        process.start();
        if (!process.waitForFinished(kStartTimeout)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
        return Trace(process);
    }

    // Starts `process` as a first copy without a file and waits for its message loop.
    void StartAndWait(QProcess& process) {
        Prepare(process, m_program, false);
        process.start();
        QByteArray seen;
        QElapsedTimer clock;
        clock.start();
        while (!seen.contains("startup: message loop") && clock.elapsed() < kStartTimeout &&
               process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(200);
            seen += process.readAllStandardError();
        }
        QVERIFY2(seen.contains("startup: message loop"), seen.constData());
    }

    // Starts `program` in the folder "pages" while `first` runs; it must end at once without
    // painting, and `first` must write the step `expected`.
    void HandOver(QProcess& first, const QString& program, const QStringList& arguments,
                  const QString& expected) {
        QProcess second;
        Prepare(second, program, true);
        second.setWorkingDirectory(m_dir->filePath(QStringLiteral("pages")));
        second.setArguments(arguments);
        second.start();
        QVERIFY(second.waitForFinished(kStartTimeout));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(Trace(second), QStringList{"another instance runs"});
        QVERIFY(second.readAllStandardOutput().isEmpty());  // it never painted

        QStringList steps;
        QElapsedTimer clock;
        clock.start();
        while (!steps.contains(expected) && clock.elapsed() < kStartTimeout &&
               first.state() == QProcess::Running) {
            first.waitForReadyRead(200);
            steps << Trace(first);
        }
        QVERIFY2(steps.contains(expected), qPrintable(steps.join(QLatin1Char('|'))));
    }

    QString CopyProgram(const QString& folder, const QString& name) {
        QDir().mkpath(m_dir->filePath(folder));
        const QString copy = m_dir->filePath(folder + QLatin1Char('/') + name);
        return QFile::copy(m_program, copy) ? copy : QString();
    }

private Q_SLOTS:
    void init() {
        m_program = ProgramPath();
        if (!QFileInfo(m_program).isExecutable())
            QSKIP("the program htmquinkle has not been built");
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("run"))));
    }

    void instanceNameComesFromTheProgramFileName() {
        QCOMPARE(SingleInstance::InstanceName("/opt/Tools/QUINKLE.EXE"),
                 std::string("QUINKLE.EXE_one_instance"));
        QCOMPARE(SingleInstance::InstanceName("htmquinkle"),
                 std::string("htmquinkle_one_instance"));
    }

    void startsInItsOrder() {
        QFile first(m_dir->filePath(QStringLiteral("first.htm")));
        QVERIFY(first.open(QIODevice::WriteOnly));
        first.write("<p>first</p>");
        first.close();
        const QStringList steps =
            RunOnce(m_program, {QStringLiteral("first.htm"), QStringLiteral("second.htm")});
        QCOMPARE(
            steps,
            (QStringList{
                "guarded", "progress: creating the main program...", "FormCreate",
                "created QuinkleForm", "progress: creating the table form...",
                "progress: creating the Options dialog...", "created ConfigureDialog",
                "progress: creating the header dialog...", "progress: creating the body dialog...",
                "progress: creating the quick file dialog...",
                "progress: creating the quick format dialog...", "progress: running program...",
                "FormShow", "message loop", "message loop ended", "released"}));
        QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("home"))).isDir());
    }

    void secondCopyHandsItsFileToTheFirst() {
        QProcess first;
        StartAndWait(first);

        // A copy started in another folder with a relative name, and a copy of the program
        // under the same name elsewhere without a file: both end without a window, the first
        // opens the file and comes to the front.
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("pages"))));
        const QString page = m_dir->filePath(QStringLiteral("pages/page.htm"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<p>handed over</p>");
        file.close();
        const QString sameName =
            CopyProgram(QStringLiteral("elsewhere"), QFileInfo(m_program).fileName());
        QVERIFY(!sameName.isEmpty());
        HandOver(first, m_program, {QStringLiteral("page.htm")},
                 QStringLiteral("handed over: ") + page);
        HandOver(first, sameName, {}, QStringLiteral("handed over"));

        // A copy under another file name is another program.
        const QString otherName = CopyProgram(QStringLiteral("other"), QStringLiteral("quinkle2"));
        QVERIFY(!otherName.isEmpty());
        QVERIFY(RunOnce(otherName).contains(QStringLiteral("message loop")));

        // A killed first copy leaves neither its lock nor its socket in the way: the next
        // copy starts and takes requests.
        first.kill();
        QVERIFY(first.waitForFinished(kStartTimeout));
        const QStringList sockets = QDir(m_dir->filePath(QStringLiteral("run")))
                                        .entryList({QStringLiteral("*.socket")}, QDir::System);
        QCOMPARE(sockets.size(), 1);  // left behind
        QProcess next;
        StartAndWait(next);
        HandOver(next, m_program, {QStringLiteral("page.htm")},
                 QStringLiteral("handed over: ") + page);
        next.kill();
        QVERIFY(next.waitForFinished(kStartTimeout));
    }

    // The running window here is this test's own, so its questions can be answered.
    void aChangedPageIsOfferedForSavingBeforeTheHandedFileOpens() {
        test::MainWindowSandbox sandbox;
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_dir->filePath(QStringLiteral("run")).toLocal8Bit());
        const std::string program = m_program.toStdString();
        SingleInstance lock;
        const bool locked = lock.Acquire(program);
        InstanceServer server;
        const bool listening =
            server.Listen(QString::fromStdString(SingleInstance::InstanceFile(program, ".socket")));
        if (oldRuntime.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", oldRuntime);
        QVERIFY(locked);
        QVERIFY(listening);
        auto form = sandbox.Start();
        QVERIFY(form);
        server.Serve(*form);
        test::Type(*form, QStringLiteral("changed"));
        const QString page = sandbox.WriteFile(QStringLiteral("pages/page.htm"), "<p>page</p>");

        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::No);
        QProcess second;
        Prepare(second, m_program, true);
        second.setWorkingDirectory(sandbox.Path(QStringLiteral("pages")));
        second.setArguments({QStringLiteral("page.htm")});
        second.start();
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, kStartTimeout);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(form->CurrentFileName(), page);
        QCOMPARE(test::Text(*form), QStringLiteral("<p>page</p>"));
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(prompter.Questions().first().kind, Prompter::Kind::Confirmation);
    }
};

QUINKLE_GUI_TEST(StartupTest);

}  // namespace
}  // namespace quinkle

#include "StartupTest.moc"

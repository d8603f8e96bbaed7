// The program's start-up as a process: the order of its steps and the single-instance guard.
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
#include "gui/app/SingleInstance.h"

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

    void secondCopyEndsAtOnceWhileTheFirstRuns() {
        QProcess first;
        Prepare(first, m_program, false);
        first.start();
        QByteArray seen;
        QElapsedTimer clock;
        clock.start();
        while (!seen.contains("startup: message loop") && clock.elapsed() < kStartTimeout &&
               first.state() != QProcess::NotRunning) {
            first.waitForReadyRead(200);
            seen += first.readAllStandardError();
        }
        QVERIFY2(seen.contains("startup: message loop"), seen.constData());

        // The same program file, and a copy of it under the same name elsewhere: both end
        // without a window and without opening the file they were given.
        const QString sameName =
            CopyProgram(QStringLiteral("elsewhere"), QFileInfo(m_program).fileName());
        QVERIFY(!sameName.isEmpty());
        for (const QString& program : {m_program, sameName}) {
            QProcess second;
            Prepare(second, program, true);
            second.setArguments({QStringLiteral("page.htm")});
            QElapsedTimer secondClock;
            secondClock.start();
            second.start();
            QVERIFY(second.waitForFinished(kStartTimeout));
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(Trace(second), QStringList{"another instance runs"});
            QVERIFY(second.readAllStandardOutput().isEmpty());  // it never painted
        }

        // A copy under another file name is another program.
        const QString otherName = CopyProgram(QStringLiteral("other"), QStringLiteral("quinkle2"));
        QVERIFY(!otherName.isEmpty());
        QVERIFY(RunOnce(otherName).contains(QStringLiteral("message loop")));

        // Even a killed first copy leaves no lock behind.
        first.kill();
        QVERIFY(first.waitForFinished(kStartTimeout));
        QVERIFY(RunOnce(m_program).contains(QStringLiteral("released")));
    }
};

QUINKLE_GUI_TEST(StartupTest);

}  // namespace
}  // namespace quinkle

#include "StartupTest.moc"

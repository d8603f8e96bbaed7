// Unsaved work survives the editor being killed, and the document's file changed by another
// program is offered again: the real program killed with SIGKILL, then recovered in a window.
#include <signal.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "engine/document/RecoveryJournal.h"
#include "engine/text/LineEnds.h"
#include "gui/app/DocumentSafety.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::ReadFile;
using test::Trigger;

constexpr int kTimeoutMs = 180000;  // a sanitizer build is slow with 20 MB

// Text of `megabytes` MB in lines of varied length, with UTF-8, tabs and control bytes.
QByteArray LargeText(int megabytes) {
    QByteArray text;
    text.reserve(megabytes << 20);
    for (int line = 0; text.size() < (megabytes << 20); ++line)
        text += "<tr><td>" + QByteArray::number(line) + "</td><td>caf\xc3\xa9\t\x01" +
                QByteArray(line % 97, 'x') + "</td></tr>\n";
    return text;
}

class RecoveryTest : public QObject {
    Q_OBJECT

    // The program binary of this build; $QUINKLE_PROGRAM names another.
    static QString ProgramPath() {
        const QString chosen = qEnvironmentVariable("QUINKLE_PROGRAM");
        if (!chosen.isEmpty()) return chosen;
        return QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../../src/gui/htmquinkle"));
    }

    // The one journal in `folder` whose text has `size` bytes, once it is there.
    static QString WaitForJournal(const QString& folder, qsizetype size, QProcess& process) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kTimeoutMs && process.state() == QProcess::Running) {
            for (const QFileInfo& file :
                 QDir(folder).entryInfoList({QStringLiteral("*.qkj")}, QDir::Files)) {
                try {
                    if (qsizetype(ReadJournal(file.filePath().toStdString()).Text->size()) == size)
                        return file.filePath();
                } catch (const EJournalError&) {
                }
            }
            QTest::qWait(100);
        }
        return QString();
    }

private Q_SLOTS:
    void killedEditorIsRecoveredByteForByte_data() {
        QTest::addColumn<QByteArray>("onDisk");  // the file opened; none when empty
        QTest::addColumn<QByteArray>("edit");
        QTest::addColumn<QByteArray>("saved");  // what saving the recovered document writes
        const QByteArray edit = "<p>h\xc3\xa9llo</p>\n\tline \x02two\n";
        QTest::newRow("untitled") << QByteArray() << edit << edit;
        QTest::newRow("named, CR LF")
            << QByteArray("<html>\r\n</html>\r\n") << QByteArray("<b>x</b>\n")
            << QByteArray("<b>x</b>\r\n<html>\r\n</html>\r\n");
        const QByteArray large = LargeText(20);
        QTest::newRow("20 MB") << QByteArray() << large << large;
    }

    void killedEditorIsRecoveredByteForByte() {
        QFETCH(QByteArray, onDisk);
        QFETCH(QByteArray, edit);
        QFETCH(QByteArray, saved);
        const QString program = ProgramPath();
        if (!QFileInfo(program).isExecutable()) QSKIP("the program htmquinkle has not been built");

        test::MainWindowSandbox sandbox;
        QVERIFY(sandbox.IsValid());
        sandbox.SetConfig("Default Startup", QStringLiteral("0"));
        const QString state = sandbox.Path(QStringLiteral("state"));
        const QString journals = state + QStringLiteral("/quinkle/recovery");
        const QString editFile = sandbox.WriteFile(QStringLiteral("edit.bin"), edit);
        const QString document =
            onDisk.isEmpty() ? QString() : sandbox.WriteFile(QStringLiteral("page.htm"), onDisk);
        QVERIFY(QDir().mkpath(sandbox.Path(QStringLiteral("run"))));
        QFile::setPermissions(sandbox.Path(QStringLiteral("run")), QFileDevice::ReadOwner |
                                                                       QFileDevice::WriteOwner |
                                                                       QFileDevice::ExeOwner);

        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUINKLE_CONFIG_DIR"), sandbox.Path(QStringLiteral("cfg")));
        env.insert(QStringLiteral("QUINKLE_HOME"), sandbox.Path(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), sandbox.Path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), sandbox.Path(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), state);
        env.insert(QStringLiteral("QUINKLE_TEST_EDIT_FILE"), editFile);
        editor.setProcessEnvironment(env);
        editor.setProgram(program);
        if (!document.isEmpty()) editor.setArguments({document});
        editor.start();
        QVERIFY(editor.waitForStarted(kTimeoutMs));
        const auto stop = qScopeGuard([&editor] {
            editor.kill();
            editor.waitForFinished();
        });

        const std::string stored =
            NormaliseLineEnds(std::string_view(saved.constData(), saved.size()));
        const QString journal = WaitForJournal(journals, qsizetype(stored.size()), editor);
        QVERIFY2(!journal.isEmpty(), editor.readAllStandardError().constData());
        editor.kill();  // SIGKILL: nothing of the program's own runs any more
        QVERIFY(editor.waitForFinished(kTimeoutMs));
        QCOMPARE(editor.exitStatus(), QProcess::CrashExit);

        // The journal left behind, read as the next start reads it.
        const JournalRecord record = ReadJournal(journal.toStdString());
        QVERIFY(*record.Text == stored);
        QCOMPARE(QString::fromStdString(record.FileName), document);
        QVERIFY(record.Form.LineEnds == (onDisk.isEmpty() ? LineEnd::LF : LineEnd::CRLF));
        QVERIFY(record.Modified);

        // The next start offers it; recovering it and saving writes what the killed editor
        // would have saved.
        const QByteArray oldState = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", state.toLocal8Bit());
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Yes);
        auto form = sandbox.Start();
        qputenv("XDG_STATE_HOME", oldState);
        QVERIFY(form != nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(prompter.Questions().size(), 1, kTimeoutMs);
        QVERIFY2(prompter.Questions()[0].text.contains(
                     document.isEmpty() ? QStringLiteral("(Untitled)") : document),
                 qPrintable(prompter.Transcript()));
        QVERIFY(form->Memo1()->Editor().Modified());
        QCOMPARE(form->CurrentFileName(), document);
        QVERIFY(form->DocumentTitle().endsWith(QLatin1Char('*')));
        // The journal of the killed editor goes once this window's own holds the text.
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(journal), kTimeoutMs);
        QVERIFY(QFileInfo::exists(DocumentSafety::Of(*form).JournalPath()));

        const QString target =
            document.isEmpty() ? sandbox.Path(QStringLiteral("saved.htm")) : document;
        if (document.isEmpty()) prompter.AnswerSaveFileName(target);
        Trigger(*form, "mnuSave");
        QVERIFY(ReadFile(target) == saved);
        QCOMPARE(prompter.UnexpectedCount(), 0);
        // Saved: no journal is left.
        DocumentSafety::Of(*form).FlushJournal();
        QVERIFY(QDir(journals).entryList({QStringLiteral("*.qkj")}, QDir::Files).isEmpty());
    }

    void fileChangedOutsideIsOfferedOnceOwnSavesAreNot() {
        test::MainWindowSandbox sandbox;
        const QString path = sandbox.WriteFile(QStringLiteral("page.htm"), "one");
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        auto form = sandbox.Start();
        QVERIFY(form != nullptr);
        form->OpenDocument(path, false);

        test::Type(*form, QStringLiteral("x"));
        Trigger(*form, "mnuSave");
        QCOMPARE(ReadFile(path), QByteArray("xone"));
        QTest::qWait(600);  // the watcher reports our own write
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(form.get(), &activate);
        QTest::qWait(100);
        QVERIFY2(prompter.Questions().isEmpty(), qPrintable(prompter.Transcript()));

        // Another program writes the file, with a later time than ours.
        sandbox.WriteFile(QStringLiteral("page.htm"), "two");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
        file.close();
        prompter.AnswerButton(Prompter::Yes);
        QTest::qWait(600);
        QApplication::sendEvent(form.get(), &activate);
        QTRY_COMPARE(test::Text(*form), QStringLiteral("two"));
        QApplication::sendEvent(form.get(), &activate);
        QTest::qWait(100);
        QCOMPARE(prompter.Questions().size(), 1);
        QVERIFY(
            prompter.Questions()[0].text.contains(QStringLiteral("changed by another program")));
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }
};

QUINKLE_GUI_TEST(RecoveryTest);

}  // namespace
}  // namespace quinkle

#include "RecoveryTest.moc"

// Load From Web against a local server: the selected address, a page fetched into the editor
// as one undo step, a failure that changes nothing, closing during a transfer, the history
// kept in the settings, and the save question's Cancel.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/dialogs/GetFromWebDialog.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::Child;
using test::SetDocument;
using test::Text;
using test::Trigger;
using test::UndoLabels;

class LoadFromWebTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QProcess m_server;
    QString m_base;  // "http://127.0.0.1:PORT"

private slots:
    void initTestCase() {
        m_server.start(
            QStringLiteral("python3"),
            {QStringLiteral(QUINKLE_TEST_TOOLS_DIR "/web_test_server.py"), m_folder.path()});
        QVERIFY(m_server.waitForStarted());
        while (m_base.isEmpty() && m_server.waitForReadyRead(20000)) {
            while (m_server.canReadLine()) {
                const QString line = QString::fromLatin1(m_server.readLine()).trimmed();
                if (line.startsWith(QLatin1String("http ")))
                    m_base = QStringLiteral("http://127.0.0.1:") + line.mid(5);
            }
        }
        QVERIFY2(!m_base.isEmpty(), "the local test server did not start");
    }

    void cleanupTestCase() {
        m_server.closeWriteChannel();  // the server ends when its input closes
        if (!m_server.waitForFinished(5000)) m_server.kill();
    }

    void fetchesIntoTheEditorAsOneUndoStep() {
        test::MainWindowSandbox sandbox;
        auto form = sandbox.Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        const QString address = m_base + QStringLiteral("/three");
        const QString old = QStringLiteral("see ") + address;
        SetDocument(*form, old, 4, int(old.size()));

        bool checked = false;
        test::WhenModalShown([&](QWidget* modal) {
            auto* dialog = dynamic_cast<GetFromWebDialog*>(modal);
            auto finish = qScopeGuard([&] { modal->close(); });
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("HTML Quinkle - Get From WEB"));
            QCOMPARE(dialog->Url(), address);  // the selected address
            dialog->Options().EnvironmentProxy = false;
            auto* get = Child<QPushButton>(*dialog, "btnGet");
            auto* url = Child<QComboBox>(*dialog, "cbURL");

            QTest::mouseClick(get, Qt::LeftButton);
            QTRY_VERIFY(!dialog->Transferring());
            QCOMPARE(Text(*form), QStringLiteral("one\r\ntwo\r\nthree"));

            // A failure shows the server's reason and leaves the page as it is.
            dialog->SetUrl(m_base + QStringLiteral("/missing"));
            QTest::mouseClick(get, Qt::LeftButton);
            QTRY_VERIFY(!dialog->Transferring());
            QCOMPARE(int(prompter.Questions().size()), 1);
            QCOMPARE(prompter.Questions().last().text, QStringLiteral("Page Gone Away"));
            QCOMPARE(Text(*form), QStringLiteral("one\r\ntwo\r\nthree"));

            // Enter files the address in the history and fetches nothing.
            dialog->SetUrl(QStringLiteral("  127.0.0.1/kept  "));
            QTest::keyClick(url->lineEdit(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QVERIFY(!dialog->Transferring());
            QCOMPARE(url->count(), 1);
            QCOMPARE(url->itemText(0), QStringLiteral("127.0.0.1/kept"));

            // Closing during a slow transfer stops it; nothing arrives afterwards.
            dialog->SetUrl(m_base + QStringLiteral("/slow"));
            QTest::mouseClick(get, Qt::LeftButton);
            QVERIFY(dialog->Transferring());
            QVERIFY(!get->isEnabled());
            QTRY_VERIFY(
                Child<QLabel>(*dialog, "lblProgress")->text().contains(QLatin1String("received")));
            checked = true;
        });
        Trigger(*form, "LoadFromWeb1");
        QVERIFY(checked);
        QTest::qWait(300);
        QCOMPARE(Text(*form), QStringLiteral("one\r\ntwo\r\nthree"));
        QCOMPARE(UndoLabels(*form).value(0), QStringLiteral("Load From Web"));
        QCOMPARE(form->Settings().ReadInteger("FromWeb", "count", -9), 0);
        QCOMPARE(QString::fromStdString(form->Settings().ReadString("FromWeb", "0", "")),
                 QStringLiteral("127.0.0.1/kept"));

        Trigger(*form, "mnuUndo");
        QCOMPARE(Text(*form), old);

        // Undo went back to the unmodified text; with a change, Cancel to the save question
        // opens nothing.
        test::Type(*form, QStringLiteral("x"));
        prompter.AnswerButton(Prompter::Cancel);
        Trigger(*form, "LoadFromWeb1");
        QCOMPARE(prompter.Questions().last().kind, Prompter::Kind::Confirmation);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QUINKLE_GUI_TEST(LoadFromWebTest);

}  // namespace
}  // namespace quinkle

#include "LoadFromWebTest.moc"

// The help viewer, keyword help and the Tip Of The Day dialog, driven through the main window's
// commands and keys as a user would.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <memory>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "engine/help/HelpTopics.h"
#include "engine/help/TipList.h"
#include "gui/dialogs/BodyDialog.h"
#include "gui/dialogs/ConfigureDialog.h"
#include "gui/dialogs/HeadDialog.h"
#include "gui/help/HelpCommands.h"
#include "gui/help/HelpWindow.h"
#include "gui/help/TipDialog.h"
#include "gui/widgets/ScriptedPrompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

class HelpCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    static HelpWindow* Viewer(QuinkleForm& form) { return HelpCommands::Of(form).Window(); }

    static void KeywordHelpAt(QuinkleForm& form, const QString& text, int caret) {
        test::SetDocument(form, text, caret);
        QTest::keyClick(form.Memo1(), Qt::Key_F1, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    void everyTopicTheProgramNamesOpensItsPage() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        // The dialogs take their topics from the one table.
        QStringList names;
        for (const ProgramTopic& topic : ProgramTopics()) names << FromStd(topic.Name);
        for (const QString& used :
             {HeadDialog::kHelpTopic, BodyDialog::kHelpTopic, ConfigureDialog::kHelpTopic})
            QVERIFY2(names.contains(used), qPrintable(used));

        for (const ProgramTopic& topic : ProgramTopics()) {
            const QString name = FromStd(topic.Name);
            form->ShowHelpTopic(name);
            HelpWindow* viewer = Viewer(*form);
            QVERIFY(viewer != nullptr);
            QVERIFY(viewer->isVisible());
            QCOMPARE(viewer->CurrentTopic(), name);
            const QString title = FromStd(viewer->Index().Topic(topic.Name)->Title);
            QCOMPARE(viewer->Browser()->documentTitle(), title);
            QVERIFY2(viewer->Browser()->toPlainText().size() > 300, qPrintable(name));
        }
        // A topic the help lacks shows the contents rather than nothing.
        form->ShowHelpTopic(QStringLiteral("No_Such_Topic"));
        QCOMPARE(Viewer(*form)->CurrentTopic(), QStringLiteral("Contents"));
        QCOMPARE(prompter.Questions().size(), 0);

        // A modal dialog's Help button reaches the viewer through the main window, and the
        // viewer comes up usable on top of the dialog until it is closed.
        form->CreateHeadDialog();
        auto* head = form->findChild<HeadDialog*>();
        QVERIFY(head != nullptr);
        bool helpOnTop = false;
        test::WhenModalShown([&](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnHelp")),
                              Qt::LeftButton);
            helpOnTop = QApplication::activeModalWidget() == Viewer(*form);
            Viewer(*form)->close();
            QVERIFY(QApplication::activeModalWidget() == dialog);
            dialog->close();
        });
        form->CreateHead();
        QVERIFY(helpOnTop);
        QCOMPARE(Viewer(*form)->CurrentTopic(), HeadDialog::kHelpTopic);
        // Without a modal dialog the viewer stays an ordinary window beside the editor.
        form->ShowHelpTopic(QStringLiteral("Contents"));
        QCOMPARE(Viewer(*form)->windowModality(), Qt::NonModal);
    }

    void helpMenuCommandsOpenTheViewerWhereTheySay() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        // F1 in the editor is Contents.
        QTest::keyClick(form->Memo1(), Qt::Key_F1);
        QVERIFY(Viewer(*form) != nullptr);
        QCOMPARE(Viewer(*form)->CurrentTopic(), QStringLiteral("Contents"));
        Viewer(*form)->ShowTopic(QStringLiteral("Bookmarks"));

        struct Case {
            const char* Command;
            const char* Topic;
            int Tab;
        };
        for (const Case& c : {Case{"mnuHelp2", "Contents", HelpWindow::ContentsTab},
                              Case{"btnHelp", "Contents", HelpWindow::ContentsTab},
                              Case{"mnuHowToUseHelp", "How_To_Use_Help", -1}}) {
            test::Trigger(*form, c.Command);
            QCOMPARE(Viewer(*form)->CurrentTopic(), QLatin1String(c.Topic));
            if (c.Tab >= 0) QCOMPARE(Viewer(*form)->CurrentTab(), c.Tab);
        }
        HelpWindow* viewer = Viewer(*form);
        auto* keyword = viewer->findChild<QLineEdit*>(QStringLiteral("edKeyword"));
        keyword->setText(QStringLiteral("old"));
        test::Trigger(*form, "mnuSearchForHelpOn");
        QCOMPARE(viewer->CurrentTab(), int(HelpWindow::IndexTab));
        QCOMPARE(keyword->text(), QString());

        // Type-ahead in the index, then Enter opens the keyword's page.
        QTest::keyClicks(keyword, QStringLiteral("TABL"));
        auto* list = viewer->findChild<QListWidget*>(QStringLiteral("lbIndex"));
        QVERIFY(
            list->currentItem()->text().startsWith(QLatin1String("table"), Qt::CaseInsensitive));
        QTest::keyClick(keyword, Qt::Key_Return);
        QCOMPARE(viewer->CurrentTopic(), QStringLiteral("Insert_A_Table_Dialog"));

        // Links between pages, and back and forward through them.
        viewer->Browser()->setSource(QUrl(QStringLiteral("goto.html")));
        QCOMPARE(viewer->CurrentTopic(), QStringLiteral("The_Goto_Dialog"));
        viewer->findChild<QAction*>(QStringLiteral("actBack"))->trigger();
        QCOMPARE(viewer->CurrentTopic(), QStringLiteral("Insert_A_Table_Dialog"));
        viewer->findChild<QAction*>(QStringLiteral("actForward"))->trigger();
        QCOMPARE(viewer->CurrentTopic(), QStringLiteral("The_Goto_Dialog"));

        // The full-text search lists the best page first and opens it when chosen.
        const QStringList found = viewer->Search(QStringLiteral("macro record"));
        QVERIFY(!found.isEmpty());
        QCOMPARE(found.first(), QStringLiteral("Macros"));
        auto* results = viewer->findChild<QListWidget*>(QStringLiteral("lbResults"));
        emit results->itemActivated(results->item(0));
        QCOMPARE(viewer->CurrentTopic(), QStringLiteral("Macros"));

        QCOMPARE(prompter.Questions().size(), 0);

        const QString folder = QCoreApplication::applicationDirPath();
        viewer->ShowTopic(QStringLiteral("The_Configure_Dialog"));
        viewer->resize(900, 620);
        QVERIFY(viewer->grab().save(folder + QStringLiteral("/HelpWindow.png")));
    }

    void keywordHelpOpensTheTopicOfTheWordAtTheCaret() {
        // Nothing to set up: the shipped keyword file serves until the user chooses another.
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        QCOMPARE(form->KeywordHelpFile(), QStringLiteral("help/topics.ini"));

        // Without a keyword help file that exists, Ctrl+F1 does nothing at all.
        form->SetKeywordHelpFile(QStringLiteral("help/missing.ini"));
        KeywordHelpAt(*form, QStringLiteral("<table border=1>"), 3);
        QVERIFY(Viewer(*form) == nullptr);
        QCOMPARE(test::Text(*form), QStringLiteral("<table border=1>"));
        form->SetKeywordHelpFile(QStringLiteral("help/topics.ini"));

        // The keyword file names topics, whose place the contents show; a word it lacks goes
        // to the help's own keyword index.
        struct Case {
            const char* Text;
            int Caret;
            const char* Topic;
            int Tab;
        };
        const int contents = HelpWindow::ContentsTab;
        for (const Case& c : {
                 Case{"<table border=1>", 3, "Insert_A_Table_Dialog", contents},   // in the word
                 Case{"<a href=\"x\">", 7, "The_Insert_A_Link_Dialog", contents},  // after it
                 Case{"<td valign=top>", 1, "Insert_A_Table_Dialog", contents},    // at its start
                 Case{"see the bookmark", 12, "Bookmarks", HelpWindow::IndexTab},
             }) {
            KeywordHelpAt(*form, QLatin1String(c.Text), c.Caret);
            QVERIFY(Viewer(*form) != nullptr);
            QCOMPARE(Viewer(*form)->CurrentTopic(), QLatin1String(c.Topic));
            QCOMPARE(Viewer(*form)->CurrentTab(), c.Tab);
            QCOMPARE(test::Text(*form), QLatin1String(c.Text));  // the key typed nothing
        }
        // A word found nowhere: the index, with the keyword typed in.
        KeywordHelpAt(*form, QStringLiteral("qqqzz"), 2);
        QCOMPARE(Viewer(*form)->CurrentTab(), int(HelpWindow::IndexTab));
        QCOMPARE(Viewer(*form)->findChild<QLineEdit*>(QStringLiteral("edKeyword"))->text(),
                 QStringLiteral("QQQZZ"));
        // A word far longer than a keyword may be is cut, not overrun.
        KeywordHelpAt(*form, QString(500, QLatin1Char('w')), 250);
        QCOMPARE(Viewer(*form)->findChild<QLineEdit*>(QStringLiteral("edKeyword"))->text(),
                 QString(100, QLatin1Char('W')));
        QCOMPARE(prompter.Questions().size(), 0);
    }

    void tipOfTheDayWalksTheTipsAndKeepsItsPlace() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QVERIFY(HelpCommands::Of(*form).Tips() == nullptr);  // not shown at start-up
        test::Trigger(*form, "mnuTipOfTheDay");
        TipDialog* tips = HelpCommands::Of(*form).Tips();
        QVERIFY(tips != nullptr && tips->isVisible());
        const int count = int(tips->Tips().size());
        QVERIFY(count >= 30);
        QCOMPARE(tips->CurrentTip(), 0);
        const QString first = tips->TipText();
        QTest::mouseClick(tips->findChild<QPushButton*>(QStringLiteral("btnPrevious")),
                          Qt::LeftButton);
        QCOMPARE(tips->CurrentTip(), count - 1);
        QTest::mouseClick(tips->findChild<QPushButton*>(QStringLiteral("btnNext")), Qt::LeftButton);
        QTest::mouseClick(tips->findChild<QPushButton*>(QStringLiteral("btnNext")), Qt::LeftButton);
        QCOMPARE(tips->CurrentTip(), 1);
        QVERIFY(tips->TipText() != first);
        QVERIFY(tips->findChild<QLabel*>(QStringLiteral("lblNumber"))
                    ->text()
                    .contains(QStringLiteral("2 of")));
        QVERIFY(tips->grab().save(QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/TipOfTheDay.png")));
        tips->findChild<QCheckBox*>(QStringLiteral("cbShowTips"))->setChecked(true);
        QTest::mouseClick(tips->findChild<QPushButton*>(QStringLiteral("btnClose")),
                          Qt::LeftButton);
        QVERIFY(!tips->isVisible());
        QCOMPARE(Read(form->Settings(), kNextTip), 2);
        QVERIFY(Read(form->Settings(), kShowTipsAtStartup));
        form->close();
        form.reset();

        // The next start shows the tip after the one read last.
        auto again = m_sandbox->Start();
        QVERIFY(again);
        QTRY_VERIFY(HelpCommands::Of(*again).Tips() != nullptr);
        QVERIFY(HelpCommands::Of(*again).Tips()->isVisible());
        QCOMPARE(HelpCommands::Of(*again).Tips()->CurrentTip(), 2);
    }
};

QUINKLE_GUI_TEST(HelpCommandsTest);

}  // namespace
}  // namespace quinkle

#include "HelpCommandsTest.moc"

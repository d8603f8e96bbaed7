// The quick buttons set up through their dialogs and used after a restart, and the Quick File
// Load window over a real folder of pages.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/app/QuickFileLoad.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::SetDocument;
using test::Text;
using test::Trigger;
using test::UndoLabels;

// Sets the named line fields of the dialog, then presses OK.
void FillAndAccept(QWidget* modal, const QList<QPair<QString, QString>>& fields) {
    for (const auto& [name, value] : fields) {
        auto* field = modal->findChild<QLineEdit*>(name);
        QVERIFY2(field != nullptr, qPrintable(name));
        field->setText(value);
    }
    // A PNG of the dialog for a look at its layout, when asked for.
    const QByteArray shots = qgetenv("QUINKLE_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        modal->grab().save(QString::fromLocal8Bit(shots) + QLatin1Char('/') + modal->objectName() +
                           QStringLiteral(".png"));
    modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
}

QStringList Listed(const QuinkleForm& form) {
    auto* list = form.findChild<QListWidget*>(QStringLiteral("flQFileLoad"));
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

class QuickButtonsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    void buttonsSetUpInTheirDialogsInsertAfterARestart() {
        m_sandbox->WriteFile(QStringLiteral("home/header.txt"), "Top\nno final break");
        {
            auto form = m_sandbox->Start();
            QVERIFY(form);
            QVERIFY(!form->Command(QStringLiteral("btnQFormat1"))->isVisible());

            // The hint editor turns its two lines into one field value.
            QString hintField;
            test::WhenModalShown([&](QWidget* modal) {
                test::WhenModalShown([](QWidget* hint) {
                    hint->findChild<QPlainTextEdit*>(QStringLiteral("HintMemo"))
                        ->setPlainText(QStringLiteral("Make it\nbold\n"));
                    hint->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
                });
                modal->findChild<QToolButton*>(QStringLiteral("b1HintButton"))->click();
                hintField = modal->findChild<QLineEdit*>(QStringLiteral("b1Hint"))->text();
                FillAndAccept(modal, {{"b1Text", "Bold"},
                                      {"QText1", "<b>\\n</b>"},
                                      {"b3Text", "Unused"},
                                      {"QText3", ""}});
            });
            Trigger(*form, "btnQFormatConfig");
            QCOMPARE(hintField, QStringLiteral("Make it\\nbold"));
            QVERIFY(form->Command(QStringLiteral("btnQFormat1"))->isVisible());

            test::WhenModalShown([](QWidget* modal) {
                FillAndAccept(modal, {{"b1Text", "Head"},
                                      {"B1Path", "\"header.txt\""},
                                      {"b2Text", "Lost"},
                                      {"B2Path", "missing.txt"}});
            });
            Trigger(*form, "btnAddTextFileConfig");

            // Cancel writes nothing.
            test::WhenModalShown([](QWidget* modal) {
                modal->findChild<QLineEdit*>(QStringLiteral("QText1"))->setText("changed");
                modal->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
            });
            Trigger(*form, "mnuQuickText");
            form->close();
        }

        auto form = m_sandbox->Start();
        QVERIFY(form);
        QAction* bold = form->Command(QStringLiteral("btnQFormat1"));
        QVERIFY(bold->isVisible());
        QCOMPARE(bold->text(), QStringLiteral("Bold"));
        QCOMPARE(bold->toolTip(), QStringLiteral("Make it\nbold"));
        QVERIFY(!form->Command(QStringLiteral("btnQFormat3"))->isVisible());
        QVERIFY(form->Command(QStringLiteral("btnQFile1"))->isVisible());

        // The snippet replaces the selection as it was typed; the file's lines each end in a
        // line break.
        SetDocument(*form, QStringLiteral("a SEL b"), 2, 5);
        Trigger(*form, "btnQFormat1");
        QCOMPARE(Text(*form), QStringLiteral("a <b>\\n</b> b"));
        Trigger(*form, "btnQFile1");
        QCOMPARE(Text(*form), QStringLiteral("a <b>\\n</b>Top\r\nno final break\r\n b"));
        QCOMPARE(UndoLabels(*form),
                 (QStringList{QStringLiteral("Insert Text File"), QStringLiteral("Quick Text")}));

        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Ok);
        Trigger(*form, "btnQFile2");
        QCOMPARE(prompter.Questions().size(), 1);
        QVERIFY(prompter.Questions().at(0).text.startsWith(
            QStringLiteral("File Error: Nothing To Add!")));

        // Read only blocks them like the tag commands.
        form->Command(QStringLiteral("mnuReadOnly"))->trigger();
        const QString before = Text(*form);
        Trigger(*form, "btnQFormat1");
        QCOMPARE(Text(*form), before);
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }

    void quickFileLoadListsTheFolderAndFollowsIt() {
        m_sandbox->WriteFile(QStringLiteral("pages/b.htm"), "<p>b</p>");
        m_sandbox->WriteFile(QStringLiteral("pages/A.txt"), "a");
        m_sandbox->WriteFile(QStringLiteral("pages/pic.png"), "x");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        // Opening a page moves the list to its folder.
        form->OpenDocument(m_sandbox->Path(QStringLiteral("pages/b.htm")), true);
        QTRY_COMPARE(Listed(*form), (QStringList{"A.txt", "b.htm"}));

        m_sandbox->WriteFile(QStringLiteral("pages/new.htm"), "<p>new</p>");
        QTRY_COMPARE(Listed(*form), (QStringList{"A.txt", "b.htm", "new.htm"}));
        Trigger(*form, "ShowAll3");
        QVERIFY(form->findChild<QCheckBox*>(QStringLiteral("cbQFileLoad"))->isChecked());
        QCOMPARE(Listed(*form), (QStringList{"A.txt", "b.htm", "new.htm", "pic.png"}));

        // Loading asks about a modified document first; Cancel keeps it.
        auto* list = form->findChild<QListWidget*>(QStringLiteral("flQFileLoad"));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        test::Type(*form, QStringLiteral("kept"));
        prompter.AnswerButton(Prompter::Cancel);
        list->setCurrentRow(2);
        Trigger(*form, "Load1");
        QCOMPARE(Text(*form), QStringLiteral("kept<p>b</p>"));
        QVERIFY(list->currentItem() == nullptr);
        prompter.AnswerButton(Prompter::No);
        list->setCurrentRow(2);
        Trigger(*form, "Load1");
        QCOMPARE(Text(*form), QStringLiteral("<p>new</p>"));
        QCOMPARE(prompter.UnexpectedCount(), 0);

        // Deleting a listed file takes it off the list.
        list->setCurrentRow(3);
        Trigger(*form, "Delete2");
        QTRY_COMPARE(Listed(*form), (QStringList{"A.txt", "b.htm", "new.htm"}));
    }
};

QUINKLE_GUI_TEST(QuickButtonsTest);

}  // namespace
}  // namespace quinkle

#include "QuickButtonsTest.moc"

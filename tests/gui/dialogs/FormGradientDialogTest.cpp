// The Form and Gradient Text dialogs against a fake host: which input fields each type shows,
// the options count, the gradient's colour list commands, its messages, its files and its
// pop-up menu.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTest.h"
#include "dialogs/FakeInsertHost.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/FormDialog.h"
#include "gui/dialogs/GradientDialog.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::Click;
using test::FakeInsertHost;
using test::Find;

// The dialog saved as a picture in the folder QUINKLE_SCREENSHOTS names, to look at.
void SaveScreenshot(QWidget& dialog, const QString& suffix = QString()) {
    const QString folder = qEnvironmentVariable("QUINKLE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    dialog.grab().save(QDir(folder).filePath(dialog.objectName() + suffix + ".png"));
}

QStringList Entries(QWidget& dialog) {
    QStringList entries;
    auto* list = Find<QListWidget>(dialog, "ListBox1");
    for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
    return entries;
}

QStringList Messages(const ScriptedPrompter& prompter) {
    QStringList messages;
    for (const ScriptedPrompter::Question& question : prompter.Questions()) {
        if (question.ask == ScriptedPrompter::Ask::Message)
            messages << question.title + ": " + question.text;
    }
    return messages;
}

// F1 in the focused control of the active dialog.
void PressF1(QWidget& dialog) {
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_F1);
}

class FormGradientDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Regression: the form page opened on its first radio button, so typing went nowhere.
    void eachPageOpensInItsFirstTextField() {
        FakeInsertHost host;
        FormDialog dialog(host);
        for (const auto& [page, field] :
             {std::pair{FormPage::Form, "eAction"}, std::pair{FormPage::Input, "inpName"},
              std::pair{FormPage::Select, "eName"}}) {
            dialog.ShowPage(page);
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(dialog.focusWidget(), Find<QLineEdit>(dialog, field));
            dialog.hide();
        }
    }

    void inputTypesShowTheirFieldsAndOptionsSetTheDefaultRange() {
        FakeInsertHost host;
        FormDialog dialog(host);
        dialog.ShowPage(FormPage::Input);
        dialog.show();
        struct Row {
            const char* type;
            bool name;
            bool size;
        };
        for (const Row& row : {Row{"rbpassword", true, true}, Row{"rbsubmit", false, false},
                               Row{"rbcheckbox", true, false}, Row{"rbreset", false, false},
                               Row{"rbtext", true, true}, Row{"rbhidden", true, false}}) {
            Find<QRadioButton>(dialog, row.type)->click();
            QCOMPARE(Find<QLineEdit>(dialog, "inpName")->isVisible(), row.name);
            QCOMPARE(Find<QSpinBox>(dialog, "seInsert")->isVisible(), row.name);
            QCOMPARE(Find<QSpinBox>(dialog, "iseSize")->isVisible(), row.size);
            QVERIFY(Find<QLineEdit>(dialog, "inpValue")->isVisible());
        }
        Find<QRadioButton>(dialog, "rbtext")->click();
        SaveScreenshot(dialog, "-input");

        dialog.ShowPage(FormPage::Select);
        auto* label = Find<QLabel>(dialog, "DefOpt");
        auto* defOpt = Find<QSpinBox>(dialog, "seDefOpt");
        QCOMPARE(label->text(), QStringLiteral("Default Option (0-0)"));
        Find<QPlainTextEdit>(dialog, "Opts")->setPlainText(QStringLiteral("red\n\nblue"));
        QCOMPARE(label->text(), QStringLiteral("Default Option (0-3)"));
        defOpt->setValue(9);
        QCOMPARE(defOpt->value(), 3);
        Find<QLineEdit>(dialog, "eName")->setText(QStringLiteral("c"));
        Click(dialog, "btnInsertSelect");
        QCOMPARE(host.insertions.size(), 1);
        QCOMPARE(host.insertions[0].text,
                 QStringLiteral("<select  name=\"c\">\r\n  <option>red\r\n  <option "
                                "selected>blue\r\n</select>\r\n"));
        QCOMPARE(host.insertions[0].code, int(ucFormsSelection));
        // An empty box inserts nothing.
        Find<QPlainTextEdit>(dialog, "Opts")->clear();
        Click(dialog, "btnInsertSelect");
        QCOMPARE(host.insertions.size(), 1);
        SaveScreenshot(dialog, "-select");
        PressF1(dialog);
        QCOMPARE(host.helpTopics, QStringList{QStringLiteral("The_Forms_Dialog")});
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void gradientListCommandsAndTheirMessages() {
        FakeInsertHost host;
        ScriptedPrompter prompter;
        ScopedAppPrompter scoped(prompter);
        GradientDialog dialog(host, nullptr);
        dialog.show();
        QCOMPARE(Entries(dialog), (QStringList{"0000FF", "00FF00", "FF0000"}));
        QVERIFY(dialog.OutputText().contains(
            QStringLiteral("<FONT COLOR=\"#0000FF\">0</FONT><FONT COLOR=\"#0022DD\">1</FONT>")));
        SaveScreenshot(dialog);
        auto* list = Find<QListWidget>(dialog, "ListBox1");

        prompter.AnswerButton(Prompter::Ok);
        Click(dialog, "Button7");  // Modify with nothing selected
        list->setCurrentRow(0);
        Click(dialog, "Button2");  // up on the first: nothing
        Click(dialog, "Button5");
        QCOMPARE(Entries(dialog), (QStringList{"00FF00", "0000FF", "FF0000"}));
        QCOMPARE(list->currentRow(), 1);
        prompter.AnswerColour(QColor(0x12, 0x34, 0x56));
        Click(dialog, "Button1");  // Add
        QCOMPARE(list->currentRow(), 3);
        prompter.AnswerColour(QColor(0xAB, 0xCD, 0xEF));
        Click(dialog, "Button7");  // Modify the added one
        prompter.AnswerColour(QColor(), false);
        Click(dialog, "Button7");  // cancelled: nothing changes, no message
        Click(dialog, "Button8");  // Reverse
        QCOMPARE(Entries(dialog), (QStringList{"ABCDEF", "FF0000", "0000FF", "00FF00"}));

        // Down to one colour: Preview refuses; down to none: generation says so.
        list->setCurrentRow(3);
        Click(dialog, "Button6");
        QCOMPARE(list->currentRow(), 2);
        Click(dialog, "Button6");
        Click(dialog, "Button6");
        QCOMPARE(Entries(dialog), QStringList{"ABCDEF"});
        const QString one = dialog.OutputText();
        prompter.AnswerButton(Prompter::Ok);
        Click(dialog, "Button3");
        QCOMPARE(dialog.OutputText(), one);
        prompter.AnswerButton(Prompter::Ok);
        Click(dialog, "Button6");
        QVERIFY(dialog.OutputText().isEmpty());
        QCOMPARE(Messages(prompter),
                 (QStringList{"error: There is no color selected",
                              "error: I need at least 2 colors to make a gradient!!!",
                              "error: There is no color in the list!"}));
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions()[0].buttons, int(Prompter::Ok | Prompter::Cancel));

        Click(dialog, "Button11");  // nothing to insert
        QVERIFY(host.insertions.isEmpty());
        PressF1(dialog);
        QCOMPARE(host.helpTopics, QStringList{QStringLiteral("The_Gradient_Text_Dialog")});
    }

    void gradientFilesRoundTripAndBadFilesAreRefused() {
        FakeInsertHost host;
        ScriptedPrompter prompter;
        ScopedAppPrompter scoped(prompter);
        GradientDialog dialog(host, nullptr);
        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("rainbow.grd"));
        prompter.AnswerSaveFileName(name);
        Click(dialog, "Button10");
        QFile saved(name);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("0000FF\r\n00FF00\r\nFF0000\r\n"));
        QCOMPARE(prompter.Questions()[0].filter, QStringLiteral("Gradient Files|*.grd"));
        QCOMPARE(prompter.Questions()[0].defaultExtension, QStringLiteral("grd"));

        Click(dialog, "Button8");
        prompter.AnswerOpenFileName(name);
        Click(dialog, "Button9");
        QCOMPARE(Entries(dialog), (QStringList{"0000FF", "00FF00", "FF0000"}));

        const QString bad = folder.filePath(QStringLiteral("bad.grd"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("ff0000\r\nred\r\n");
        file.close();
        Click(dialog, "Button8");
        prompter.AnswerOpenFileName(bad);
        prompter.AnswerButton(Prompter::Ok);
        Click(dialog, "Button9");
        QCOMPARE(Entries(dialog), (QStringList{"FF0000", "00FF00", "0000FF"}));
        QCOMPARE(Messages(prompter).size(), 1);
        QVERIFY(Messages(prompter)[0].contains(QStringLiteral("line 2")));
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QVERIFY(host.remembered.contains("Gradient=" + name));
    }

    void gradientPopupFollowsTheControlUnderTheMouse() {
        FakeInsertHost host;
        GradientDialog dialog(host, nullptr);
        struct Row {
            GradientDialog::Zone zone;
            QStringList enabled;
        };
        const QStringList list{"ModifyColor1", "DeleteColour1", "LoadGradient1", "SaveGradient1",
                               "Exit1"};
        for (const Row& row :
             {Row{GradientDialog::Zone::Colours, list},
              Row{GradientDialog::Zone::Output, {"SelectAll1", "Copytoclipboard1", "Exit1"}},
              Row{GradientDialog::Zone::Preview, {"Backcolor1", "Exit1"}},
              Row{GradientDialog::Zone::Other, {"Exit1"}}}) {
            QStringList enabled;
            for (QAction* action : dialog.PopupFor(row.zone)->actions()) {
                if (!action->isSeparator() && action->isEnabled()) enabled << action->objectName();
            }
            QCOMPARE(enabled, row.enabled);
        }
    }
};

QUINKLE_GUI_TEST(FormGradientDialogTest);

}  // namespace
}  // namespace quinkle

#include "FormGradientDialogTest.moc"

// The Form and Gradient Text commands in the main window: each opens its dialog from its button
// and its menu item, and an Insert puts the text at the caret as one labelled undo step that a
// read-only document refuses.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/dialogs/FormDialog.h"
#include "gui/dialogs/GradientDialog.h"

namespace quinkle {
namespace {

using test::Caret;
using test::Child;
using test::SetDocument;
using test::Text;
using test::Trigger;
using test::UndoLabels;

// The stored length of `text`: the editor keeps each CR LF as one character.
int Stored(const QString& text) {
    return static_cast<int>(text.size() - text.count(QStringLiteral("\r\n")));
}

class FormGradientCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    void formMenuItemsOpenTheirPageModally_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("stepBack");
        QTest::addColumn<QString>("label");
        QTest::newRow("form") << QByteArray("mnuForm") << 0 << "eAction"
                              << "a.cgi"
                              << "btnInsertForm"
                              << "<form method=\"post\"  action=\"a.cgi\">\r\n\r\n</form>\r\n"
                              << 9 << "Forms Tag";
        QTest::newRow("input") << QByteArray("mnuInput") << 1 << "inpName"
                               << "user"
                               << "btnInsertInput"
                               << "<input type=\"hidden\" name=\"user\">\r\n"
                               << 0 << "Forms: Input";
        QTest::newRow("select") << QByteArray("mnuSelect") << 2 << "Opts"
                                << "red\nblue"
                                << "btnInsertSelect"
                                << "<select >\r\n  <option>red\r\n  <option>blue\r\n</select>\r\n"
                                << 0 << "Forms: Selection";
        QTest::newRow("text area") << QByteArray("mnuTextArea") << 3 << "taName"
                                   << "msg"
                                   << "btnInsertTextArea"
                                   << "<textarea  name=\"msg\" rows=1 cols=1></textarea>\r\n"
                                   << 0 << "Forms: TextArea";
    }

    void formMenuItemsOpenTheirPageModally() {
        QFETCH(QByteArray, command);
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, button);
        QFETCH(QString, expected);
        QFETCH(int, stepBack);
        QFETCH(QString, label);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QStringLiteral("ab"), 1, 1);
        QString shown;
        int shownPage = -1;
        test::WhenModalShown([&](QWidget* modal) {
            shown = modal->objectName();
            shownPage = Child<QTabWidget>(*modal, "PageControl1")->currentIndex();
            if (auto* edit = modal->findChild<QLineEdit*>(field)) edit->setText(value);
            if (auto* box = modal->findChild<QPlainTextEdit*>(field)) box->setPlainText(value);
            modal->findChild<QPushButton*>(button)->click();
            Child<QPushButton>(*modal, "btnOK")->click();
        });
        Trigger(*form, command.constData());
        QCOMPARE(shown, QStringLiteral("frmForm"));
        QCOMPARE(shownPage, page);
        QCOMPARE(Text(*form), "a" + expected + "b");
        QCOMPARE(Caret(*form), 1 + Stored(expected) - stepBack);
        QCOMPARE(UndoLabels(*form), QStringList{label});
        Trigger(*form, "mnuUndo");
        QCOMPARE(Text(*form), QStringLiteral("ab"));
    }

    void formButtonShowsAToolWindowThatInsertsSeveralTimes() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QString());
        Trigger(*form, "btnForm");
        auto* dialog = Child<FormDialog>(*form, "frmForm");
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(dialog->Page(), FormPage::Form);
        Child<QPushButton>(*dialog, "btnInsertForm")->click();
        // The caret stands on the empty line inside the form: the next element goes there.
        dialog->ShowPage(FormPage::TextArea);
        Child<QPushButton>(*dialog, "btnInsertTextArea")->click();
        QCOMPARE(Text(*form), QStringLiteral("<form method=\"post\" >\r\n<textarea  rows=1 "
                                             "cols=1></textarea>\r\n\r\n</form>\r\n"));
        QCOMPARE(UndoLabels(*form),
                 (QStringList{QStringLiteral("Forms: TextArea"), QStringLiteral("Forms Tag")}));
        dialog->close();
        // Opened again it keeps its page; read-only refuses the insertion.
        Trigger(*form, "btnForm");
        QCOMPARE(dialog->Page(), FormPage::TextArea);
        Trigger(*form, "mnuReadOnly");
        Child<QPushButton>(*dialog, "btnInsertTextArea")->click();
        QCOMPARE(UndoLabels(*form).size(), 2);
        dialog->close();
    }

    void gradientOpensFromButtonAndMenuAndInserts_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("button") << QByteArray("btnGradText");
        QTest::newRow("menu") << QByteArray("GradientText1");
    }

    void gradientOpensFromButtonAndMenuAndInserts() {
        QFETCH(QByteArray, command);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QStringLiteral("ab"), 1, 1);
        QString shown;
        QString output;
        test::WhenModalShown([&](QWidget* modal) {
            shown = modal->objectName();
            Child<QLineEdit>(*modal, "Edit1")->setText(QStringLiteral("A\u00e9"));
            Child<QPushButton>(*modal, "Button3")->click();
            output = static_cast<GradientDialog*>(modal)->OutputText();
            Child<QPushButton>(*modal, "Button11")->click();
            QVERIFY(modal->isVisible());  // Insert leaves it open
            Child<QPushButton>(*modal, "Button12")->click();
        });
        Trigger(*form, command.constData());
        QCOMPARE(shown, QStringLiteral("frmGradText"));
        QVERIFY(
            output.contains(QStringLiteral("<FONT COLOR=\"#0000FF\">A</FONT>"
                                           "<FONT COLOR=\"#FF0000\">&eacute;</FONT>")));
        QCOMPARE(Text(*form), "a" + output + "b");
        QCOMPARE(Caret(*form), 1 + Stored(output));
        QCOMPARE(UndoLabels(*form), QStringList{QStringLiteral("Gradient Text")});

        Trigger(*form, "mnuReadOnly");
        test::WhenModalShown([](QWidget* modal) {
            Child<QPushButton>(*modal, "Button11")->click();
            Child<QPushButton>(*modal, "Button12")->click();
        });
        Trigger(*form, command.constData());
        QCOMPARE(UndoLabels(*form).size(), 1);
    }
};

QUINKLE_GUI_TEST(FormGradientCommandsTest);

}  // namespace
}  // namespace quinkle

#include "FormGradientCommandsTest.moc"

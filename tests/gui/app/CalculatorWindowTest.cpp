// The calculator tool window opened by the Insert HTML toolbar: keys, keyboard, memory, and its
// result inserted into the document or copied.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "gui/widgets/CalculatorWindow.h"

namespace quinkle {
namespace {

using test::SetDocument;
using test::Text;
using test::Trigger;
using test::UndoLabels;

class CalculatorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    static CalculatorWindow* Window(const QuinkleForm& form) {
        return form.findChild<CalculatorWindow*>(QStringLiteral("CalculatorWindow"));
    }

    // Clicks the keys named in `keys`, separated by blanks ("btnCalc" left off).
    static void Click(CalculatorWindow& window, const QString& keys) {
        for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts)) {
            auto* button = window.findChild<QPushButton*>(QStringLiteral("btnCalc") + key);
            QVERIFY2(button != nullptr, qPrintable(key));
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    void keysAndKeyboardBuildTheExpression_data() {
        QTest::addColumn<QString>("keys");     // clicked first
        QTest::addColumn<QString>("typed");    // then typed, "\n" for Enter
        QTest::addColumn<QString>("upper");    // the expression line afterwards
        QTest::addColumn<QString>("display");  // the value line afterwards
        QTest::newRow("precedence") << "2 Plus 3 Times 4"
                                    << ""
                                    << "2+3×4"
                                    << "14";
        QTest::newRow("result") << "2 Plus 3 Times 4 Equals"
                                << ""
                                << "2+3×4 ="
                                << "14";
        QTest::newRow("typed") << ""
                               << "(2+3)*4\n"
                               << "(2+3)×4 ="
                               << "20";
        QTest::newRow("percent") << ""
                                 << "200-10%="
                                 << "200−10% ="
                                 << "180";
        QTest::newRow("sign and point") << "Point 5 Sign Times 4 Equals"
                                        << ""
                                        << "−0.5×4 ="
                                        << "−2";
        QTest::newRow("operator replaced") << ""
                                           << "6*/2\n"
                                           << "6÷2 ="
                                           << "3";
        QTest::newRow("continue from result") << ""
                                              << "1+2=*10="
                                              << "3×10 ="
                                              << "30";
        QTest::newRow("digit starts anew") << ""
                                           << "1+2=7"
                                           << "7"
                                           << "7";
        QTest::newRow("backspace") << "1 2 3 Back"
                                   << "\b+1"
                                   << "1+1"
                                   << "2";
        QTest::newRow("clear entry") << ""
                                     << "12+34\x7f"
                                        "5="
                                     << "12+5 ="
                                     << "17";
        QTest::newRow("escape clears") << ""
                                       << "12+3\x1b"
                                       << ""
                                       << "0";
        QTest::newRow("divide by zero") << ""
                                        << "5/0\n"
                                        << "5÷0 ="
                                        << "Cannot divide by zero";
        const QString nines(200, u'9');
        QTest::newRow("too large") << "" << nines + "*" + nines + "\n"
                                   << nines + "×" + nines + " ="
                                   << "Number too large";
        QTest::newRow("memory") << "7 MPlus Clear 3 MPlus Clear 2 Times MR Equals"
                                << ""
                                << "2×10 ="
                                << "20";
        QTest::newRow("memory minus") << "4 MMinus Clear 5 Plus MR Equals MC"
                                      << ""
                                      << "5+(−4) ="
                                      << "1";
    }

    void keysAndKeyboardBuildTheExpression() {
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, upper);
        QFETCH(QString, display);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QVERIFY(form->Command(QStringLiteral("btnCalculator"))->isEnabled());
        Trigger(*form, "btnCalculator");
        CalculatorWindow* window = Window(*form);
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        Click(*window, keys);
        for (const QChar c : typed) {
            switch (c.unicode()) {
                case u'\n':
                    QTest::keyClick(window, Qt::Key_Return);
                    break;
                case u'\b':
                    QTest::keyClick(window, Qt::Key_Backspace);
                    break;
                case 0x7f:
                    QTest::keyClick(window, Qt::Key_Delete);
                    break;
                case 0x1b:
                    QTest::keyClick(window, Qt::Key_Escape);
                    break;
                default:
                    QTest::keyClick(window, c.toLatin1());
            }
        }
        QCOMPARE(window->Expression(), upper);
        QCOMPARE(window->Display(), display);
        QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("edCalcDisplay"))->text(), display);
        QVERIFY(window->isVisible());
    }

    void insertIsOneUndoStepAndCopyFillsTheClipboard() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QStringLiteral("<p></p>"), 3);
        Trigger(*form, "btnCalculator");
        CalculatorWindow* window = Window(*form);
        QVERIFY(window != nullptr);
        Click(*window, QStringLiteral("1 Divide 8 Minus 1"));
        Click(*window, QStringLiteral("Insert"));
        QCOMPARE(window->Display(), QStringLiteral("−0.875"));
        // The document gets an ASCII minus and the C locale's point.
        QCOMPARE(Text(*form), QStringLiteral("<p>-0.875</p>"));
        QCOMPARE(form->Memo1()->Editor().Caret(), 9);
        QCOMPARE(UndoLabels(*form), QStringList{QStringLiteral("Calculator")});
        QCOMPARE(form->Memo1()->Editor().UndoLog().OpenGroupCode(), 0);
        Trigger(*form, "mnuUndo");
        QCOMPARE(Text(*form), QStringLiteral("<p></p>"));

        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        Click(*window, QStringLiteral("Times 4 Copy"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("-3.5"));
        // An error is neither inserted nor copied.
        QTest::keyClicks(window, QStringLiteral("1/0"));
        Click(*window, QStringLiteral("Copy Insert"));
        QCOMPARE(window->Display(), QStringLiteral("Cannot divide by zero"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("-3.5"));
        QCOMPARE(Text(*form), QStringLiteral("<p></p>"));

        // The window is kept: the button shows the same one again, and Escape with nothing
        // entered closes it.
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QCOMPARE(window->Display(), QStringLiteral("0"));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        Trigger(*form, "btnCalculator");
        QCOMPARE(Window(*form), window);
        QVERIFY(window->isVisible());
    }
};

QUINKLE_GUI_TEST(CalculatorWindowTest);

}  // namespace
}  // namespace quinkle

#include "CalculatorWindowTest.moc"

// Keyboard macros in the real window: recording typing and a toolbar click into a file,
// playing it into a new document after the window moved, failures half-way, and the Macros
// toolbar's and window's messages.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "engine/store/MacroFile.h"
#include "gui/app/MacroCommands.h"
#include "gui/app/MacroInput.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::ReadFile;
using test::SetDocument;
using test::Text;
using test::Trigger;

class MacrosTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    static QLineEdit* NameBox(const QuinkleForm& form) {
        return form.findChild<QLineEdit*>(QStringLiteral("edMacro"));
    }
    static QListWidget* List(const QuinkleForm& form) {
        return form.findChild<QListWidget*>(QStringLiteral("lbMacros"));
    }
    static QStringList Listed(const QuinkleForm& form) {
        QStringList names;
        for (int i = 0; i < List(form)->count(); ++i) names << List(form)->item(i)->text();
        return names;
    }
    static const MacroRecorder& Recorder(QuinkleForm& form) {
        return MacroCommands::Of(form).Recorder();
    }

    // A click as the window system delivers it, at the middle of `widget`.
    static void Click(QWidget* widget) {
        QWindow* window = widget->window()->windowHandle();
        const QPoint at = window->mapFromGlobal(widget->mapToGlobal(widget->rect().center()));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
    }

    // Keys as the window system delivers them to the window with the focus.
    static void TypeInto(QWindow* window, const QString& text) {
        for (const QChar c : text) QTest::keyClick(window, c.toLatin1());
    }

    static void WaitForPlayback(QuinkleForm& form) {
        QTRY_VERIFY_WITH_TIMEOUT(!Recorder(form).Playing(), 10000);
    }

    QString MacroPath(const QString& name) const {
        return m_sandbox->HomePath() + name + QStringLiteral(".mcr");
    }
    int EventCount(const QString& name) const {
        const std::string bytes = ReadFile(MacroPath(name)).toStdString();
        return int(DecodeMacro(bytes, name.toStdString()).Events.size());
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    void recordedTypingAndClicksPlayBackAfterTheWindowMoved_data() {
        QTest::addColumn<bool>("fast");
        QTest::newRow("recorded timing") << false;
        QTest::newRow("play fast") << true;
    }
    void recordedTypingAndClicksPlayBackAfterTheWindowMoved() {
        QFETCH(bool, fast);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->resize(900, 600);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        QWindow* window = form->windowHandle();
        QCOMPARE(NameBox(*form)->text(), QStringLiteral("No Macros Found"));

        Trigger(*form, "btnRec");
        QCOMPARE(NameBox(*form)->text(), QStringLiteral("Macro1"));
        QCOMPARE(Recorder(*form).State(), MacroState::Recording);
        form->Memo1()->setFocus();
        TypeInto(window, QStringLiteral("Hi "));
        QTest::keyClick(window, Qt::Key_Left, Qt::ShiftModifier);  // selects the blank
        Click(form->findChild<QToolButton*>(QStringLiteral("btnBold")));
        TypeInto(window, QStringLiteral("x!"));
        QTest::keyClick(window, Qt::Key_Return);
        QTest::qWait(30);  // so that the recorded timing has something to wait for
        Click(form->findChild<QToolButton*>(QStringLiteral("btnMStop")));
        QCOMPARE(Recorder(*form).State(), MacroState::Idle);
        const QString recorded = Text(*form);
        QVERIFY2(recorded.startsWith(QStringLiteral("Hi<b> </b>x!\r\n")), qPrintable(recorded));

        const QByteArray bytes = ReadFile(MacroPath(QStringLiteral("Macro1")));
        QCOMPARE(bytes.size() % 20, 0);
        const MacroRecording macro = DecodeMacro(bytes.toStdString(), "Macro1.mcr");
        const std::string bold =
            WidgetPath(form->findChild<QToolButton*>(QStringLiteral("btnBold"))).toStdString();
        QVERIFY(bold.ends_with("/btnBold"));
        QVERIFY(std::find(macro.Windows.begin(), macro.Windows.end(), bold) != macro.Windows.end());
        for (const std::string& name : macro.Windows)
            QVERIFY2(name.find("btnMStop") == std::string::npos, name.c_str());
        QCOMPARE(Listed(*form), QStringList{QStringLiteral("Macro1")});

        prompter.AnswerButton(Prompter::No);  // no saving of the recorded document
        Trigger(*form, "mnuNew");
        QCOMPARE(Text(*form), QString());
        QCOMPARE(prompter.UnexpectedCount(), 0);
        prompter.Clear();
        // The window moves and grows, and the Bold button moves within it.
        auto* boldButton = form->findChild<QToolButton*>(QStringLiteral("btnBold"));
        const QPoint boldWas = boldButton->mapTo(form.get(), QPoint());
        form->move(form->pos() + QPoint(137, 59));
        form->resize(1000, 700);
        for (QToolBar* bar : form->Toolbars()) {
            if (bar->objectName() != QLatin1String("StyleBar")) bar->hide();
        }
        QTRY_VERIFY(boldButton->mapTo(form.get(), QPoint()) != boldWas);
        form->findChild<QCheckBox*>(QStringLiteral("chPlayFast"))->setChecked(fast);
        Trigger(*form, "btnPlay");
        QVERIFY(Recorder(*form).Playing() || Text(*form) == recorded);
        WaitForPlayback(*form);
        QCOMPARE(Text(*form), recorded);
        QVERIFY2(prompter.Questions().isEmpty(), qPrintable(prompter.Transcript()));

        // The whole macro is one step to undo.
        Trigger(*form, "mnuUndo");
        QCOMPARE(Text(*form), QString());
    }

    void aMacroWhoseWindowIsGoneStopsAndUndoesAsOneStep() {
        MacroRecording macro;
        macro.Windows = {"QuinkleForm", "QuinkleForm/NoSuchButton"};
        for (const char c : std::string("ab"))
            for (uint32_t message : {mmKeyDown, mmKeyUp})
                macro.Events.push_back({message, c - 'a' + 'A', c, 0, 1});
        macro.Events.push_back({mmLeftDown, 3, 3, 0, 2});
        macro.Events.push_back({mmKeyDown, 'C', 'c', 0, 1});
        m_sandbox->WriteFile(QStringLiteral("home/Broken.mcr"),
                             QByteArray::fromStdString(EncodeMacro(macro)));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Ok);
        SetDocument(*form, QStringLiteral("<p>"));
        NameBox(*form)->setText(QStringLiteral("Broken"));
        Trigger(*form, "btnPlay");
        WaitForPlayback(*form);
        QCOMPARE(Text(*form), QStringLiteral("<p>ab"));
        QCOMPARE(prompter.UnexpectedCount(), 0);
        const QString message = QStringLiteral(
            "Macro \"Broken\" stopped: the window \"QuinkleForm/NoSuchButton\" is "
            "not there.");
        QCOMPARE(prompter.Questions().at(0).text, message);
        QCOMPARE(form->PanelText(QuinkleForm::PanelMessage), message);
        Trigger(*form, "mnuUndo");
        QCOMPARE(Text(*form), QStringLiteral("<p>"));
    }

    void commandsAnswerWithTheirMessages() {
        m_sandbox->WriteFile(QStringLiteral("home/Keep.mcr"), QByteArray(20, '\0'));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        QCOMPARE(NameBox(*form)->text(), QStringLiteral("Keep"));
        const struct {
            const char* name;
            QString box;
            const char* command;
            QString status;
        } cases[] = {
            {"play without a name", "", "btnPlay", "You will need to enter a macro name first!"},
            {"play the placeholder", "No Macros Found", "btnPlay",
             "Error: Macro - \"No Macros Found\" does not exist."},
            {"play an unknown macro", "Gone", "btnPlay", "Error: Macro - \"Gone\" does not exist."},
            {"delete without a selection", "Keep", "Delete1", "Please Select a Macro First."},
        };
        for (const auto& c : cases) {
            form->SetPanelText(QuinkleForm::PanelMessage, QString());
            NameBox(*form)->setText(c.box);
            Trigger(*form, c.command);
            QCOMPARE(form->PanelText(QuinkleForm::PanelMessage), c.status);
        }
        QVERIFY2(prompter.Questions().isEmpty(), qPrintable(prompter.Transcript()));

        // Recording over an existing macro asks first; No keeps the old file.
        NameBox(*form)->setText(QStringLiteral("Keep"));
        prompter.AnswerButton(Prompter::No);
        Trigger(*form, "btnRec");
        QCOMPARE(prompter.Questions().at(0).text,
                 QStringLiteral("Macro: \"Keep\" Already Exists - OK to overwrite?"));
        QCOMPARE(Recorder(*form).State(), MacroState::Idle);
        QCOMPARE(ReadFile(MacroPath(QStringLiteral("Keep"))).size(), 20);

        // Ctrl+Break ends a recording and keeps what was recorded.
        NameBox(*form)->setText(QString());
        Trigger(*form, "btnRec");
        QCOMPARE(NameBox(*form)->text(), QStringLiteral("Macro1"));
        form->Memo1()->setFocus();
        QTest::keyClick(form->windowHandle(), Qt::Key_Q);
        QTest::keyClick(form->windowHandle(), Qt::Key_Pause, Qt::ControlModifier);
        QCOMPARE(Recorder(*form).State(), MacroState::Idle);
        // Q down and up, and the Ctrl key that came before Break.
        QCOMPARE(EventCount(QStringLiteral("Macro1")), 3);

        // Delete moves the selected file to the trash; Delete All the rest; on the placeholder
        // nothing happens.
        MacroCommands::Of(*form).ReloadMacroList();
        QCOMPARE(Listed(*form), (QStringList{"Keep", "Macro1"}));
        List(*form)->setCurrentRow(1);
        Trigger(*form, "Delete1");
        QCOMPARE(Listed(*form), QStringList{"Keep"});
        QVERIFY(!QFile::exists(MacroPath(QStringLiteral("Macro1"))));
        Trigger(*form, "DeleteAll1");
        QCOMPARE(Listed(*form), QStringList{"No Macros Found"});
        QVERIFY(!QFile::exists(MacroPath(QStringLiteral("Keep"))));
        Trigger(*form, "DeleteAll1");
        QCOMPARE(Listed(*form), QStringList{"No Macros Found"});
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }

    void closingTheProgramWhileRecordingKeepsTheRecording() {
        {
            auto form = m_sandbox->Start();
            QVERIFY(form);
            NameBox(*form)->setText(QStringLiteral("Last"));
            Trigger(*form, "btnRec");
            form->Memo1()->setFocus();
            TypeInto(form->windowHandle(), QStringLiteral("ok"));
        }
        QCOMPARE(EventCount(QStringLiteral("Last")), 4);
    }
};

QUINKLE_GUI_TEST(MacrosTest);

}  // namespace
}  // namespace quinkle

#include "MacrosTest.moc"

// The main window's HTML commands driven through their real buttons, menu items and boxes:
// the text each inserts, where the caret ends, and the one labelled undo step it makes.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTime>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "engine/html/HeadBody.h"
#include "engine/html/TidyCommand.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/ScriptedPrompter.h"
#include "gui/widgets/TextViewer.h"

namespace quinkle {
namespace {

using test::Caret;
using test::Child;
using test::SetDocument;
using test::Text;
using test::Trigger;
using test::UndoLabels;

constexpr const char* kComment = "\r\n<!-- //\r\n       \r\n// -->\r\n";

class TagCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    static bool NothingSelected(const QuinkleForm& form) {
        return form.Memo1()->Editor().SelLength() == 0;
    }

    // The command left one closed undo step with `label`, and Undo gives `before` back.
    static void CheckOneUndoStep(QuinkleForm& form, const QString& label, const QString& before) {
        QCOMPARE(UndoLabels(form), QStringList{label});
        QCOMPARE(form.Memo1()->Editor().UndoLog().OpenGroupCode(), 0);
        Trigger(form, "mnuUndo");
        QCOMPARE(Text(form), before);
        QVERIFY(UndoLabels(form).isEmpty());
    }

    // Nothing was inserted and nothing can be undone.
    static void CheckUnchanged(const QuinkleForm& form, const QString& before) {
        QCOMPARE(Text(form), before);
        QVERIFY(!form.Memo1()->Editor().CanUndo());
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    // ---- wrapping and fixed insertions ----

    void commandsInsertTheirTextAsOneLabelledStep_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("label");
        const auto row = [](const char* name, const char* command, const char* before, int from,
                            int to, const char* after, int caret, const char* label) {
            QTest::newRow(name) << QByteArray(command) << QString::fromUtf8(before) << from << to
                                << QString::fromUtf8(after) << caret << QString::fromUtf8(label);
        };
        // Nothing selected: the caret ends between the tags.
        row("bold, no selection", "btnBold", "", 0, 0, "<b></b>", 3, "Bold");
        row("bold menu, selection", "mnuBold", "x", 0, 1, "<b>x</b>", 8, "Bold");
        row("bold inside a line", "btnBold", "a x b", 2, 3, "a <b>x</b> b", 10, "Bold");
        row("bold, caret inside a line", "btnBold", "ab", 1, 1, "a<b></b>b", 4, "Bold");
        row("italics", "mnuItalics", "", 0, 0, "<i></i>", 3, "Italics");
        row("underline", "btnUnderline", "x", 0, 1, "<u>x</u>", 8, "UnderLine");
        row("blink", "mnuBlink", "", 0, 0, "<blink></blink>", 7, "Blink");
        row("superscript", "mnuSuperscript", "", 0, 0, "<sup></sup>", 5, "Super Script");
        row("subscript", "mnuSubscript", "x", 0, 1, "<sub>x</sub>", 12, "Sub Script");
        row("footnote", "mnuFootNote", "", 0, 0, "<fn></fn>", 4, "Footnote");
        row("paragraph", "Paragraph1", "", 0, 0, "<p></p>", 3, "Paragraph Align");
        row("heading button", "btnH1", "", 0, 0, "<H1></H1>", 4, "Heading");
        row("heading button, selection", "btnH6", "t", 0, 1, "<H6>t</H6>", 10, "Heading");
        row("heading menu", "H31", "", 0, 0, "<H3></H3>", 4, "Heading");
        row("heading menu, selection", "H51", "t", 0, 1, "<H5>t</H5>", 10, "Heading");
        row("align left, selection", "btnAlignLeft", "a", 0, 1, "<p align=left>a</p>", 19,
            "Paragraph Align");
        row("align center", "btnAlignCenter", "", 0, 0, "<p align=center></p>", 16,
            "Paragraph Align");
        row("align right", "btnAlignRight", "", 0, 0, "<p align=right></p>", 15, "Paragraph Align");
        // Fixed insertions replace the selection and leave the caret after the text.
        row("break", "mnuBreak", "ab", 1, 1, "a<br>b", 5, "Break");
        row("break over a selection", "mnuBreak", "axb", 1, 2, "a<br>b", 5, "Break");
        row("wbr", "mnuWBRUse", "", 0, 0, "<wbr>", 5, "WBreak");
        // The comment skeleton leaves the caret on its blank middle line (stored line ends
        // are one character each).
        row("comment", "Comment1", "", 0, 0, kComment, 15, "JS Comment");
        row("comment over a selection", "Comment1", "x", 0, 1, kComment, 24, "JS Comment");
    }

    void commandsInsertTheirTextAsOneLabelledStep() {
        QFETCH(QByteArray, command);
        QFETCH(QString, before);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, after);
        QFETCH(int, caret);
        QFETCH(QString, label);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, before, from, to);
        Trigger(*form, command.constData());
        QCOMPARE(Text(*form), after);
        QCOMPARE(Caret(*form), caret);
        QVERIFY(NothingSelected(*form));
        CheckOneUndoStep(*form, label, before);
    }

    // Bytes that are not UTF-8 in a document that declares no charset are the user's text:
    // the lists and fonts the window builds must not re-encode them.
    void wrappingKeepsTheSelectedBytes_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("list") << QByteArray("btnNList")
                              << QByteArray("a<ol>\r\n <li>\xE9\x81\r\n</ol>\r\nb");
        QTest::newRow("font") << QByteArray("btnAddFont")
                              << QByteArray(
                                     "a<font face=\"Times New Roman\" color=\"#000000\" "
                                     "size=0>\xE9\x81</font>b");
    }

    void wrappingKeepsTheSelectedBytes() {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, after);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SourceEditor& editor = form->Memo1()->Editor();
        editor.SetText(
            "a\xE9\x81"
            "b");
        editor.SetSel(1, 3);
        Trigger(*form, command.constData());
        QCOMPARE(QByteArray::fromStdString(editor.GetText()), after);
    }

    void headingBoxUsesTheChosenHeading() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        auto* box = Child<QComboBox>(*form, "obHeading");
        QVERIFY(box != nullptr);
        QCOMPARE(box->count(), 6);
        QCOMPARE(box->itemText(0), QStringLiteral("<H1>"));
        box->setCurrentIndex(3);
        SetDocument(*form, QStringLiteral("x"), 0, 1);
        // Choosing the next entry with the keyboard is a user's choice: it inserts.
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), QStringLiteral("<H5>"));
        QCOMPARE(Text(*form), QStringLiteral("<H5>x</H5>"));
        CheckOneUndoStep(*form, QStringLiteral("Heading"), QStringLiteral("x"));
    }

    // ---- lists ----

    void listsTakeOneItemPerSelectedLine() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QStringLiteral("one\r\ntwo"), 0, 7);
        Trigger(*form, "btnNList");
        QCOMPARE(Text(*form), QStringLiteral("<ol>\r\n <li>one\r\n <li>two\r\n</ol>\r\n"));
        CheckOneUndoStep(*form, QStringLiteral("Insert List"), QStringLiteral("one\r\ntwo"));

        // Blank lines give no item; a final line break is not doubled.
        const QString lines = QStringLiteral("a\r\n\r\nb\r\n\r\n");
        SetDocument(*form, lines, 0, 8);
        Trigger(*form, "btnBList");
        QCOMPARE(Text(*form), QStringLiteral("<ul>\r\n <li>a\r\n <li>b\r\n</ul>\r\n"));
        QCOMPARE(Caret(*form), 25);  // after the list
        CheckOneUndoStep(*form, QStringLiteral("Insert List"), lines);
    }

    void listsRefuseAnEmptySelection() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        SetDocument(*form, QStringLiteral("text"));
        for (const char* command : {"btnNList", "btnBList"}) {
            prompter.AnswerButton(Prompter::Ok);
            Trigger(*form, command);
        }
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 2);
        for (const auto& question : prompter.Questions()) {
            QCOMPARE(question.kind, Prompter::Kind::Error);
            QCOMPARE(question.text, QStringLiteral("No lines are selected.\nSelect the lines to "
                                                   "make into a list, then press the list button "
                                                   "again."));
        }
        CheckUnchanged(*form, QStringLiteral("text"));
    }

    // ---- the Font toolbar ----

    void fontTakesTheTickedOptions() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        Child<QComboBox>(*form, "cbFont")->setCurrentText(QStringLiteral("Arial"));
        auto* colours = Child<QComboBox>(*form, "cbColour");
        colours->setCurrentIndex(colours->findText(QStringLiteral("Red")));
        QVERIFY(colours->currentIndex() >= 0);
        auto* sizes = Child<QComboBox>(*form, "cbSize");
        QCOMPARE(sizes->count(), 13);
        QCOMPARE(sizes->currentText(), QStringLiteral("0"));
        sizes->setCurrentText(QStringLiteral("2"));

        SetDocument(*form, QStringLiteral("x"), 0, 1);
        Trigger(*form, "btnAddFont");
        const QString all =
            QStringLiteral("<font face=\"Arial\" color=\"#FF0000\" size=2>x</font>");
        QCOMPARE(Text(*form), all);
        QCOMPARE(Caret(*form), all.size());
        CheckOneUndoStep(*form, QStringLiteral("Font"), QStringLiteral("x"));

        // Size alone, nothing selected: the caret goes between the tags.
        Child<QCheckBox>(*form, "chAddFont")->click();
        Child<QCheckBox>(*form, "chAddColour")->click();
        sizes->setCurrentText(QStringLiteral("-3"));
        SetDocument(*form, QString());
        Trigger(*form, "btnAddFont");
        QCOMPARE(Text(*form), QStringLiteral("<font size=-3></font>"));
        QCOMPARE(Caret(*form), 14);
        CheckOneUndoStep(*form, QStringLiteral("Font"), QString());
    }

    void fontWithoutOptionsOnlyShowsANotice() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        for (const char* name : {"chAddFont", "chAddColour", "chAddSize"})
            Child<QCheckBox>(*form, name)->click();
        SetDocument(*form, QStringLiteral("x"), 0, 1);
        Trigger(*form, "btnAddFont");
        QCOMPARE(form->PanelText(QuinkleForm::PanelMessage),
                 QStringLiteral("You must select some Font Options First."));
        QVERIFY(prompter.Questions().isEmpty());
        CheckUnchanged(*form, QStringLiteral("x"));
    }

    // ---- date, WBR and colour ----

    void dateAndTimeAreFramedByBlanks() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        const QLocale locale = QLocale::system();
        for (const char* command : {"btnDate", "mnuDateTime"}) {
            SetDocument(*form, QStringLiteral("x"), 0, 1);
            const QTime from = QTime::currentTime();
            const QDate day = QDate::currentDate();
            Trigger(*form, command);
            const QTime to = QTime::currentTime();
            // The text must be one of the seconds the command may have read.
            QStringList possible;
            for (QTime second = from.addMSecs(-from.msec()); second <= to.addSecs(1);
                 second = second.addSecs(1)) {
                possible << QStringLiteral(" %1 %2 ").arg(
                    locale.toString(day, QLocale::ShortFormat),
                    locale.toString(second, QLocale::LongFormat));
            }
            QVERIFY2(possible.contains(Text(*form)), qPrintable(Text(*form)));
            QCOMPARE(Caret(*form), form->Memo1()->Editor().GetTextLen());
            CheckOneUndoStep(*form, QStringLiteral("Todays Date"), QStringLiteral("x"));
        }
    }

    void wbrUsesItsShortcutAndSetChangesIt() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->Memo1()->setFocus();
        SetDocument(*form, QString());
        QTest::keyClick(form->Memo1(), Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Text(*form), QStringLiteral("<wbr>"));
        QCOMPARE(UndoLabels(*form), QStringList{QStringLiteral("WBreak")});

        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerInput(QStringLiteral("kx"));
        Trigger(*form, "mnuWBRSet");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        const auto& asked = prompter.Questions().at(0);
        QCOMPARE(asked.title, QStringLiteral("Insert <wbr>"));
        QCOMPARE(asked.text, QStringLiteral("For <WBR> Use CTRL+Shift+"));
        QCOMPARE(asked.value, QStringLiteral("#"));
        QCOMPARE(form->Settings().ReadString("Config", "wbr", ""), std::string("k"));
        QCOMPARE(form->WbrKey(), QStringLiteral("k"));
        // A letter means its key: Ctrl+Shift+K now inserts, Ctrl+Shift+U no longer does.
        QCOMPARE(form->Command(QStringLiteral("mnuWBRUse"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
        SetDocument(*form, QString());
        QTest::keyClick(form->Memo1(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Text(*form), QStringLiteral("<wbr>"));

        // The box starts at the stored key; a cancelled or empty answer changes nothing.
        prompter.Clear();
        prompter.AnswerInput(QStringLiteral("z"), false);
        prompter.AnswerInput(QString());
        Trigger(*form, "mnuWBRSet");
        Trigger(*form, "mnuWBRSet");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().at(0).value, QStringLiteral("k"));
        QCOMPARE(form->Settings().ReadString("Config", "wbr", ""), std::string("k"));
        QCOMPARE(form->Command(QStringLiteral("mnuWBRUse"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    }

    void colourComesFromTheColourDialog() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerColour(QColor(255, 0, 0));
        prompter.AnswerColour(QColor(0xFF, 0x00, 0x01));
        prompter.AnswerColour(QColor(0, 0, 255), false);
        SetDocument(*form, QStringLiteral("x"), 0, 1);
        Trigger(*form, "mnuColour");
        QCOMPARE(Text(*form), QStringLiteral("#FF0000"));
        QCOMPARE(UndoLabels(*form), QStringList{QStringLiteral("Colour")});

        SetDocument(*form, QString());
        Trigger(*form, "mnuColour");
        QCOMPARE(Text(*form), QStringLiteral("#FF0001"));
        QCOMPARE(Caret(*form), 7);
        CheckOneUndoStep(*form, QStringLiteral("Colour"), QString());

        Trigger(*form, "mnuColour");  // cancelled
        CheckUnchanged(*form, QString());
        QCOMPARE(prompter.UnexpectedCount(), 0);
        // The dialog starts at the colour chosen last.
        QCOMPARE(prompter.Questions().at(1).colour, QColor(255, 0, 0));
        QCOMPARE(prompter.Questions().at(2).colour, QColor(0xFF, 0x00, 0x01));
    }

    // ---- script: two steps ----

    void scriptWrapsThenCommentsInTwoSteps() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QString());
        Trigger(*form, "Script1");
        const QString open =
            QStringLiteral("<script language=\"JavaScript\" type=\"text/javascript\">");
        const QString close = QStringLiteral("</script>");
        QCOMPARE(Text(*form), open + QLatin1String(kComment) + close);
        QCOMPARE(form->Memo1()->Editor().LineFromChar(Caret(*form)), 2);  // the blank line
        QCOMPARE(UndoLabels(*form),
                 (QStringList{QStringLiteral("JS Comment"), QStringLiteral("JavaScript")}));
        Trigger(*form, "mnuUndo");
        QCOMPARE(Text(*form), open + close);
        Trigger(*form, "mnuUndo");
        QCOMPARE(Text(*form), QString());
    }

    // ---- strip tags ----

    void stripTagsWorksOnTheWholeDocument() {
        const QString before = QStringLiteral("<html>\r\n<b>x</b> y\r\n</html>");
        const QString after = QStringLiteral("\r\nx y\r\n");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, before, 1, 2);  // a selection does not limit the command
        Trigger(*form, "mnuStrip");
        QCOMPARE(Text(*form), after);
        CheckOneUndoStep(*form, QStringLiteral("Strip HTML Tags"), before);
    }

    // ---- outside tools and dialogs ----

    void insertCharacterPastesWhatThePickerCopied() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        SetDocument(*form, QStringLiteral("ab"), 1, 1);
        QString picker;
        test::WhenModalShown([&picker](QWidget* modal) {
            picker = modal->objectName();
            modal->findChild<QLineEdit*>(QStringLiteral("edCopy"))->setText(QStringLiteral("é€"));
            modal->findChild<QPushButton*>(QStringLiteral("btnCopy"))->click();
            modal->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        });
        Trigger(*form, "InsertCharacter1");
        QCOMPARE(picker, QStringLiteral("frmCharacterPicker"));
        QCOMPARE(Text(*form), QStringLiteral("aé€b"));
        QCOMPARE(form->Memo1()->Editor().GetText(), std::string("a\xC3\xA9\xE2\x82\xAC"
                                                                "b"));
        CheckOneUndoStep(*form, QStringLiteral("Paste Char"), QStringLiteral("ab"));

        // Closed without copying: the clipboard did not change, nothing is pasted.
        test::WhenModalShown([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
        Trigger(*form, "InsertCharacter1");
        CheckUnchanged(*form, QStringLiteral("ab"));
    }

    void formatRunsTidyOverTheDocument() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        const std::string tidy = FindTidyProgram(form->ProgramDir().toStdString(),
                                                 qEnvironmentVariable("PATH").toStdString());
        if (tidy.empty()) QSKIP("HTML Tidy (tidy) is not installed; scripts/deps.sh installs it");

        const QString page = QStringLiteral(
            "<html><head><title>t</title></head><body><CENTER>one</CENTER><p>two<p>three "
            "and a line long enough to be wrapped by tidy at its wrap column, which is eighty "
            "characters by default</body></html>");
        SetDocument(*form, page);
        Trigger(*form, "Format1");
        const QString formatted = Text(*form);
        QVERIFY2(formatted != page, qPrintable(formatted));
        QVERIFY(formatted.contains(QStringLiteral("<title>t</title>")));
        QVERIFY(!formatted.contains(QStringLiteral("<center"), Qt::CaseInsensitive));  // -clean
        const QStringList lines = formatted.split(QStringLiteral("\r\n"));
        QVERIFY(lines.size() > 5);
        for (const QString& line : lines) QVERIFY2(line.size() <= 80, qPrintable(line));
        QVERIFY(std::any_of(lines.begin(), lines.end(), [](const QString& line) {
            return line.startsWith(QLatin1String("  one"));  // -i
        }));
        QCOMPARE(Caret(*form), 0);
        QVERIFY(!QFileInfo::exists(form->ProgramDir() + QStringLiteral("$$temp$$.htm")));
        CheckOneUndoStep(*form, QStringLiteral("Source Format"), page);

        // The pop-up menu's item does the same, and bytes of a single-byte charset survive.
        const QByteArray latin2 =
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
            "charset=ISO-8859-2\"><title>t</title></head><body><p>\xB1\xA1\xE6</body></html>";
        const QString path = m_sandbox->WriteFile(QStringLiteral("latin2.htm"), latin2);
        form->OpenDocument(path, false);
        Trigger(*form, "Format2");
        const std::string bytes = form->Memo1()->Editor().GetText();
        QVERIFY2(bytes.find("\xB1\xA1\xE6") != std::string::npos, bytes.c_str());
        QCOMPARE(UndoLabels(*form), QStringList{QStringLiteral("Source Format")});
    }

    void formatShowsTidysErrorLogWhenAsked() {
        m_sandbox->SetConfig("Default Startup", QStringLiteral("0"));
        IniFile ini(m_sandbox->IniPath().toStdString());
        ini.WriteBool("Tidy", "Err Log", true);
        ini.UpdateFile();
        auto form = m_sandbox->Start();
        QVERIFY(form);
        if (FindTidyProgram(form->ProgramDir().toStdString(),
                            qEnvironmentVariable("PATH").toStdString())
                .empty())
            QSKIP("HTML Tidy (tidy) is not installed; scripts/deps.sh installs it");
        SetDocument(*form, QStringLiteral("<p>no head"));
        QString log;
        test::WhenModalShown([&log](QWidget* modal) {
            if (auto* viewer = qobject_cast<TextViewer*>(modal)) log = viewer->Text();
            static_cast<QDialog*>(modal)->accept();
        });
        Trigger(*form, "Format1");
        QVERIFY2(log.contains(QStringLiteral("Warning")), qPrintable(log));
        QCOMPARE(UndoLabels(*form), QStringList{QStringLiteral("Source Format")});
    }

    void headerAndBodyDialogsInsertThroughOk() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QString());
        test::WhenModalShown([](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("frmHead"));
            modal->findChild<QLineEdit*>(QStringLiteral("TitleEdit"))->setText("My Page");
            modal->findChild<QLineEdit*>(QStringLiteral("KeyWEdit"))->setText("a, b");
            modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        Trigger(*form, "btnHead");
        const QString generator = QString::fromStdString(GeneratorText());
        QCOMPARE(Text(*form),
                 QStringLiteral("<head>\r\n<META Name=\"generator\" Content=\"%1\">\r\n"
                                "<META Name=\"keywords\" Content=\"a, b\">\r\n"
                                "<title>My Page</title>\r\n</head>\r\n")
                     .arg(generator));
        CheckOneUndoStep(*form, QStringLiteral("Header"), QString());

        test::WhenModalShown([](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("frmBody"));
            modal->findChild<QLineEdit*>(QStringLiteral("BGCol"))->setText("#123456");
            modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        Trigger(*form, "mnuBody");
        QVERIFY2(Text(*form).startsWith(QStringLiteral("<body bgcolor=\"#123456\"")),
                 qPrintable(Text(*form)));
        QVERIFY(Text(*form).endsWith(QStringLiteral(">\r\n")));
        CheckOneUndoStep(*form, QStringLiteral("Body"), QString());

        // Cancel inserts nothing.
        test::WhenModalShown([](QWidget* modal) {
            modal->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        });
        Trigger(*form, "mnuHeader2");
        CheckUnchanged(*form, QString());
    }

    // ---- the Table, Link, Image and Horizontal Rule dialogs ----

    void htmlDialogsOpenFromButtonAndMenuAndInsertThroughOk_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("label");
        const QString table =
            "<table width=\"100%\" border=0 cellspacing=2>\r\n"
            " <tr>\r\n  <TD>\r\n<!--  Table row:1, col:1  //-->\r\n  </td>\r\n </tr>\r\n"
            " <tr>\r\n  <TD>\r\n<!--  Table row:2, col:1  //-->\r\n  </td>\r\n </tr>\r\n"
            "</table>\r\n";
        const QString link =
            "<a href=\"https://www.example.com/\">Text to Describe the WWW Page.</a>";
        const QString image = "<img src=\"pic.gif\" alt=\"\" align=middle>\r\n";
        // A field of the dialog is set (a spin box to a number, a line edit to a text).
        QTest::newRow("table button")
            << QByteArray("btnInsertTable") << "frmTable" << -1 << "SpinRows"
            << "2" << table << "Table";
        QTest::newRow("table menu") << QByteArray("mnuTable") << "frmTable" << -1 << "SpinRows"
                                    << "2" << table << "Table";
        QTest::newRow("link button") << QByteArray("btnAnchor") << "frmLink" << 0 << ""
                                     << "" << link << "Link";
        QTest::newRow("link menu") << QByteArray("mnuLink2") << "frmLink" << 0 << ""
                                   << "" << link << "Link";
        QTest::newRow("mail menu")
            << QByteArray("mnuMailTo") << "frmLink" << 1 << "EditEMailText"
            << ""
            << "<a href=\"mailto:someone@example.com\">someone@example.com</a>"
            << "Link";
        QTest::newRow("section name menu")
            << QByteArray("mnuSectionName") << "frmLink" << 2 << "EditName"
            << "top"
            << "<a name=\"top\"></a>"
            << "Link";
        QTest::newRow("image button") << QByteArray("btnImage") << "frmImage" << -1 << "edAlt"
                                      << "" << QString() << "";
        QTest::newRow("image menu") << QByteArray("mnuGraphic") << "frmImage" << -1 << "BGGfxEdit"
                                    << "pic.gif" << image << "Insert Image";
        QTest::newRow("rule button") << QByteArray("btnHRule") << "frmHLine" << -1 << "Widthsp"
                                     << "50"
                                     << "<hr width=\"50%\" align=\"Center\">"
                                     << "Horizontal Line";
        QTest::newRow("rule menu") << QByteArray("mnuHorizontalRule") << "frmHLine" << -1 << ""
                                   << ""
                                   << "<hr>"
                                   << "Horizontal Line";
    }

    void htmlDialogsOpenFromButtonAndMenuAndInsertThroughOk() {
        QFETCH(QByteArray, command);
        QFETCH(QString, dialog);
        QFETCH(int, page);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QFETCH(QString, label);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QStringLiteral("ab"), 1, 1);
        QString shown;
        int shownPage = -1;
        test::WhenModalShown([&](QWidget* modal) {
            shown = modal->objectName();
            if (auto* pages = modal->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
                shownPage = pages->currentIndex();
            if (!field.isEmpty()) {
                if (auto* spin = modal->findChild<QSpinBox*>(field)) spin->setValue(value.toInt());
                if (auto* edit = modal->findChild<QLineEdit*>(field)) edit->setText(value);
                if (auto* file = modal->findChild<FileNameEdit*>(field)) file->SetFileName(value);
            }
            modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        Trigger(*form, command.constData());
        QCOMPARE(shown, dialog);
        QCOMPARE(shownPage, page);
        if (expected.isEmpty()) {  // no picture named: nothing inserted
            CheckUnchanged(*form, QStringLiteral("ab"));
            return;
        }
        QCOMPARE(Text(*form), "a" + expected + "b");
        // The caret ends after the text; the editor keeps each line break as one character.
        QCOMPARE(Caret(*form), 1 + expected.size() - expected.count(QStringLiteral("\r\n")));
        QVERIFY(NothingSelected(*form));
        CheckOneUndoStep(*form, label, QStringLiteral("ab"));
    }

    void linkDialogKeepsItsPageAndReadOnlyRefusesTheDialogs() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QString());
        QList<int> pages;
        const auto answer = [&pages](const char* name, const QString& text, const char* button) {
            test::WhenModalShown([&pages, name, text, button](QWidget* modal) {
                pages << modal->findChild<QTabWidget*>(QStringLiteral("PageControl1"))
                             ->currentIndex();
                if (name) modal->findChild<QLineEdit*>(QLatin1String(name))->setText(text);
                modal->findChild<QPushButton*>(QLatin1String(button))->click();
            });
        };
        answer(nullptr, QString(), "btnCancel");
        Trigger(*form, "mnuSectionName");
        answer("EditName", QStringLiteral("end"), "btnOK");
        Trigger(*form, "btnAnchor");  // opens on the page used last
        QCOMPARE(pages, QList<int>({2, 2}));
        QCOMPARE(Text(*form), QStringLiteral("<a name=\"end\"></a>"));

        form->Command(QStringLiteral("mnuReadOnly"))->trigger();
        for (const char* command : {"btnInsertTable", "btnAnchor", "btnHRule"}) {
            test::WhenModalShown([](QWidget* modal) {
                modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
            });
            Trigger(*form, command);
        }
        QCOMPARE(Text(*form), QStringLiteral("<a name=\"end\"></a>"));
        QCOMPARE(UndoLabels(*form), QStringList{QStringLiteral("Link")});
    }
};

QUINKLE_GUI_TEST(TagCommandsTest);

}  // namespace
}  // namespace quinkle

#include "TagCommandsTest.moc"

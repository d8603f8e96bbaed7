// The main window's document driven through its real commands: new documents by the start-up
// setting, open and save with their questions, backups, the modified mark, dropped files,
// deleting to the trash and documents in a single-byte charset.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "engine/html/HeadBody.h"
#include "engine/store/RecentFiles.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::ReadFile;
using test::SetDocument;
using test::Text;
using test::Trigger;
using test::Type;
using test::UndoLabels;

const QString kUntitled = QStringLiteral("(Untitled)");

QString Question(const QString& file) {
    return QStringLiteral("The document %1 has changed.\nDo you want to save the changes?")
        .arg(file);
}

// Line ends as the editor gives them back, whatever the file held.
QString WithCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

class DocumentsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    QString File(const QString& name, const QByteArray& bytes) {
        return m_sandbox->WriteFile(name, bytes);
    }

    static QStringList RecentItems(const QuinkleForm& form) {
        QStringList items;
        for (const std::string& item : form.RecentFiles().Items())
            items << QString::fromStdString(item);
        return items;
    }

    // The recent-file entries of the File menu, as captions.
    static QStringList RecentEntries(const QuinkleForm& form) {
        QStringList captions;
        for (QAction* action : form.findChild<QMenu*>(QStringLiteral("File1"))->actions()) {
            if (action->objectName().startsWith(QLatin1String("MRUList1_")))
                captions << action->text();
        }
        return captions;
    }

    static QString DocPath(QuinkleForm& form) {
        return QString::fromStdString(form.Settings().ReadString("LastPaths", "DocPath", ""));
    }

    static bool Modified(const QuinkleForm& form) { return form.Memo1()->Editor().Modified(); }

    static void MoveToEnd(QuinkleForm& form) {
        form.Memo1()->Editor().MoveCaret(SourceEditor::Move::DocumentEnd, false);
    }

    // Opens `path` through the Open command, as a user would.
    static void OpenThroughDialog(QuinkleForm& form, const QString& path) {
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerOpenFileName(path);
        Trigger(form, "mnuOpen");
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    // ---- new documents ----

    void blankNewDocumentAsksForAModifiedOne() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QCOMPARE(form->DocumentTitle(), kUntitled);
        Type(*form, QStringLiteral("x"));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("(Untitled)*"));

        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Cancel);
        Trigger(*form, "btnNew");
        QCOMPARE(Text(*form), QStringLiteral("x"));
        QVERIFY(Modified(*form));

        prompter.AnswerButton(Prompter::No);
        Trigger(*form, "mnuNew");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 2);
        // An untitled document's name is empty: two blanks in the question.
        QCOMPARE(prompter.Questions().at(0).text, Question(QString()));
        QCOMPARE(prompter.Questions().at(0).kind, Prompter::Kind::Confirmation);
        QCOMPARE(prompter.Questions().at(0).buttons,
                 int(Prompter::Yes | Prompter::No | Prompter::Cancel));
        QCOMPARE(Text(*form), QString());
        QVERIFY(!Modified(*form));
        QCOMPARE(form->DocumentTitle(), kUntitled);
        QCOMPARE(form->CurrentFileName(), QString());
    }

    void minimalDocumentAsksForATitleOnlyAfterStartUp() {
        m_sandbox->SetConfig("Default Startup", QStringLiteral("1"));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QVERIFY2(prompter.Questions().isEmpty(), qPrintable(prompter.Transcript()));
        const QString start = Text(*form);
        QVERIFY(start.startsWith(
            QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n"
                           "<head>\r\n")));
        QVERIFY(start.contains(QStringLiteral("<title>Gererated with %1</title>")
                                   .arg(QString::fromStdString(GeneratorText()))));
        QVERIFY(start.contains(QStringLiteral("</head>\r\n\r\n<body")));
        QVERIFY(start.endsWith(QStringLiteral(">\r\n\r\n\r\n</body>\r\n</html>")));
        QVERIFY(!Modified(*form));
        QCOMPARE(form->DocumentTitle(), kUntitled);

        prompter.AnswerInput(QStringLiteral("Hello"));
        Trigger(*form, "mnuNew");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().at(0).title, QStringLiteral("New Document"));
        QCOMPARE(prompter.Questions().at(0).text,
                 QStringLiteral("Please Enter The Title of your New Document:"));
        QCOMPARE(prompter.Questions().at(0).value, QString());
        QVERIFY(Text(*form).contains(QStringLiteral("<title>Hello</title>")));
        QVERIFY(!Modified(*form));

        // The body tag takes the Body dialog's current fields.
        test::WhenModalShown([](QWidget* modal) {
            modal->findChild<QLineEdit*>(QStringLiteral("BGCol"))->setText("#123456");
            modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        Trigger(*form, "btnBody");
        prompter.AnswerButton(Prompter::No);
        prompter.AnswerInput(QString());
        Trigger(*form, "mnuNew");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QVERIFY2(Text(*form).contains(QStringLiteral("</head>\r\n\r\n<body bgcolor=\"#123456\"")),
                 qPrintable(Text(*form)));
    }

    void defaultTxtIsATemplate() {
        m_sandbox->SetConfig("Default Startup", QStringLiteral("2"));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        const QString templatePath = form->ProgramDir() + QStringLiteral("default.txt");
        const QByteArray original = ReadFile(templatePath);
        QVERIFY2(!original.isEmpty(), "the program folder is seeded with default.txt");
        QCOMPARE(Text(*form), WithCrLf(QString::fromUtf8(original)));
        QCOMPARE(form->CurrentFileName(), QString());
        QCOMPARE(form->DocumentTitle(), kUntitled);

        // Save asks for a name: the template is never overwritten.
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerSaveFileName(QString(), false);
        Type(*form, QStringLiteral("x"));
        Trigger(*form, "btnSave");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(ReadFile(templatePath), original);
        QVERIFY(Modified(*form));
    }

    void startFileKeepsItsName() {
        const QString start = File(QStringLiteral("start.htm"), "start");
        m_sandbox->SetConfig("Default Startup", QStringLiteral("3"));
        m_sandbox->SetConfig("Start File", start);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QCOMPARE(Text(*form), QStringLiteral("start"));
        QCOMPARE(form->DocumentTitle(), kUntitled);
        QCOMPARE(form->CurrentFileName(), start);

        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        MoveToEnd(*form);
        Type(*form, QStringLiteral("ed"));
        Trigger(*form, "mnuSave");
        QVERIFY2(prompter.Questions().isEmpty(), qPrintable(prompter.Transcript()));
        QCOMPARE(ReadFile(start), QByteArray("started"));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("start.htm"));
    }

    void missingStartDocumentGivesAMinimalOne() {
        // A start file that is gone.
        const QString missing = m_sandbox->HomePath() + QStringLiteral("/gone.htm");
        m_sandbox->SetConfig("Default Startup", QStringLiteral("3"));
        m_sandbox->SetConfig("Start File", missing);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Ok);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 1);  // no title question during start-up
        QCOMPARE(prompter.Questions().at(0).kind, Prompter::Kind::Error);
        QCOMPARE(prompter.Questions().at(0).text,
                 QStringLiteral("File Error: \"%1\"\nMust Exist, using Minimal Doc instead.")
                     .arg(missing));
        QVERIFY(Text(*form).startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC")));
        QCOMPARE(form->CurrentFileName(), QString());
        QCOMPARE(form->Settings().ReadInteger("Config", "Default Startup", -1), 3);

        // After start-up the minimal document asks for its title.
        prompter.Clear();
        prompter.AnswerButton(Prompter::Ok);
        prompter.AnswerInput(QStringLiteral("T"));
        Trigger(*form, "mnuNew");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QVERIFY(Text(*form).contains(QStringLiteral("<title>T</title>")));
        QCOMPARE(form->Settings().ReadInteger("Config", "Default Startup", -1), 3);
        QVERIFY(form->close());
        QCOMPARE(IniFile(m_sandbox->IniPath().toStdString())
                     .ReadInteger("Config", "Default Startup", -1),
                 3);
    }

    // ---- open and save ----

    void openStartsInTheRememberedFolder() {
        const QString page = File(QStringLiteral("web/page.htm"), "<p>page</p>");
        const QString other = File(QStringLiteral("more/other.txt"), "other");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerOpenFileName(page);
        Trigger(*form, "btnOpen");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        const auto& asked = prompter.Questions().at(0);
        QCOMPARE(asked.filter,
                 QStringLiteral("HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;"
                                "*.shtml|Text Files (*.txt)|*.txt|Rich Text Files (*.rtf)|*.rtf|"
                                "All Files (*.*)|*.*"));
        QCOMPARE(asked.value, form->ProgramDir());  // nothing remembered yet
        QCOMPARE(Text(*form), QStringLiteral("<p>page</p>"));
        QCOMPARE(form->CurrentFileName(), page);
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("HTML Quinkle - page.htm"));
        QVERIFY(!Modified(*form));
        QCOMPARE(DocPath(*form), QFileInfo(page).absolutePath() + QLatin1Char('/'));
        QCOMPARE(RecentItems(*form), QStringList{page});

        prompter.Clear();
        prompter.AnswerOpenFileName(other);
        Trigger(*form, "mnuOpen");
        QCOMPARE(prompter.Questions().at(0).value, QFileInfo(page).absolutePath() + "/");
        QCOMPARE(DocPath(*form), QFileInfo(other).absolutePath() + QLatin1Char('/'));

        // A modified document is asked about first; Cancel stops before the dialog.
        Type(*form, QStringLiteral("x"));
        prompter.Clear();
        prompter.AnswerButton(Prompter::Cancel);
        Trigger(*form, "mnuOpen");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(prompter.Questions().at(0).text, Question(other));
        QCOMPARE(Text(*form), QStringLiteral("xother"));
    }

    void saveWritesOnlyAModifiedDocument() {
        const QString page = File(QStringLiteral("page.htm"), "page");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        Trigger(*form, "btnSave");  // untitled and unmodified: not even the dialog
        QVERIFY(prompter.Questions().isEmpty());

        form->OpenDocument(page, true);
        File(QStringLiteral("page.htm"), "changed elsewhere");
        Trigger(*form, "mnuSave");
        QVERIFY(prompter.Questions().isEmpty());
        QCOMPARE(ReadFile(page), QByteArray("changed elsewhere"));

        Type(*form, QStringLiteral("my "));
        Trigger(*form, "mnuSave");
        QVERIFY(prompter.Questions().isEmpty());
        QCOMPARE(ReadFile(page), QByteArray("my page"));
        QVERIFY(!Modified(*form));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm"));
    }

    void saveAsNamesTheDocument() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        const QString named = m_sandbox->Path(QStringLiteral("site/new.htm"));
        QVERIFY(QDir().mkpath(QFileInfo(named).absolutePath()));
        Type(*form, QStringLiteral("hello"));
        prompter.AnswerSaveFileName(named);
        Trigger(*form, "btnSave");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().at(0).filter,
                 QStringLiteral("HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;"
                                "*.shtml|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
        QCOMPARE(ReadFile(named), QByteArray("hello"));
        QCOMPARE(form->CurrentFileName(), named);
        QCOMPARE(form->DocumentTitle(), QStringLiteral("new.htm"));
        QVERIFY(!Modified(*form));
        QCOMPARE(DocPath(*form), QFileInfo(named).absolutePath() + QLatin1Char('/'));
        QCOMPARE(RecentItems(*form), QStringList{named});

        // Save As on a named document starts at its name; a cancelled dialog saves nothing.
        const QString copy = m_sandbox->Path(QStringLiteral("copy.htm"));
        prompter.Clear();
        prompter.AnswerSaveFileName(QString(), false);
        prompter.AnswerSaveFileName(copy);
        Trigger(*form, "mnuSaveAs");
        QCOMPARE(form->CurrentFileName(), named);
        Trigger(*form, "mnuSaveAs");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().at(0).value, named);
        QCOMPARE(ReadFile(copy), QByteArray("hello"));
        QCOMPARE(form->CurrentFileName(), copy);
        QCOMPARE(RecentItems(*form), (QStringList{copy, named}));
    }

    void formattedSaveKeepsItsFormatForLaterSaves() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        const QString rtf = m_sandbox->Path(QStringLiteral("page.rtf"));
        Type(*form, QStringLiteral("one"));
        prompter.AnswerSaveFileName(rtf);
        Trigger(*form, "AsRTF");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QVERIFY(prompter.Questions().at(0).filter.startsWith(
            QStringLiteral("Rich Text Files (*.rtf)|*.rtf|HTML Files (")));
        QVERIFY(ReadFile(rtf).startsWith("{\\rtf"));
        Type(*form, QStringLiteral(" two"));
        Trigger(*form, "mnuSave");
        QVERIFY(ReadFile(rtf).startsWith("{\\rtf"));
        QVERIFY(ReadFile(rtf).contains("one two"));

        const QString html = m_sandbox->Path(QStringLiteral("page.html"));
        prompter.AnswerSaveFileName(html);
        Trigger(*form, "asHTML");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        const QByteArray first = ReadFile(html);
        QVERIFY2(first.startsWith("<pre") && first.contains("one two</span>"), first.constData());
        Type(*form, QStringLiteral(" three"));
        Trigger(*form, "btnSave");
        const QByteArray second = ReadFile(html);
        QVERIFY2(second.startsWith("<pre") && second.contains("one two three</span>"),
                 second.constData());
    }

    void formattedSaveWritesTheActiveSchemesColours() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        Type(*form, QStringLiteral("<b>bold</b> &amp;"));
        const QString html = m_sandbox->Path(QStringLiteral("styled.html"));
        prompter.AnswerSaveFileName(html);
        Trigger(*form, "asHTML");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        // The HTML scheme paints tags navy and entities bold italic.
        const QByteArray text = ReadFile(html);
        QVERIFY2(text.contains("<span style=\"color:#000080;background:#FFFFFF\">&lt;b&gt;"),
                 text.constData());
        QVERIFY2(text.contains("font-weight:bold;font-style:italic\">&amp;amp;"), text.constData());

        const QString rtf = m_sandbox->Path(QStringLiteral("styled.rtf"));
        prompter.AnswerSaveFileName(rtf);
        Trigger(*form, "AsRTF");
        QVERIFY(ReadFile(rtf).contains("{\\colortbl;"));
    }

    void askSaveChangesSavesANamedDocument() {
        const QString page = File(QStringLiteral("page.htm"), "page");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(page, true);
        Type(*form, QStringLiteral("new "));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Yes);
        Trigger(*form, "mnuNew");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().at(0).text, Question(page));
        QCOMPARE(ReadFile(page), QByteArray("new page"));
        QCOMPARE(Text(*form), QString());
        QCOMPARE(form->CurrentFileName(), QString());

        // Yes on an untitled document asks for a name; cancelling that keeps the document.
        Type(*form, QStringLiteral("keep"));
        prompter.AnswerButton(Prompter::Yes);
        prompter.AnswerSaveFileName(QString(), false);
        Trigger(*form, "mnuNew");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(Text(*form), QStringLiteral("keep"));
        QVERIFY(Modified(*form));
    }

    void backupKeepsThePreviousVersion() {
        const QString page = File(QStringLiteral("index.html"), "old");
        const QString bare = File(QStringLiteral("readme"), "read");
        m_sandbox->SetConfig("Backups", QStringLiteral("0"));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(page, true);
        Type(*form, QStringLiteral("new"));
        Trigger(*form, "mnuSave");
        const QString backup = m_sandbox->Path(QStringLiteral("index.~html"));
        QCOMPARE(ReadFile(backup), QByteArray("old"));
        QCOMPARE(ReadFile(page), QByteArray("newold"));
        Type(*form, QStringLiteral("!"));
        Trigger(*form, "mnuSave");
        QCOMPARE(ReadFile(backup), QByteArray("newold"));
        QCOMPARE(ReadFile(page), QByteArray("new!old"));

        form->OpenDocument(bare, true);
        Type(*form, QStringLiteral("I "));
        Trigger(*form, "mnuSave");
        QCOMPARE(ReadFile(m_sandbox->Path(QStringLiteral("readme~"))), QByteArray("read"));
        // Nothing else is left in the folder.
        QStringList names = QDir(m_sandbox->Path(QStringLiteral("."))).entryList(QDir::Files);
        QCOMPARE(names, (QStringList{"index.html", "index.~html", "readme", "readme~"}));
    }

    void withoutBackupsNoCopyIsKept() {
        const QString page = File(QStringLiteral("files/index.html"), "old");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(page, true);
        Type(*form, QStringLiteral("new"));
        Trigger(*form, "mnuSave");
        QCOMPARE(QDir(QFileInfo(page).absolutePath()).entryList(QDir::Files),
                 QStringList{QStringLiteral("index.html")});
    }

    void modifiedMarkFollowsTheDocument() {
        const QString page = File(QStringLiteral("page.htm"), "page");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(page, true);
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm"));
        Type(*form, QStringLiteral("a"));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm*"));
        Type(*form, QStringLiteral("b"));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm*"));
        QCOMPARE(form->windowTitle(), QStringLiteral("HTML Quinkle - page.htm*"));
        Trigger(*form, "mnuSave");
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm"));
        // A tag command marks the document too.
        Trigger(*form, "btnBold");
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm*"));
    }

    void countCharsCountsLineBreaksAsTwo() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        Type(*form, QStringLiteral("ab"));
        QTest::keyClick(form->Memo1(), Qt::Key_Return);
        Type(*form, QStringLiteral("cd"));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Ok);
        Trigger(*form, "mnuCountChars");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().at(0).kind, Prompter::Kind::Information);
        QCOMPARE(prompter.Questions().at(0).buttons, int(Prompter::Ok));
        QCOMPARE(prompter.Questions().at(0).text, QStringLiteral("The text has 6 characters."));
    }

    // ---- recent files ----

    void recentFilesListNewestFirst() {
        const QString a = File(QStringLiteral("a.htm"), "a");
        const QString b = File(QStringLiteral("b.htm"), "b");
        const QString c = File(QStringLiteral("c.htm"), "c");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QVERIFY(RecentEntries(*form).isEmpty());
        for (const QString& path : {a, b, c, a}) OpenThroughDialog(*form, path);
        QCOMPARE(RecentItems(*form), (QStringList{a, c, b}));
        QCOMPARE(RecentEntries(*form), (QStringList{"&1 " + a, "&2 " + c, "&3 " + b}));
        // The entries sit before the separator above Exit, followed by the two fixed items.
        QStringList names;
        for (QAction* action : form->findChild<QMenu*>(QStringLiteral("File1"))->actions())
            names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(names.mid(names.indexOf(QStringLiteral("mnuPrint"))),
                 (QStringList{"mnuPrint", "-", "MRUList1_1", "MRUList1_2", "MRUList1_3",
                              "ClearMRUList1", "RemoveObsolete1", "-", "mnuExit"}));

        // One file spelt in another case is one entry; the new spelling goes to the top.
        const QString upper = m_sandbox->Path(QStringLiteral("C.HTM"));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerSaveFileName(upper);
        Trigger(*form, "mnuSaveAs");
        QCOMPARE(RecentItems(*form), (QStringList{upper, a, b}));

        // Choosing an entry replaces even a modified document without a question.
        Type(*form, QStringLiteral("lost"));
        Trigger(*form, "MRUList1_3");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(Text(*form), QStringLiteral("b"));
        QCOMPARE(RecentItems(*form), (QStringList{b, upper, a}));

        form->SetRecentFilesMax(2);
        QCOMPARE(RecentEntries(*form).size(), 2);
        OpenThroughDialog(*form, c);
        QCOMPARE(RecentItems(*form), (QStringList{c, b}));
    }

    void recentFilesSurviveARestartAndCanBeCleaned() {
        const QString a = File(QStringLiteral("a.htm"), "a");
        const QString b = File(QStringLiteral("b.htm"), "b");
        {
            auto form = m_sandbox->Start();
            QVERIFY(form);
            OpenThroughDialog(*form, a);
            OpenThroughDialog(*form, b);
            QVERIFY(form->close());
        }
        QVERIFY(QFile::remove(b));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        QCOMPARE(RecentItems(*form), (QStringList{b, a}));
        Trigger(*form, "RemoveObsolete1");
        QCOMPARE(RecentItems(*form), QStringList{a});
        QCOMPARE(RecentEntries(*form), QStringList{"&1 " + a});
        Trigger(*form, "ClearMRUList1");
        QVERIFY(RecentItems(*form).isEmpty());
        QVERIFY(RecentEntries(*form).isEmpty());
        QVERIFY(form->close());
        form.reset();

        auto again = m_sandbox->Start();
        QVERIFY(again);
        QVERIFY(RecentItems(*again).isEmpty());
    }

    // ---- dropped files ----

    void oneDroppedFileOpensAnUnmodifiedDocument() {
        const QString page = File(QStringLiteral("page.htm"), "dropped");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        emit form->Memo1()->FilesDropped({page});
        QVERIFY(prompter.Questions().isEmpty());
        QCOMPARE(Text(*form), QStringLiteral("dropped"));
        QCOMPARE(form->CurrentFileName(), page);
        QCOMPARE(RecentItems(*form), QStringList{page});

        // Several files always ask; No opens the first.
        const QString other = File(QStringLiteral("other.htm"), "other");
        prompter.AnswerButton(Prompter::No);
        emit form->Memo1()->FilesDropped({other, page});
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(Text(*form), QStringLiteral("other"));
    }

    void droppedShortcutsBecomeLinksWhenTheDocumentStays() {
        const QString link = File(QStringLiteral("Example.url"),
                                  "[InternetShortcut]\r\nURL=http://example.com/\r\n");
        const QString broken = File(QStringLiteral("Broken.URL"), "[InternetShortcut]\r\n");
        const QString page = File(QStringLiteral("page.htm"), "page");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        Type(*form, QStringLiteral("x"));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Cancel);
        emit form->Memo1()->FilesDropped({link});
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(Text(*form),
                 QStringLiteral("x<a href=\"http://example.com/\">Example</a><br>\r\n"));
        QCOMPARE(UndoLabels(*form),
                 (QStringList{QStringLiteral("Drag && Drop"), QStringLiteral("Typing")}));

        // A shortcut without an address leaves a break and a notice; other files add nothing.
        SetDocument(*form, QStringLiteral("y"));
        Type(*form, QStringLiteral("z"));
        prompter.AnswerButton(Prompter::Cancel);
        emit form->Memo1()->FilesDropped({broken, page});
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(Text(*form), QStringLiteral("yz<br>\r\n"));
        QCOMPARE(form->PanelText(QuinkleForm::PanelMessage),
                 QStringLiteral("File Error:  %1").arg(broken));
        QCOMPARE(form->CurrentFileName(), QString());
    }

    // ---- delete ----

    void deleteMovesTheFileToTheTrash() {
        const QString page = File(QStringLiteral("gone.htm"), "gone");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(page, true);
        Type(*form, QStringLiteral("edited "));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);

        // A refused question keeps the file, the text and its changes.
        prompter.AnswerButton(Prompter::No);
        Trigger(*form, "mnuDelete");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(ReadFile(page), QByteArray("gone"));
        QCOMPARE(Text(*form), QStringLiteral("edited gone"));
        QVERIFY(Modified(*form));
        QCOMPARE(form->CurrentFileName(), page);

        prompter.AnswerButton(Prompter::Yes);
        Trigger(*form, "mnuDelete");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 2);  // the changes are not asked about
        QVERIFY(!QFileInfo::exists(page));
        const QString trash = m_sandbox->Path(QStringLiteral("data/Trash"));
        QCOMPARE(ReadFile(trash + QStringLiteral("/files/gone.htm")), QByteArray("gone"));
        QVERIFY(QFileInfo::exists(trash + QStringLiteral("/info/gone.htm.trashinfo")));
        // Nothing is filed beside the document, even though the data folder did not exist.
        QCOMPARE(QDir(QFileInfo(page).absolutePath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"cfg", "data", "home"}));
        QCOMPARE(Text(*form), QString());
        QVERIFY(!Modified(*form));
        QCOMPARE(form->CurrentFileName(), QString());
        QCOMPARE(form->DocumentTitle(), kUntitled);

        // An untitled document has no file: Delete only starts a new document.
        Trigger(*form, "mnuDelete");
        QCOMPARE(prompter.Questions().size(), 2);
    }

    // ---- a document in ISO-8859-2 ----

    void latinTwoDocumentKeepsItsBytes() {
        const QByteArray original =
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
            "charset=iso-8859-2\"></head><body>\xA1\xE6 \xF3</body></html>";
        const QString page = File(QStringLiteral("latin2.htm"), original);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(page, true);
        QCOMPARE(form->DocumentCharset(), Charset::Iso8859_2);
        QVERIFY(Text(*form).contains(QStringLiteral("<body>Ąć ó</body>")));

        // Typed letters take the charset's bytes; one it lacks becomes a reference.
        MoveToEnd(*form);
        Type(*form, QStringLiteral("ą€"));
        QVERIFY(Text(*form).endsWith(QStringLiteral("</html>ą&#8364;")));
        // So does a character the picker leaves on the clipboard.
        test::WhenModalShown([](QWidget* modal) {
            modal->findChild<QLineEdit*>(QStringLiteral("edCopy"))->setText(QStringLiteral("ę"));
            modal->findChild<QPushButton*>(QStringLiteral("btnCopy"))->click();
            modal->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        });
        Trigger(*form, "InsertCharacter1");
        Trigger(*form, "mnuSave");
        QCOMPARE(ReadFile(page), original + "\xB1&#8364;\xEA");
        QVERIFY(!Modified(*form));
        QCOMPARE(form->DocumentCharset(), Charset::Iso8859_2);
    }
};

QUINKLE_GUI_TEST(DocumentsTest);

}  // namespace
}  // namespace quinkle

#include "DocumentsTest.moc"

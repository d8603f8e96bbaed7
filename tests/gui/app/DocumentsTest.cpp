// The main window's side of the document, driven through its real commands: each control
// reaches the document, the title and its modified mark, the recent-files menu, dropped files,
// the desktop's trash, the scheme's colours in formatted saves and typing in a single-byte
// charset. The life cycle itself is tested headless with the engine's Document.
#include <QApplication>
#include <QComboBox>
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

    // ---- the commands reach the document; the window shows it ----

    void fileCommandsReachTheDocument() {
        const QString page = File(QStringLiteral("web/page.htm"), "page");
        const QString copy = m_sandbox->Path(QStringLiteral("copy.htm"));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        for (const char* open : {"btnOpen", "mnuOpen"}) {
            prompter.AnswerOpenFileName(page);
            Trigger(*form, open);
            QCOMPARE(Text(*form), QStringLiteral("page"));
            QCOMPARE(form->CurrentFileName(), page);
            QCOMPARE(form->windowTitle(), QStringLiteral("HTML Quinkle - page.htm"));
        }
        for (const char* save : {"btnSave", "mnuSave"}) {
            Type(*form, QStringLiteral("x"));
            Trigger(*form, save);
            QVERIFY(!Modified(*form));
        }
        QCOMPARE(ReadFile(page), QByteArray("xxpage"));
        prompter.AnswerSaveFileName(copy);
        Trigger(*form, "mnuSaveAs");
        QCOMPARE(ReadFile(copy), QByteArray("xxpage"));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("copy.htm"));
        for (const char* makeNew : {"btnNew", "mnuNew"}) {
            Type(*form, QStringLiteral("y"));
            prompter.AnswerButton(Prompter::No);
            Trigger(*form, makeNew);
            QCOMPARE(Text(*form), QString());
            QCOMPARE(form->DocumentTitle(), kUntitled);
        }
        QCOMPARE(prompter.UnexpectedCount(), 0);
        // The questions come through the program's Prompter as the document words them.
        QCOMPARE(prompter.Questions().last().kind, Prompter::Kind::Confirmation);
        QCOMPARE(prompter.Questions().last().title, QStringLiteral("HTML Quinkle"));
        QCOMPARE(prompter.Questions().last().text, Question(QStringLiteral("Untitled")));
    }

    void newDocumentTakesTheKeyboardFocus() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        // The focus is elsewhere, as after using a toolbar box.
        auto* fontBox = form->findChild<QComboBox*>(QStringLiteral("cbFont"));
        QVERIFY(fontBox);
        fontBox->setFocus();
        QTRY_VERIFY(fontBox->hasFocus());
        Trigger(*form, "mnuNew");
        QTRY_VERIFY(form->Memo1()->hasFocus());
        QCOMPARE(QApplication::focusWidget(), form->Memo1());
    }

    void defaultTxtComesFromTheProgramFolder() {
        m_sandbox->SetConfig("Default Startup", QStringLiteral("2"));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        const QByteArray original = ReadFile(form->ProgramDir() + QStringLiteral("default.txt"));
        QVERIFY2(!original.isEmpty(), "the program folder is seeded with default.txt");
        QCOMPARE(Text(*form), WithCrLf(QString::fromUtf8(original)));
        QCOMPARE(form->CurrentFileName(), QString());
        QCOMPARE(form->DocumentTitle(), kUntitled);
    }

    void minimalDocumentTakesTheBodyDialogsFields() {
        m_sandbox->SetConfig("Default Startup", QStringLiteral("1"));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        // No title question while the program starts.
        QVERIFY2(prompter.Questions().isEmpty(), qPrintable(prompter.Transcript()));
        test::WhenModalShown([](QWidget* modal) {
            modal->findChild<QLineEdit*>(QStringLiteral("BGCol"))->setText("#123456");
            modal->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        Trigger(*form, "btnBody");
        prompter.AnswerButton(Prompter::No);
        prompter.AnswerInput(QStringLiteral("Hello"));
        Trigger(*form, "mnuNew");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QVERIFY(Text(*form).contains(QStringLiteral("<title>Hello</title>")));
        QVERIFY2(Text(*form).contains(QStringLiteral("</head>\r\n\r\n<body bgcolor=\"#123456\"")),
                 qPrintable(Text(*form)));
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
        // Undo and redo take the mark away where they reach the saved text.
        Trigger(*form, "mnuUndo");
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm"));
        Trigger(*form, "mnuUndo");  // past the save
        QCOMPARE(form->windowTitle(), QStringLiteral("HTML Quinkle - page.htm*"));
        Trigger(*form, "mnuRedo");
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm"));
        Trigger(*form, "mnuRedo");
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

        // Choosing an entry asks about a modified document first; Cancel keeps it.
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        Type(*form, QStringLiteral("kept "));
        prompter.AnswerButton(Prompter::Cancel);
        Trigger(*form, "MRUList1_3");
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(prompter.Questions().at(0).text, Question(a));
        QCOMPARE(Text(*form), QStringLiteral("kept a"));
        prompter.AnswerButton(Prompter::No);
        Trigger(*form, "MRUList1_3");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(Text(*form), QStringLiteral("b"));
        QCOMPARE(RecentItems(*form), (QStringList{b, a, c}));

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

    void droppedFilesReachTheDocument() {
        const QString page = File(QStringLiteral("page.htm"), "dropped");
        const QString broken = File(QStringLiteral("Broken.URL"), "[InternetShortcut]\r\n");
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        emit form->Memo1()->FilesDropped({page});
        QVERIFY(prompter.Questions().isEmpty());
        QCOMPARE(Text(*form), QStringLiteral("dropped"));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm"));

        // A shortcut without an address leaves a break and a notice in the status bar.
        SetDocument(*form, QStringLiteral("y"));
        Type(*form, QStringLiteral("z"));
        prompter.AnswerButton(Prompter::Cancel);
        emit form->Memo1()->FilesDropped({broken});
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(Text(*form), QStringLiteral("yz<br>\r\n"));
        QCOMPARE(UndoLabels(*form),
                 (QStringList{QStringLiteral("Drag && Drop"), QStringLiteral("Typing")}));
        QCOMPARE(form->PanelText(QuinkleForm::PanelMessage),
                 QStringLiteral("File Error:  %1").arg(broken));
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
        prompter.AnswerButton(Prompter::Yes);
        Trigger(*form, "mnuDelete");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(prompter.Questions().at(0).text,
                 QStringLiteral("Move \"%1\" to the trash?").arg(page));
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
    }

    // ---- files the editor must not change by accident ----

    void binaryFileOpensReadOnlyWithANote() {
        const QByteArray program = ReadFile(QStringLiteral("/bin/ls"));
        QVERIFY(program.contains('\0'));
        const QString binary = File(QStringLiteral("ls-copy"), program);
        const QString page = File(QStringLiteral("page.htm"), "page\n");
        const QString copy = m_sandbox->Path(QStringLiteral("ls-saved"));
        auto form = m_sandbox->Start();
        QVERIFY(form);
        OpenThroughDialog(*form, binary);
        QVERIFY(form->PanelText(QuinkleForm::PanelMessage)
                    .startsWith(QStringLiteral("Binary file: opened read only.")));
        QVERIFY(form->Memo1()->Editor().ReadOnly);
        QVERIFY(form->Command(QStringLiteral("mnuReadOnly"))->isChecked());
        // A stray key changes nothing, and Save As writes the very bytes that were opened.
        const QString before = Text(*form);
        Type(*form, QStringLiteral("x"));
        QCOMPARE(Text(*form), before);
        QVERIFY(!Modified(*form));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerSaveFileName(copy);
        Trigger(*form, "mnuSaveAs");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QVERIFY(ReadFile(copy) == program);
        // The next text file is editable again.
        OpenThroughDialog(*form, page);
        QVERIFY(!form->Memo1()->Editor().ReadOnly);
        QVERIFY(!form->Command(QStringLiteral("mnuReadOnly"))->isChecked());
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

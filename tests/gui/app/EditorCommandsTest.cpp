// The main window's search, Goto, bookmark and undo-list commands through their real menu
// items, buttons and drop-down lists.
#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/ShippedSchemes.h"
#include "gui/dialogs/SupportDialog.h"
#include "gui/editor/FindReplaceDialog.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

using test::SetDocument;
using test::Text;
using test::Trigger;

// Stands in for the desktop's handlers of web and mail links.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QStringList Urls;

public Q_SLOTS:
    void Open(const QUrl& url) { Urls << url.toString(); }
};

class EditorCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    static SourceEditor& Editor(QuinkleForm& form) { return form.Memo1()->Editor(); }
    static int Marks(QuinkleForm& form) {
        int count = 0;
        for (const RangeMark* mark = Editor(form).FirstMark(); mark;
             mark = Editor(form).NextMark(mark))
            ++count;
        return count;
    }

private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<test::MainWindowSandbox>();
        QVERIFY(m_sandbox->IsValid());
    }
    void cleanup() { m_sandbox.reset(); }

    void searchCommandsFindHighlightAndReport() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        for (const char* name : {"mnuFind", "btnFind", "mnuFindNext", "mnuReplace", "btnReplace",
                                 "UseRegularExpressions1", "mnuGoto"})
            QVERIFY2(form->Command(QLatin1String(name))->isEnabled(), name);
        QVERIFY(!form->Command(QStringLiteral("ShowAll1"))->isEnabled());

        SetDocument(*form, QStringLiteral("<td>one</td>\r\n<td>two</td>"), 0, 4);
        Trigger(*form, "mnuFind");  // the Find window takes the selection
        QCOMPARE(Editor(*form).SearchText(), std::string());
        auto* window = form->Memo1()->FindWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->FindText(), QStringLiteral("<td>"));
        window->findChild<QPushButton*>(QStringLiteral("btnFindNext"))->click();
        window->hide();
        QVERIFY(form->Command(QStringLiteral("ShowAll1"))->isEnabled());

        // Find Next walks on from the caret, and says when there is no more.
        Editor(*form).SetSel(0, 0);
        Trigger(*form, "mnuFindNext");
        Trigger(*form, "mnuFindNext");
        QCOMPARE(Editor(*form).SelStart(), 13);  // the store keeps one CR per line end
        prompter.AnswerButton(Prompter::Ok);
        Trigger(*form, "mnuFindNext");
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(prompter.Questions().back().kind, Prompter::Kind::Error);
        QCOMPARE(prompter.Questions().back().text,
                 QStringLiteral("Error: Text \"<td>\" not found."));

        // Show All highlights the selected text; the next keystroke removes every highlight.
        Editor(*form).SetSel(4, 7);
        Trigger(*form, "ShowAll1");
        QCOMPARE(Marks(*form), 1);
        Editor(*form).SetSel(1, 4);
        Trigger(*form, "ShowAll1");
        QCOMPARE(Marks(*form), 4);
        QCOMPARE(Editor(*form).Caret(), 1);  // at the first occurrence
        test::Type(*form, QStringLiteral("x"));
        QCOMPARE(Marks(*form), 0);

        // With expressions Show All is off, as the Find window's mode follows the check.
        Trigger(*form, "UseRegularExpressions1");
        QVERIFY(form->Command(QStringLiteral("UseRegularExpressions1"))->isChecked());
        QVERIFY(!form->Command(QStringLiteral("ShowAll1"))->isEnabled());
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }

    void gotoPutsTheCaretAtTheChosenLine() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QStringLiteral("one\r\ntwo\r\nthree"));
        test::WhenModalShown([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("HTML Quinkle - Goto..."));
            dialog->findChild<QRadioButton*>(QStringLiteral("rbEnd"))->setChecked(true);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("eLineNum")),
                             QStringLiteral("3"));  // typing a number chooses Line again
            dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        Trigger(*form, "mnuGoto");
        QCOMPARE(Editor(*form).Caret(), 8);
        test::WhenModalShown([](QWidget* dialog) {
            auto* number = dialog->findChild<QLineEdit*>(QStringLiteral("eLineNum"));
            number->setText(QStringLiteral("99"));
            dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        Trigger(*form, "mnuGoto");
        QCOMPARE(Editor(*form).Caret(), 13);  // beyond the last line: the end
        test::WhenModalShown([](QWidget* dialog) {
            dialog->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        });
        Editor(*form).SetSel(2, 2);
        Trigger(*form, "mnuGoto");
        QCOMPARE(Editor(*form).Caret(), 2);
    }

    void bookmarkMenusShowTheSetBookmarks() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        SetDocument(*form, QStringLiteral("one\r\ntwo\r\nthree"));
        auto* gotoMenu = form->findChild<QMenu*>(QStringLiteral("GotoBookmark1"));
        QVERIFY(gotoMenu);
        auto visible = [&form] {
            QStringList shown;
            for (int n = 1; n <= 9; ++n)
                if (form->Command(QStringLiteral("mnuGotoBM0%1").arg(n))->isVisible())
                    shown << QString::number(n);
            if (form->Command(QStringLiteral("NoBookmarksSet1"))->isVisible()) shown << "none";
            return shown;
        };
        emit gotoMenu->aboutToShow();
        QCOMPARE(visible(), QStringList{"none"});
        Editor(*form).SetSel(6, 6);
        Trigger(*form, "mnuSetBM03");
        emit gotoMenu->aboutToShow();
        QCOMPARE(visible(), QStringList{"3"});
        Editor(*form).SetSel(0, 0);
        Trigger(*form, "mnuGotoBM03");
        QCOMPARE(Editor(*form).Caret(), 6);
    }

    void schemeItemsSwitchTheEditorsScheme() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        const char* items[] = {"HTML1", "Pascal1", "CC1", "mnuSQL", "SQL1", "PlainText1"};
        QVERIFY(form->Command(QStringLiteral("HTML1"))->isChecked());
        for (int n = 6; n >= 1; --n) {
            Trigger(*form, items[n - 1]);
            for (int other = 1; other <= 6; ++other)
                QCOMPARE(form->Command(QLatin1String(items[other - 1]))->isChecked(), other == n);
            QCOMPARE(&Editor(*form).Settings(), &form->Schemes()[n - 1]->Compiled.Settings.Editor);
        }
    }

    void openedFilesChooseTheSchemeByExtensionWhenAsked() {
        QTemporaryDir folder;
        const QString unit = folder.filePath(QStringLiteral("unit.pas"));
        const QString page = folder.filePath(QStringLiteral("page.htm"));
        for (const QString& path : {unit, page}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("begin end.");
        }
        auto form = m_sandbox->Start();
        QVERIFY(form);
        form->OpenDocument(unit, true);
        QVERIFY(form->Command(QStringLiteral("Pascal1"))->isChecked());
        form->OpenDocument(page, true);
        QVERIFY(form->Command(QStringLiteral("HTML1"))->isChecked());

        // With the option off the scheme stays as the user chose it.
        Write(form->Settings(), kSchemeFromExtension, false);
        form->OpenDocument(unit, true);
        QVERIFY(form->Command(QStringLiteral("HTML1"))->isChecked());
    }

    void browserShowsTheFileOrAPrivateCopy() {
        // A browser that writes down the file it was given.
        QTemporaryDir scratch;
        const QString record = scratch.filePath(QStringLiteral("shown.txt"));
        const QString browser = scratch.filePath(QStringLiteral("browser.sh"));
        QFile script(browser);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n").arg(record).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_sandbox->SetConfig("Default Browser", browser);
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        auto shown = [&record] {
            QFile file(record);
            if (!QTest::qWaitFor([&file] { return file.exists() && file.size() > 0; }))
                return QString();
            file.open(QIODevice::ReadOnly);
            const QString path = QString::fromUtf8(file.readAll());
            file.close();
            file.remove();
            return path;
        };

        SetDocument(*form, QString());
        prompter.AnswerButton(Prompter::Ok);
        Trigger(*form, "btnView");
        QCOMPARE(prompter.Questions().size(), 1);
        QVERIFY(prompter.Questions().back().text.startsWith(
            QStringLiteral("You will need to enter some Text")));

        // An untitled page goes through a copy in a folder only its user may enter.
        SetDocument(*form, QStringLiteral("<p>hello</p>"));
        Trigger(*form, "btnView");
        const QString copy = shown();
        QVERIFY(copy.endsWith(QStringLiteral("/htmquinkle/$$TEST$$.HTM")));
        QCOMPARE(QFileInfo(QFileInfo(copy).path()).permissions() &
                     (QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther),
                 QFile::Permissions());
        QFile copied(copy);
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), QByteArray("<p>hello</p>"));
        QCOMPARE(prompter.UnexpectedCount(), 0);
    }

    void aboutAndSupportShowTheirTextsAndOpenTheirLinks() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        for (const char* command : {"mnuAbout", "btnAbout"}) {
            test::WhenModalShown([](QWidget* about) {
                QCOMPARE(about->windowTitle(), QStringLiteral("HTML Quinkle - About..."));
                QVERIFY(about->findChild<QLabel*>(QStringLiteral("lblProduct"))
                            ->text()
                            .startsWith(QStringLiteral("HTML Quinkle v1.18 Copyright")));
                QVERIFY(about->findChild<QLabel*>(QStringLiteral("lblAuthor"))
                            ->text()
                            .endsWith(QStringLiteral("at the address above.")));
                about->grab().save(QCoreApplication::applicationDirPath() + "/AboutDialog.png");
                about->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
            });
            Trigger(*form, command);
        }

        // The links go to the desktop's handlers; here a recorder stands in for them.
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "Open");
        test::WhenModalShown([](QWidget* support) {
            QCOMPARE(support->windowTitle(), QStringLiteral("HTML Quinkle - Support Form"));
            auto* bug = support->findChild<SupportArea*>(QStringLiteral("lblBug"));
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(bug, &enter);
            QVERIFY(bug->LitUp());
            support->grab().save(QCoreApplication::applicationDirPath() + "/SupportDialog.png");
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(bug, &leave);
            QVERIFY(!bug->LitUp());
            QTest::mouseClick(bug, Qt::LeftButton);
            QTest::mouseClick(support->findChild<QWidget*>(QStringLiteral("lblHomepage")),
                              Qt::LeftButton);
            QTest::mouseClick(support->findChild<QWidget*>(QStringLiteral("lblClose")),
                              Qt::LeftButton);
        });
        Trigger(*form, "Support");
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(recorder.Urls,
                 (QStringList{"mailto:support@htmlquinkle.example.org?subject=Bug Report: HTML "
                              "Quinklev1.18 beta",
                              "https://htmlquinkle.example.org/"}));
    }

    void undoListsUndoToTheChosenItem() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        auto* undoList = form->findChild<QMenu*>(QStringLiteral("UndoPopup"));
        auto* redoList = form->findChild<QMenu*>(QStringLiteral("ReDoPopup"));
        QVERIFY(undoList && redoList);
        emit undoList->aboutToShow();
        QCOMPARE(undoList->actions().size(), 1);
        QCOMPARE(undoList->actions().front()->text(), QStringLiteral("No Undo items"));
        undoList->actions().front()->trigger();  // does nothing

        SetDocument(*form, QString());
        test::Type(*form, QStringLiteral("ab"));
        Trigger(*form, "btnBold");
        test::Type(*form, QStringLiteral("c"));
        emit undoList->aboutToShow();
        QStringList labels;
        for (QAction* item : undoList->actions()) labels << item->text();
        QCOMPARE(labels, (QStringList{"Typing", "Bold", "Typing"}));
        undoList->actions().at(1)->trigger();  // the Bold and the typing after it
        QCOMPARE(Text(*form), QStringLiteral("ab"));
        emit redoList->aboutToShow();
        QCOMPARE(redoList->actions().front()->text(), QStringLiteral("Bold"));
        redoList->actions().front()->trigger();
        QCOMPARE(Text(*form), QStringLiteral("ab<b></b>"));
        // The Edit toolbar's Delete deletes the selection, and waits for one.
        form->UpdateCommandState();
        QVERIFY(!form->Command(QStringLiteral("btnDelete"))->isEnabled());
        Editor(*form).SetSel(0, 2);
        form->UpdateCommandState();
        Trigger(*form, "btnDelete");
        QCOMPARE(Text(*form), QStringLiteral("<b></b>"));
    }
};

QUINKLE_GUI_TEST(EditorCommandsTest);

}  // namespace
}  // namespace quinkle

#include "EditorCommandsTest.moc"

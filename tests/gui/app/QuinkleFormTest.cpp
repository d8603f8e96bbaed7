// The main window: its menus, toolbars and status bar, the command state, and the settings it
// reads when shown and writes when closed.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <memory>

#include "GuiTest.h"
#include "engine/scheme/EditorOptions.h"
#include "engine/store/IniFile.h"
#include "gui/app/BannerMenu.h"
#include "gui/app/CommandLayout.h"
#include "gui/app/CommandTable.h"
#include "gui/app/HintSwitch.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/ShippedSchemes.h"
#include "gui/app/SplashForm.h"
#include "gui/dialogs/ConfigureDialog.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

QStringList ActionNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

class QuinkleFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCurrent;
    QByteArray m_oldConfig;
    QByteArray m_oldHome;

    QString IniPath() const { return m_dir->filePath(QStringLiteral("cfg/htmquinkle.ini")); }

    void WriteIni(const QByteArray& text) {
        QDir().mkpath(m_dir->filePath(QStringLiteral("cfg")));
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    IniFile Ini() const { return IniFile(IniPath().toStdString()); }
    QString IniString(const char* key) const {
        return QString::fromStdString(Ini().ReadString("Config", key, "<missing>"));
    }

    // A main window as the program shows it after its start-up.
    // Unless a test says otherwise it starts with a blank document.
    std::unique_ptr<QuinkleForm> Start() {
        if (Ini().ReadString("Config", "Default Startup", "").empty()) {
            QDir().mkpath(m_dir->filePath(QStringLiteral("cfg")));
            IniFile ini = Ini();
            ini.WriteInteger("Config", "Default Startup", 0);
            ini.UpdateFile();
        }
        SetStartupComplete(false);
        auto form = std::make_unique<QuinkleForm>();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
        QCoreApplication::processEvents();
        return form;
    }

    // Closes a window that has the focus, as the user would.
    static void CloseActive(QuinkleForm& form) {
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.close());
    }

    static void Type(QuinkleForm& form, const QString& text) {
        QTest::keyClicks(form.Memo1(), text);
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase() {
        m_oldCurrent = QDir::currentPath();
        m_oldConfig = qgetenv("QUINKLE_CONFIG_DIR");
        m_oldHome = qgetenv("QUINKLE_HOME");
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("QUINKLE_CONFIG_DIR", m_dir->filePath(QStringLiteral("cfg")).toLocal8Bit());
        qputenv("QUINKLE_HOME", m_dir->filePath(QStringLiteral("home")).toLocal8Bit());
    }

    void cleanupTestCase() {
        QDir::setCurrent(m_oldCurrent);
        m_oldConfig.isNull() ? qunsetenv("QUINKLE_CONFIG_DIR")
                             : qputenv("QUINKLE_CONFIG_DIR", m_oldConfig);
        m_oldHome.isNull() ? qunsetenv("QUINKLE_HOME") : qputenv("QUINKLE_HOME", m_oldHome);
        HintSwitch::Instance().SetHintsShown(true);
    }

    // ---- the window as built ----

    void menusHaveTheirItemsNamesAndShortcuts() {
        QuinkleForm form;
        QStringList titles;
        for (const QAction* top : form.menuBar()->actions()) titles << top->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Text", "&Insert", "&Options",
                                      "&Bookmarks", "&Help"}));

        const auto menu = [&form](const char* name) {
            return form.findChild<QMenu*>(QLatin1String(name));
        };
        QCOMPARE(ActionNames(menu("File1")),
                 (QStringList{"mnuNew", "LoadFromWeb1", "-", "mnuOpen", "mnuSave", "mnuSaveAs",
                              "FormatSave1", "mnuDelete", "-", "mnuPrint", "-", "mnuExit"}));
        QCOMPARE(ActionNames(menu("FormatSave1")), (QStringList{"asHTML", "AsRTF"}));
        QCOMPARE(ActionNames(menu("Edit1")),
                 (QStringList{"mnuCut", "mnuCopy", "mnuPaste", "Delete3", "mnuSelectAll", "-",
                              "mnuIndent", "mnuUnIndent", "-", "mnuUndo", "mnuRedo", "-", "mnuGoto",
                              "-", "mnuFind", "mnuFindNext", "ShowAll1", "mnuReplace",
                              "UseRegularExpressions1"}));
        QCOMPARE(ActionNames(menu("Heading1")),
                 (QStringList{"H11", "H21", "H31", "H41", "H51", "H61"}));
        QCOMPARE(ActionNames(menu("GotoBookmark1")).size(), 10);
        QCOMPARE(ActionNames(menu("MemoPopUp")),
                 (QStringList{"Undo1", "Redo1", "-", "Cut1", "Copy1", "Paste1", "Delete4", "-",
                              "SelectAll1", "-", "Format2", "mnuStrip"}));
        QCOMPARE(menu("MemoPopUp")->property("title").toString(), QString());
        QCOMPARE(static_cast<BannerMenu*>(menu("MemoPopUp"))->Banner(),
                 QStringLiteral("Quick Edit"));
        QCOMPARE(static_cast<BannerMenu*>(menu("File1"))->Banner(),
                 QStringLiteral(" HTML Quinkle v1.18"));

        const auto text = [&form](const char* name) {
            return form.Command(QLatin1String(name))->text();
        };
        QCOMPARE(menu("FormatSave1")->title(), QStringLiteral("Formatted Save"));
        QCOMPARE(text("mnuSetBM01"), QStringLiteral("Bookmark 1"));
        QCOMPARE(text("mnuGotoBM09"), QStringLiteral("Bookmark 9"));
        QCOMPARE(text("NoBookmarksSet1"), QStringLiteral("No Bookmarks Set"));
        QCOMPARE(text("mnuDateTime"), QStringLiteral("&Date && Time"));
        QCOMPARE(text("mnuAbout"), QStringLiteral("&About Quinkle..."));
        QCOMPARE(text("SQL1"), QStringLiteral("Basic"));
        QVERIFY(form.Command(QStringLiteral("HTML1"))->isChecked());

        const auto keys = [&form](const char* name) {
            return form.Command(QLatin1String(name))->shortcut();
        };
        QCOMPARE(keys("mnuSaveAs"), QKeySequence(Qt::CTRL | Qt::Key_A));
        QCOMPARE(keys("mnuSelectAll"), QKeySequence(Qt::CTRL | Qt::Key_T));
        QCOMPARE(keys("mnuRedo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(keys("Delete3"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(keys("mnuWBRUse"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
        QCOMPARE(keys("mnuWBRSet"), QKeySequence(Qt::Key_F4));
        QCOMPARE(keys("mnuToolBars"), QKeySequence(Qt::CTRL | Qt::Key_U));
        QCOMPARE(keys("mnuHelp2"), QKeySequence(Qt::Key_F1));
        QCOMPARE(keys("ShowAll1"), QKeySequence(Qt::Key_F5));
    }

    void everyRowIsACommandAndEveryLayoutNamesOne() {
        QuinkleForm form;
        // A command is enabled exactly when its row has a handler; Configure waits for its
        // dialog as well.
        const QStringList waiting{QStringLiteral("mnuToolBars"), QStringLiteral("btnToolBar")};
        for (const CommandRow& row : MainWindowCommands(form)) {
            const QString name = QLatin1String(row.Name);
            QAction* action = form.Command(name);
            QVERIFY2(action != nullptr, row.Name);
            QCOMPARE(action->text(), QString::fromUtf8(row.Caption));
            // Quick buttons with nothing to insert are hidden, which disables them too.
            QVERIFY2(action->isEnabled() ==
                         (row.Handler && !waiting.contains(name) && action->isVisible()),
                     row.Name);
        }
        form.SetConfigureDialog(new ConfigureDialog(form, &form));
        for (const QString& name : waiting) QVERIFY(form.Command(name)->isEnabled());

        // Every item of every menu and toolbar layout is a command row or a control.
        const auto check = [&form](const QString& item) {
            if (item.isEmpty() || item.startsWith(QLatin1Char('-')) ||
                item.startsWith(QLatin1Char('>')) || item == QLatin1String("<"))
                return;
            if (item.startsWith(QLatin1Char('@'))) {
                QVERIFY2(form.findChild<QWidget*>(item.mid(1)) != nullptr, qPrintable(item));
                return;
            }
            const QString name =
                item.section(QLatin1Char('>'), 0, 0).section(QLatin1Char('#'), 0, 0);
            QVERIFY2(form.Command(name) != nullptr, qPrintable(item));
        };
        for (const MenuLayout& menu : kMainMenus)
            for (const char* item : *menu.Items) check(QLatin1String(item));
        for (const PopupLayout& menu : kPopupMenus)
            for (const char* item : *menu.Items) check(QLatin1String(item));
        for (const ToolbarLayout& bar : kToolbarLayouts)
            for (const char* item : bar.Items) check(QLatin1String(item));
    }

    void toolbarsAndToolWindowsSitInTheirDocks() {
        QuinkleForm form;
        QStringList captions;
        for (QToolBar* bar : form.Toolbars()) captions << bar->windowTitle();
        QCOMPARE(captions, (QStringList{"Main Toolbar", "Edit Tools", "Macros Toolbar ",
                                        "Insert HTML", "Style", "Font", "Insert Heading",
                                        "Insert A Text File", "Insert Quick Formatting"}));
        const auto bar = [&form](const char* name) {
            return form.findChild<QToolBar*>(QLatin1String(name));
        };
        QCOMPARE(form.toolBarArea(bar("MainTool")), Qt::TopToolBarArea);
        QCOMPARE(form.toolBarArea(bar("HeadingTool")), Qt::LeftToolBarArea);
        QCOMPARE(form.toolBarArea(bar("TextTool")), Qt::BottomToolBarArea);
        QCOMPARE(form.toolBarArea(bar("QFormat")), Qt::BottomToolBarArea);

        auto* quickLoad = form.findChild<QDockWidget*>(QStringLiteral("twQFileLoad"));
        auto* macros = form.findChild<QDockWidget*>(QStringLiteral("twMacros"));
        QCOMPARE(quickLoad->windowTitle(), QStringLiteral("Quick File Load"));
        QCOMPARE(form.dockWidgetArea(quickLoad), Qt::RightDockWidgetArea);
        QCOMPARE(macros->windowTitle(), QStringLiteral("Macros Window"));
        QVERIFY(macros->isFloating());
        QVERIFY(macros->isHidden());

        QStringList mainButtons;
        for (QAction* action : bar("MainTool")->actions()) mainButtons << action->objectName();
        QCOMPARE(mainButtons, (QStringList{"btnNew", "btnOpen", "btnSave", "btnPrint", "btnExit",
                                           "btnHelp", "btnAbout", "btnToolBar", "btnView"}));
        QCOMPARE(form.findChild<QToolButton*>(QStringLiteral("btnH3"))->text(),
                 QStringLiteral("<H3>"));
        QCOMPARE(form.findChild<QToolButton*>(QStringLiteral("btnFileAdd"))->toolTip(),
                 QStringLiteral("Load any file into \nyour document."));

        // The quick buttons are indexed by their Tags and wait hidden for their settings.
        for (int tag = 1; tag <= 10; ++tag) {
            QToolButton* button = form.QuickButtonIndex()[size_t(tag)];
            QVERIFY(button != nullptr);
            QCOMPARE(button->property("Tag").toInt(), tag);
            QVERIFY(!button->defaultAction()->isVisible());
        }
        QCOMPARE(form.QuickButtonIndex()[6]->objectName(), QStringLiteral("btnQFormat1"));
    }

    void everyToolbarButtonHasAPictureAndAHint() {
        QuinkleForm form;
        int buttons = 0;
        for (QToolBar* bar : form.Toolbars()) {
            for (QToolButton* button : bar->findChildren<QToolButton*>()) {
                if (button->objectName().isEmpty() ||
                    button->objectName().startsWith(QLatin1String("qt_")) ||
                    button->property("Tag").toInt() != 0)
                    continue;
                ++buttons;
                const QByteArray name = button->objectName().toLatin1();
                QVERIFY2(!button->icon().pixmap(20, 20).isNull(), name.constData());
                QVERIFY2(!button->toolTip().isEmpty(), name.constData());
            }
        }
        QCOMPARE(buttons, 9 + 8 + 4 + 10 + 10 + 1 + 6 + 2 + 1);
    }

    // Pictures of the main window, its File menu and the splash go beside the test program.
    void savesPicturesOfTheWindows() {
        const QString folder = QCoreApplication::applicationDirPath();
        auto form = Start();
        QVERIFY(form);
        QVERIFY(form->grab().save(folder + "/QuinkleForm.png"));
        QCOMPARE(QImage(folder + "/QuinkleForm.png").size(), QSize(780, 535));

        auto* file = form->findChild<QMenu*>(QStringLiteral("File1"));
        file->popup(form->mapToGlobal(QPoint(0, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QVERIFY(file->grab().save(folder + "/QuinkleFormFileMenu.png"));
        file->close();

        SplashForm splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        splash.SetProgress(QStringLiteral("creating the main program..."));
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("HTML Quinkle v1.18 freeware"));
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("A Quick HTML Editing tool by"));
        QVERIFY(splash.grab().save(folder + "/SplashForm.png"));
    }

    // ---- title and status bar ----

    void titleHasThreePartsAndShowsTheModifiedMark() {
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("HTML Quinkle - (Untitled)"));
        form->SetDocumentTitle(QStringLiteral("page.htm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("HTML Quinkle - page.htm"));
        auto* caption = form->findChild<QLabel*>(QStringLiteral("CaptionPainter"));
        QVERIFY(caption->text().contains(QStringLiteral(">HTML<")));
        QVERIFY(caption->text().contains(QStringLiteral(">Quinkle -<")));
        QVERIFY(caption->text().contains(QStringLiteral(">page.htm<")));
        // A longer title is shown whole, not cut off at the menu bar's edge.
        form->SetDocumentTitle(QStringLiteral("a-rather-long-file-name-for-a-page.html"));
        QCoreApplication::processEvents();
        QVERIFY(caption->width() >= caption->sizeHint().width());
        // A path too long for the room beside the menus gives way in its folders' middle.
        const QString path = QStringLiteral(
            "/home/someone/sites/a/very/long/folder/name/that/"
            "goes/on/and/on/for/ever/and/ever/chapter-12.html*");
        form->resize(700, form->height());
        form->SetDocumentTitle(path);
        QCoreApplication::processEvents();
        QVERIFY(caption->text().contains(QStringLiteral("/chapter-12.html*<")));
        QVERIFY(caption->text().contains(QStringLiteral("…")));
        QVERIFY(caption->text().contains(QStringLiteral(">/home")));
        QCOMPARE(caption->toolTip(), path);
        QVERIFY(caption->geometry().left() >
                form->menuBar()->actionGeometry(form->menuBar()->actions().last()).right());
        form->resize(1800, form->height());
        QCoreApplication::processEvents();
        QVERIFY(caption->text().contains(path.toHtmlEscaped()));
        form->SetDocumentTitle(QStringLiteral("page.htm"));

        Type(*form, QStringLiteral("ab"));
        QCOMPARE(form->windowTitle(), QStringLiteral("HTML Quinkle - page.htm*"));
        Type(*form, QStringLiteral("c"));
        QCOMPARE(form->DocumentTitle(), QStringLiteral("page.htm*"));
    }

    void statusBarShowsPositionSelectionAndKeys() {
        QuinkleForm unshown;
        QCOMPARE(unshown.PanelText(QuinkleForm::PanelPosition),
                 QStringLiteral("Line:   0 Col:    0"));
        QCOMPARE(unshown.PanelText(QuinkleForm::PanelInsert), QStringLiteral("INS"));
        QCOMPARE(unshown.PanelText(QuinkleForm::PanelNumLock), QStringLiteral("NUM"));
        QCOMPARE(unshown.PanelText(QuinkleForm::PanelCapsLock), QString());
        QCOMPARE(unshown.statusBar()->objectName(), QStringLiteral("Status"));
        // Until the start-up is complete the refresh leaves everything as it is.
        SetStartupComplete(false);
        unshown.Memo1()->Editor().SetText("abc");
        unshown.Memo1()->Editor().SelectAll();
        unshown.UpdateCommandState();
        QCOMPARE(unshown.PanelText(QuinkleForm::PanelPosition),
                 QStringLiteral("Line:   0 Col:    0"));

        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->PanelText(QuinkleForm::PanelPosition), QStringLiteral("Line:   1 Col:   1"));
        Type(*form, QStringLiteral("hello\rworld"));
        QCOMPARE(form->PanelText(QuinkleForm::PanelPosition), QStringLiteral("Line:   2 Col:   6"));
        form->Command(QStringLiteral("mnuSelectAll"))->trigger();
        QCOMPARE(form->PanelText(QuinkleForm::PanelPosition), QStringLiteral("Len:   12"));

        const bool inserting = form->Memo1()->Editor().InsertMode();
        QTest::keyClick(form->Memo1(), Qt::Key_Insert);
        QCoreApplication::processEvents();
        QCOMPARE(form->Memo1()->Editor().InsertMode(), !inserting);
        QCOMPARE(form->PanelText(QuinkleForm::PanelInsert),
                 inserting ? QStringLiteral("OVR") : QStringLiteral("INS"));

        QTest::keyClick(form->Memo1(), 'A');  // an upper-case letter without Shift
        QCOMPARE(form->PanelText(QuinkleForm::PanelCapsLock), QStringLiteral("CAP"));
        QTest::keyClick(form->Memo1(), 'a');
        QCOMPARE(form->PanelText(QuinkleForm::PanelCapsLock), QString());

        form->ShowStatusMessage(QStringLiteral("Hello there"));
        QCOMPARE(form->PanelText(QuinkleForm::PanelMessage), QStringLiteral("Hello there"));
    }

    void commandStateFollowsSelectionUndoAndClipboard() {
        auto form = Start();
        QVERIFY(form);
        const auto enabled = [&form](const char* name) {
            return form->Command(QLatin1String(name))->isEnabled();
        };
        QVERIFY(!enabled("btnUndo"));
        QVERIFY(!enabled("mnuCut"));
        Type(*form, QStringLiteral("some text"));
        QVERIFY(enabled("btnUndo"));
        QVERIFY(enabled("mnuUndo"));
        QVERIFY(!enabled("btnRedo"));
        for (const char* name :
             {"mnuCut", "btnCut", "mnuCopy", "btnCopy", "mnuIndent", "btnUnIndent"})
            QVERIFY2(!enabled(name), name);

        form->Command(QStringLiteral("mnuSelectAll"))->trigger();
        for (const char* name : {"mnuCut", "btnCut", "mnuCopy", "btnCopy", "mnuIndent",
                                 "mnuUnIndent", "btnIndent", "btnUnIndent"})
            QVERIFY2(enabled(name), name);

        form->Command(QStringLiteral("btnCopy"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("some text"));
        QVERIFY(enabled("mnuPaste"));
        QGuiApplication::clipboard()->clear();
        form->UpdateCommandState();
        QVERIFY(!enabled("btnPaste"));

        for (int step = 0; step < 20 && enabled("mnuUndo"); ++step)
            form->Command(QStringLiteral("mnuUndo"))->trigger();
        QCOMPARE(form->Memo1()->Editor().GetTextLen(), 0);
        QVERIFY(!enabled("btnUndo"));
        QVERIFY(enabled("btnRedo"));
        for (int step = 0; step < 20 && enabled("btnRedo"); ++step)
            form->Command(QStringLiteral("btnRedo"))->trigger();
        QCOMPARE(QString::fromStdString(form->Memo1()->Editor().GetText()),
                 QStringLiteral("some text"));
    }

    void wordWrapAndReadOnlyToggleTheEditor() {
        auto form = Start();
        QVERIFY(form);
        SourceEditor& editor = form->Memo1()->Editor();
        form->Command(QStringLiteral("mnuWordWrap"))->trigger();
        QVERIFY(editor.Options() & smoWordWrap);
        form->Command(QStringLiteral("mnuWordWrap"))->trigger();
        QVERIFY(!(editor.Options() & smoWordWrap));
        form->Command(QStringLiteral("mnuReadOnly"))->trigger();
        QVERIFY(editor.ReadOnly);
    }

    void theSixSchemesAreBuiltInAndHtmlHighlights() {
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(int(form->Schemes().size()), 6);
        const char* names[] = {"HTML / JS / VBS", "Object Pascal",       "ANSI C",
                               "PL/SQL",          "Visual Basic Script", "Plain text"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(QString::fromStdString(form->Schemes()[i]->Compiled.Settings.Name),
                     QString::fromLatin1(names[i]));
        QCOMPARE(form->ActiveParser(), 1);
        SourceEditorWidget* memo = form->Memo1();
        QCOMPARE(memo->Scheme(), &form->Schemes()[0]->Compiled.Scheme);
        memo->Editor().SetText("<b>bold</b>");
        memo->viewport()->repaint();
        const TextRow* row = memo->Editor().Store().Row(0);
        QVERIFY(row->Styles != nullptr);
        QVERIFY(row->Styles[0] != 0);  // "<b" is a tag, not plain text
        form->SetActiveParser(6);      // plain text: everything is default text
        memo->viewport()->repaint();
        row = memo->Editor().Store().Row(0);
        QVERIFY(row->Styles != nullptr);
        QCOMPARE(int(row->Styles[0]), 0);
    }

    void storedStyleChangeSurvivesARestart() {
        uint32_t stored = 0;
        {
            auto form = Start();
            QVERIFY(form);
            SchemeStyles& styles = form->Schemes()[2]->Compiled.Settings.Editor.Styles;
            stored = styles.Effects[2].Foreground ^ 0x00A0B0C0u;
            styles.Effects[2].Foreground = stored;
            form->StoreParserStyles(3);
            CloseActive(*form);
        }
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->Schemes()[2]->Compiled.Settings.Editor.Styles.Effects[2].Foreground, stored);
        QVERIFY(form->Schemes()[1]->Compiled.Settings.Editor.Styles.Effects[2].Foreground !=
                stored);
        form->SetActiveParser(3);
        QCOMPARE(form->Memo1()->Editor().Settings().Styles.Effects[2].Foreground, stored);
    }

    // ---- settings read when shown and written when closed ----

    void withoutSettingsOpensAtDesignPlacement() {
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->size(), QSize(780, 535));
        QCOMPARE(form->pos(), QPoint(6, 21));
        QVERIFY(!form->isMinimized() && !form->isMaximized());
        QVERIFY(HintSwitch::Instance().HintsShown());
        QCOMPARE(form->font().family(), QStringLiteral("Arial"));
        QVERIFY(!form->LargeButtons());
        QVERIFY(form->BackgroundShown());
        QCOMPARE(form->MenusLook(), 0);
        QCOMPARE(form->QuickFileMask(), QStringLiteral("*.htm;*.txt;*.rtf;*.shtm;*.css"));
        QCOMPARE(form->WbrKey(), QStringLiteral("#"));
        QCOMPARE(form->RecentFilesMax(), 5);
        QCOMPARE(form->RecentCaptionWidth(), 999);
        QVERIFY(StartupComplete());
        QCOMPARE(ApplicationTitle(), QStringLiteral("HTML Quinkle v1.18"));
        QVERIFY(QFileInfo(ProgramDir()).isDir());
        QCOMPARE(QDir::currentPath() + "/", ProgramDir());
    }

    void normalPlacementRoundTrips() {
        WriteIni("[Config]\nStatus=1\nTop=40\nLeft=50\nWidth=600\nHeight=400\n");
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->pos(), QPoint(50, 40));
        QCOMPARE(form->size(), QSize(600, 400));
        form->move(70, 80);
        form->resize(640, 420);
        CloseActive(*form);
        const IniFile ini = Ini();
        QCOMPARE(ini.ReadInteger("Config", "Status", -1), 1);
        QCOMPARE(ini.ReadInteger("Config", "Left", -1), 70);
        QCOMPARE(ini.ReadInteger("Config", "Top", -1), 80);
        QCOMPARE(ini.ReadInteger("Config", "Width", -1), 640);
        QCOMPARE(ini.ReadInteger("Config", "Height", -1), 420);

        auto again = Start();
        QVERIFY(again);
        QCOMPARE(again->pos(), QPoint(70, 80));
        QCOMPARE(again->size(), QSize(640, 420));
    }

    void statusZeroKeepsTheDesignPlacement() {
        WriteIni("[Config]\nStatus=0\nTop=40\nLeft=50\nWidth=600\nHeight=400\n");
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->WindowStatus(), 0);
        QCOMPARE(form->pos(), QPoint(6, 21));
        QCOMPARE(form->size(), QSize(780, 535));
    }

    void closingMaximisedKeepsTheNormalSize() {
        WriteIni("[Config]\nStatus=1\nTop=40\nLeft=50\nWidth=600\nHeight=400\n");
        auto form = Start();
        QVERIFY(form);
        form->showMaximized();
        QTRY_VERIFY(form->isMaximized());
        CloseActive(*form);
        const IniFile ini = Ini();
        QCOMPARE(ini.ReadInteger("Config", "Status", -1), 3);
        QCOMPARE(ini.ReadInteger("Config", "Width", -1), 600);
        QCOMPARE(ini.ReadInteger("Config", "Height", -1), 400);

        auto again = Start();
        QVERIFY(again);
        QVERIFY(again->isMaximized());
    }

    void closingWhileAnotherWindowIsActiveStoresMinimisedButStartsShown() {
        auto form = Start();
        QVERIFY(form);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(form->close());
        QCOMPARE(Ini().ReadInteger("Config", "Status", -1), 2);

        // A window that starts minimised looks like a program that did not start.
        auto again = Start();
        QVERIFY(again);
        QCOMPARE(again->WindowStatus(), 2);
        QCoreApplication::processEvents();
        QVERIFY(!again->isMinimized());
        QVERIFY(again->isVisible());
    }

    void exitingThroughTheSaveQuestionKeepsTheWindowState() {
        // The question's window takes the focus, as a real message box does.
        class FocusTakingPrompter : public ScriptedPrompter {
        public:
            int Message(Kind kind, const QString& title, const QString& text,
                        int buttons) override {
                box.show();
                box.activateWindow();
                if (!QTest::qWaitForWindowActive(&box)) qWarning("the box did not become active");
                return ScriptedPrompter::Message(kind, title, text, buttons);
            }
            QWidget box;
        };
        auto form = Start();
        QVERIFY(form);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        Type(*form, QStringLiteral("x"));
        FocusTakingPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::No);
        QVERIFY(form->close());
        QVERIFY(!form->isActiveWindow());
        QCOMPARE(Ini().ReadInteger("Config", "Status", -1), 1);
    }

    void hintsCanBeSwitchedOff() {
        WriteIni("[Config]\nShow Hints=0\n");
        auto form = Start();
        QVERIFY(form);
        QVERIFY(!HintSwitch::Instance().HintsShown());
        auto* button = form->findChild<QToolButton*>(QStringLiteral("btnExit"));
        const QPoint centre = button->rect().center();
        QHelpEvent request(QEvent::ToolTip, centre, button->mapToGlobal(centre));
        QApplication::sendEvent(button, &request);
        QVERIFY(!QToolTip::isVisible());

        form->SetHintsShown(true);
        QApplication::sendEvent(button, &request);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Exit HTML Quinkle"));
        QToolTip::hideText();
    }

    void programFontIsAppliedAndStored() {
        auto form = Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerFont(QFont(QStringLiteral("Liberation Serif"), 12));
        form->Command(QStringLiteral("ProgramFont1"))->trigger();
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(form->font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(form->font().pointSize(), 8);
        QCOMPARE(form->findChild<QMenu*>(QStringLiteral("Edit1"))->font().family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(form->PanelText(QuinkleForm::PanelMessage), QString());
        CloseActive(*form);
        QCOMPARE(IniString("Program Font"), QStringLiteral("Liberation Serif"));

        auto again = Start();
        QVERIFY(again);
        QCOMPARE(again->font().family(), QStringLiteral("Liberation Serif"));
    }

    void editorFontComesFromTheFontDialog() {
        auto form = Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        const QFont before = form->Memo1()->EditorFont();
        prompter.AnswerFont(QFont(QStringLiteral("Liberation Mono"), 14));
        form->Command(QStringLiteral("mnuEdFont"))->trigger();
        QCOMPARE(prompter.Questions().size(), 1);
        // The dialog starts at the editor's font, named as the font system knows it, so the
        // dialog finds it in its list instead of showing a fallback.
        const QFont asked = prompter.Questions().at(0).font;
        QCOMPARE(asked.pointSize(), before.pointSize());
        QCOMPARE(asked.family(), QFontInfo(before).family());
        QVERIFY2(QFontDatabase::families().contains(asked.family()), qPrintable(asked.family()));
        QCOMPARE(form->Memo1()->EditorFont().family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(form->Memo1()->EditorFont().pointSize(), 14);

        prompter.AnswerFont(QFont(QStringLiteral("Liberation Sans"), 9), false);
        form->Command(QStringLiteral("mnuEdFont"))->trigger();
        QCOMPARE(form->Memo1()->EditorFont().family(), QStringLiteral("Liberation Mono"));
    }

    void largeButtonsRoundTrip() {
        WriteIni("[Config]\nIcon Size=40\n");
        auto form = Start();
        QVERIFY(form);
        QVERIFY(form->LargeButtons());
        auto* button = form->findChild<QToolButton*>(QStringLiteral("btnNew"));
        QCOMPARE(button->height(), 40);
        QVERIFY(button->width() >= 46);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        auto* wide = form->findChild<QToolButton*>(QStringLiteral("btnUnIndent"));
        QCOMPARE(wide->width(),
                 std::max(46, wide->fontMetrics().horizontalAdvance(wide->text()) + 10));
        auto* withList = form->findChild<QToolButton*>(QStringLiteral("btnView"));
        QVERIFY(withList->width() > withList->fontMetrics().horizontalAdvance("Browser") + 10);
        // Quick buttons keep their own size.
        QCOMPARE(form->QuickButtonIndex()[1]->toolButtonStyle(), Qt::ToolButtonTextOnly);

        form->ApplyLargeButtons(false);
        QCOMPARE(button->size(), QSize(25, 25));
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        CloseActive(*form);
        QCOMPARE(Ini().ReadInteger("Config", "Icon Size", -1), 25);
    }

    void looksAndListSettingsAreRead() {
        WriteIni(
            "[Config]\nMenusLook=2\nBackground=1\nMax=7\nFullPath=0\nwbr=w\n"
            "QFileLoad=*.*\nQFLAll=1\n");
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->MenusLook(), 2);
        QCOMPARE(form->findChild<BannerMenu*>(QStringLiteral("File1"))->MenuLook(),
                 int(BannerMenu::None));
        QVERIFY(!form->BackgroundShown());
        QCOMPARE(form->RecentFilesMax(), 7);
        QCOMPARE(form->RecentCaptionWidth(), 150);
        QCOMPARE(form->WbrKey(), QStringLiteral("w"));
        QCOMPARE(form->QuickFileMask(), QStringLiteral("*.*"));
        QVERIFY(form->findChild<QCheckBox*>(QStringLiteral("cbQFileLoad"))->isChecked());
        form->SetQuickFileMask(QStringLiteral("*.htm"));
        form->findChild<QCheckBox*>(QStringLiteral("cbQFileLoad"))->setChecked(false);
        CloseActive(*form);
        QCOMPARE(IniString("QFileLoad"), QStringLiteral("*.htm"));
        QCOMPARE(IniString("QFLAll"), QStringLiteral("0"));
    }

    void keywordHelpFileComesFromTheKeywordFile() {
        const QString keywords = m_dir->filePath(QStringLiteral("html.key"));
        QFile file(keywords);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Config]\nHelpFile=/help/html.hlp\n[Keywords]\nTABLE=Tables\n");
        file.close();
        WriteIni("[Config]\nHTMLKeyWord=" + keywords.toUtf8() + "\n");
        QuinkleForm form;
        QCOMPARE(form.KeywordFile(), keywords);
        QCOMPARE(form.KeywordHelpFile(), QStringLiteral("/help/html.hlp"));
    }

    void toolbarLayoutRoundTrips() {
        auto form = Start();
        QVERIFY(form);
        auto* mainTool = form->findChild<QToolBar*>(QStringLiteral("MainTool"));
        auto* headings = form->findChild<QToolBar*>(QStringLiteral("HeadingTool"));
        mainTool->hide();
        form->addToolBar(Qt::RightToolBarArea, headings);
        form->findChild<QDockWidget*>(QStringLiteral("twMacros"))->show();
        CloseActive(*form);
        QVERIFY(!Ini().ReadString("Toolbars", "State", "").empty());

        auto again = Start();
        QVERIFY(again);
        QVERIFY(again->findChild<QToolBar*>(QStringLiteral("MainTool"))->isHidden());
        QCOMPARE(again->toolBarArea(again->findChild<QToolBar*>(QStringLiteral("HeadingTool"))),
                 Qt::RightToolBarArea);
        QVERIFY(again->findChild<QDockWidget*>(QStringLiteral("twMacros"))->isVisible());
    }

    void toolbarPopupListsAndTogglesToolbars() {
        auto form = Start();
        QVERIFY(form);
        std::unique_ptr<QMenu> popup(form->BuildToolbarPopup());
        QCOMPARE(popup->objectName(), QStringLiteral("puToolBar"));
        QStringList items;
        for (const QAction* item : popup->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QCOMPARE(items,
                 (QStringList{"Main Toolbar", "Edit Tools", "Macros Toolbar ", "Insert HTML",
                              "Style", "Font", "Insert Heading", "Insert A Text File",
                              "Insert Quick Formatting", "-", "Quick File Load", "Macros Window"}));
        QVERIFY(popup->actions().at(0)->isChecked());
        QVERIFY(!popup->actions().at(11)->isChecked());

        auto* style = form->findChild<QToolBar*>(QStringLiteral("StyleBar"));
        popup->actions().at(4)->trigger();
        QVERIFY(style->isHidden());
        popup->actions().at(11)->trigger();
        QVERIFY(form->findChild<QDockWidget*>(QStringLiteral("twMacros"))->isVisible());

        std::unique_ptr<QMenu> rebuilt(form->BuildToolbarPopup());
        QVERIFY(!rebuilt->actions().at(4)->isChecked());
        rebuilt->actions().at(4)->trigger();
        QVERIFY(style->isVisible());
    }

    // ---- closing ----

    void closingAModifiedDocumentAsksFirst() {
        auto form = Start();
        QVERIFY(form);
        Type(*form, QStringLiteral("x"));
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        prompter.AnswerButton(Prompter::Cancel);
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QCOMPARE(prompter.Questions().size(), 1);
        QCOMPARE(
            prompter.Questions().at(0).text,
            QStringLiteral("The document Untitled has changed.\nDo you want to save the changes?"));
        // Nothing is stored when closing is refused.
        QCOMPARE(IniString("Status"), QStringLiteral("<missing>"));

        const QString saved = m_dir->filePath(QStringLiteral("saved.htm"));
        prompter.AnswerButton(Prompter::Yes);
        prompter.AnswerSaveFileName(saved);
        form->Command(QStringLiteral("btnExit"))->trigger();
        QVERIFY(!form->isVisible());
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("x"));
    }
};

QUINKLE_GUI_TEST(QuinkleFormTest);

}  // namespace
}  // namespace quinkle

#include "QuinkleFormTest.moc"

// The Configure dialog against a stand-in main window: what OK, Cancel and Escape store.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>
#include <optional>

#include "GuiTest.h"
#include "engine/store/IniFile.h"
#include "gui/dialogs/ConfigureDialog.h"
#include "gui/dialogs/ConfigureHost.h"
#include "gui/widgets/CollapsibleSection.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

const QString kKeywordFilter = QStringLiteral("Keyword File (*.key)|*.key|All files (*.*)|*.*");

/// A main window with two toolbars and two tool windows that records what the dialog asks of it.
class FakeHost : public QMainWindow, public ConfigureHost {
public:
    FakeHost(const QString& settingsPath, const QString& programDir)
        : m_settings(settingsPath.toStdString()), m_programDir(programDir) {
        addToolBar(new QToolBar(QStringLiteral("Main Toolbar"), this));
        addToolBar(new QToolBar(QStringLiteral("Edit Tools"), this));
        auto* quickLoad = new QDockWidget(QStringLiteral("Quick File Load"), this);
        addDockWidget(Qt::RightDockWidgetArea, quickLoad);
        auto* macros = new QDockWidget(QStringLiteral("Macros Window"), this);
        addDockWidget(Qt::LeftDockWidgetArea, macros);
        macros->setFloating(true);
        macros->hide();
    }

    QWidget* Bar(const QString& title) const {
        for (QWidget* widget : findChildren<QWidget*>()) {
            if ((qobject_cast<QToolBar*>(widget) || qobject_cast<QDockWidget*>(widget)) &&
                widget->windowTitle() == title) {
                return widget;
            }
        }
        return nullptr;
    }

    IniFile& Settings() override { return m_settings; }
    QMainWindow* MainWindow() override { return this; }
    QString ProgramDir() const override { return m_programDir; }
    QString KeywordHelpFile() const override { return keywordHelpFile; }
    void SetKeywordHelpFile(const QString& path) override { keywordHelpFile = path; }
    QString KeywordFile() const override { return keywordFile; }
    void SetKeywordFile(const QString& path) override { keywordFile = path; }
    void ApplyLargeButtons(bool large) override {
        largeButtons.append(large);
        paintingFrozen = !updatesEnabled();
    }
    void ApplyBackground() override {}
    void ApplyMenusLook(int look) override { menusLooks.append(look); }
    void SetHintsShown(bool shown) override { hintsShown = shown; }
    int RecentFilesMax() const override { return recentMax; }
    void SetRecentFilesMax(int max) override { recentMax = max; }
    void SetRecentCaptionWidth(int width) override { captionWidth = width; }
    QString QuickFileMask() const override { return quickMask; }
    void SetQuickFileMask(const QString& mask) override {
        quickMask = mask;
        ++quickMaskSets;
    }
    void ShowHelpTopic(const QString& topic) override { helpTopics.append(topic); }

    QString keywordHelpFile;
    QString keywordFile;
    QList<bool> largeButtons;
    bool paintingFrozen = false;
    QList<int> menusLooks;
    std::optional<bool> hintsShown;
    int recentMax = 5;
    int captionWidth = 0;
    QString quickMask = QStringLiteral("*.htm;*.html");
    int quickMaskSets = 0;
    QStringList helpTopics;

private:
    IniFile m_settings;
    QString m_programDir;
};

/// A temporary settings folder and program folder, a host over them and a scripted prompter.
struct Fixture {
    QTemporaryDir dir;
    QByteArray oldConfigDir = qgetenv("QUINKLE_CONFIG_DIR");
    ScriptedPrompter prompter;
    ScopedAppPrompter installed{prompter};
    std::unique_ptr<FakeHost> host;

    /// `ini` is the settings file's text before the host opens it.
    explicit Fixture(const QByteArray& ini = QByteArray()) {
        qputenv("QUINKLE_CONFIG_DIR", dir.path().toUtf8());
        QDir(dir.path()).mkpath(QStringLiteral("program"));
        if (!ini.isEmpty()) WriteFile(SettingsPath(), ini);
        host = std::make_unique<FakeHost>(SettingsPath(), ProgramDir());
        host->show();
    }
    ~Fixture() {
        host.reset();
        if (oldConfigDir.isNull()) {
            qunsetenv("QUINKLE_CONFIG_DIR");
        } else {
            qputenv("QUINKLE_CONFIG_DIR", oldConfigDir);
        }
    }

    QString SettingsPath() const { return QString::fromStdString(IniFile::DefaultPath()); }
    QString ProgramDir() const { return dir.path() + QStringLiteral("/program/"); }
    /// The settings file as it is on the disk now.
    IniFile Stored() const { return IniFile(SettingsPath().toStdString()); }

    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

template <typename T>
T* Find(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qWarning("no control named %s", name);
    return widget;
}

QAbstractButton* Radio(QWidget& dialog, const char* name) {
    return Find<QRadioButton>(dialog, name);
}

std::string Config(const IniFile& store, const char* key) {
    return store.ReadString("Config", key, "<missing>");
}

void Type(QWidget& dialog, const char* fileBox, const QString& text) {
    QLineEdit* edit = Find<FileNameEdit>(dialog, fileBox)->LineEdit();
    edit->clear();
    QTest::keyClicks(edit, text);
}

class ConfigureDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensWithEveryBandClosedAndSavesAPicture() {
        Fixture f;
        ConfigureDialog dialog(*f.host, f.host.get());
        QStringList titles;
        for (CollapsibleSection* band : dialog.Bands()) {
            titles.append(band->Title());
            QVERIFY(!band->IsExpanded());
            QVERIFY(!band->Body()->isVisibleTo(&dialog));
        }
        QCOMPARE(titles, QStringList({"Toolbars", "Keyword Help", "Edit Keywords", "Startup",
                                      "Tidy", "Misc", "Default Browser", "Show Hints"}));

        // A band opens when its title bar is clicked.
        CollapsibleSection* misc = dialog.Bands()[5];
        dialog.show();
        QTest::mouseClick(misc->TitleBar(), Qt::LeftButton);
        QVERIFY(misc->IsExpanded());
        QVERIFY(misc->Body()->isVisible());

        for (CollapsibleSection* band : dialog.Bands()) band->SetExpanded(true);
        auto* scroll = Find<QScrollArea>(dialog, "scrollBands");
        dialog.resize(dialog.width(), scroll->widget()->sizeHint().height() + 90);
        QApplication::processEvents();
        const QString picture =
            QCoreApplication::applicationDirPath() + QStringLiteral("/configure-dialog.png");
        QVERIFY(dialog.grab().save(picture));
        dialog.reject();
    }

    void cancelOnAFreshInstallationWritesNothing() {
        Fixture f;
        ConfigureDialog dialog(*f.host, f.host.get());
        dialog.show();
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        // The dialog's proposals (backups on, among others) are not stored by a Cancel.
        const IniFile stored = f.Stored();
        for (const char* key : {"Default Startup", "Start File", "Backups", "Background",
                                "MenusLook", "Show Hints", "Max", "FullPath", "Default Browser"})
            QVERIFY2(!stored.ValueExists("Config", key), key);
        QVERIFY(!stored.ValueExists("Tidy", "Wrap At Col"));
        QCOMPARE(f.host->hintsShown, std::nullopt);
        QCOMPARE(f.prompter.Questions().size(), 0);
    }

    void cancelWritesTheStoredValuesBackAndUndoesTheMenuLook() {
        Fixture f(
            "[Config]\nDefault Startup=3\nStart File=/docs/start.htm\nBackups=1\nBackground=0\n"
            "MenusLook=2\nShow Hints=0\nFullPath=0\nDefault Browser=/usr/bin/web\n"
            "[Tidy]\nErr Log=1\nWrap At Col=72\n");
        f.host->recentMax = 7;
        ConfigureDialog dialog(*f.host, f.host.get());
        dialog.show();

        QVERIFY(Radio(dialog, "rbOther")->isChecked());
        QVERIFY(Radio(dialog, "rbBackupsNo")->isChecked());
        QVERIFY(Radio(dialog, "rbBackgroundDefault")->isChecked());
        QVERIFY(Radio(dialog, "rbHintsNo")->isChecked());
        QCOMPARE(Find<QComboBox>(dialog, "cbMenusLook")->currentIndex(), 2);
        QCOMPARE(Find<QSpinBox>(dialog, "seMRUMax")->value(), 7);
        QVERIFY(!Find<QCheckBox>(dialog, "cbFullPath")->isChecked());
        QCOMPARE(Find<QSpinBox>(dialog, "seTidyWrapAt")->value(), 72);
        QCOMPARE(f.host->captionWidth, 150);

        Radio(dialog, "rbBlank")->click();
        Radio(dialog, "rbBackupsYes")->click();
        Radio(dialog, "rbHintsYes")->click();
        Find<QComboBox>(dialog, "cbMenusLook")->setCurrentIndex(0);
        QCOMPARE(f.host->menusLooks.last(), 0);  // applied at once
        Find<QCheckBox>(dialog, "cbTidyErrLog")->click();
        Find<QSpinBox>(dialog, "seTidyWrapAt")->setValue(100);
        Type(dialog, "edBrowser", QStringLiteral("/opt/other"));
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);

        const IniFile stored = f.Stored();
        QCOMPARE(Config(stored, "Default Startup"), "3");
        QCOMPARE(Config(stored, "Start File"), "/docs/start.htm");
        QCOMPARE(Config(stored, "Backups"), "1");
        QCOMPARE(Config(stored, "Background"), "0");
        QCOMPARE(Config(stored, "MenusLook"), "2");
        QCOMPARE(Config(stored, "Show Hints"), "0");
        QCOMPARE(Config(stored, "FullPath"), "0");
        QVERIFY(!stored.ValueExists("Config", "Max"));
        QCOMPARE(Config(stored, "Default Browser"), "/usr/bin/web");
        QCOMPARE(stored.ReadString("Tidy", "Err Log", "?"), "1");
        QCOMPARE(stored.ReadString("Tidy", "Wrap At Col", "?"), "72");
        QCOMPARE(f.host->menusLooks.last(), 2);
        QCOMPARE(f.host->hintsShown, std::nullopt);
        QCOMPARE(f.host->captionWidth, 150);
    }

    void escapeChangesNoOption() {
        Fixture f("[Config]\nIcon Size=25\n");
        const QString keywordFile = f.ProgramDir() + QStringLiteral("html.key");
        Fixture::WriteFile(keywordFile, "[Keywords]\nbody=Body_Tag\n");
        f.host->keywordFile = keywordFile;
        f.host->keywordHelpFile = QStringLiteral("/help/html.hlp");
        ConfigureDialog dialog(*f.host, f.host.get());

        int result = -1;
        QTimer::singleShot(0, &dialog, [&] {
            // Options of every kind.
            Radio(dialog, "rbBackupsNo")->click();
            Radio(dialog, "rbHintsNo")->click();
            Find<QSpinBox>(dialog, "seTidyWrapAt")->setValue(100);
            Type(dialog, "edStartFile", QStringLiteral("/docs/mine.htm"));
            auto* extensions = Find<QLineEdit>(dialog, "edQFileLoad");
            extensions->clear();
            QTest::keyClicks(extensions, QStringLiteral("*.css"));
            Find<QPlainTextEdit>(dialog, "memKeywords")->setPlainText("body=Changed\nnew=One");
            Find<FileNameEdit>(dialog, "edHelpFile")->SetFileName(QStringLiteral("/x.hlp"));
            Find<QListWidget>(dialog, "clbToolBars")->item(1)->setCheckState(Qt::Unchecked);
            Find<QCheckBox>(dialog, "cbLargeIcons")->click();
            QTest::keyClick(extensions, Qt::Key_Escape);
        });
        result = dialog.exec();

        QCOMPARE(result, int(QDialog::Rejected));
        const IniFile stored = f.Stored();
        for (const char* key : {"Backups", "Show Hints", "Default Startup", "Start File"})
            QVERIFY2(!stored.ValueExists("Config", key), key);
        QVERIFY(!stored.ValueExists("Tidy", "Wrap At Col"));
        QCOMPARE(f.host->hintsShown, std::nullopt);

        QVERIFY(!stored.ValueExists("Config", "QFileLoad"));
        QVERIFY(!stored.ValueExists("Config", "HTMLKeyWord"));
        QCOMPARE(f.host->quickMaskSets, 0);
        QCOMPARE(f.host->keywordHelpFile, QStringLiteral("/help/html.hlp"));
        QVERIFY(f.host->Bar(QStringLiteral("Edit Tools"))->isVisible());
        QVERIFY(f.host->largeButtons.isEmpty());
        QCOMPARE(IniFile(keywordFile.toStdString()).ReadString("Keywords", "body", ""), "Body_Tag");
    }

    void okAppliesKeywordsQuickLoadAndToolbars() {
        Fixture f;
        const QString keywordFile = f.ProgramDir() + QStringLiteral("html.key");
        Fixture::WriteFile(keywordFile,
                           "[Config]\nHelpFile=/help/old.hlp\n[Keywords]\nbody=Body_Tag\n");
        f.host->keywordFile = keywordFile;
        ConfigureDialog dialog(*f.host, f.host.get());
        dialog.show();

        QCOMPARE(Find<QLineEdit>(dialog, "edQFileLoad")->text(),
                 QStringLiteral("*.htm;*.js;*.txt"));
        auto* keywords = Find<QPlainTextEdit>(dialog, "memKeywords");
        QCOMPARE(keywords->toPlainText(), QStringLiteral("body=Body_Tag"));
        auto* bars = Find<QListWidget>(dialog, "clbToolBars");
        QStringList captions;
        QList<bool> checked;
        for (int i = 0; i < bars->count(); ++i) {
            captions.append(bars->item(i)->text());
            checked.append(bars->item(i)->checkState() == Qt::Checked);
        }
        QCOMPARE(captions,
                 QStringList({"Main Toolbar", "Edit Tools", "Quick File Load", "Macros Window"}));
        QCOMPARE(checked, QList<bool>({true, true, true, false}));

        Find<QLineEdit>(dialog, "edQFileLoad")->setText(QStringLiteral("*.htm;*.css"));
        Find<FileNameEdit>(dialog, "edHelpFile")->SetFileName(QStringLiteral("/help/new.hlp"));
        keywords->setPlainText(
            QStringLiteral("body=Body_Tag2\nimg = Image=Tag\n\nno equals sign\n;comment=x"));
        bars->item(1)->setCheckState(Qt::Unchecked);
        bars->item(3)->setCheckState(Qt::Checked);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const IniFile stored = f.Stored();
        QCOMPARE(Config(stored, "QFileLoad"), "*.htm;*.css");
        QCOMPARE(f.host->quickMask, QStringLiteral("*.htm;*.css"));
        QCOMPARE(Config(stored, "HTMLKeyWord"), keywordFile.toStdString());
        QCOMPARE(f.host->keywordHelpFile, QStringLiteral("/help/new.hlp"));
        QVERIFY(Config(stored, "Backups") == "0");  // the closing values follow OK too

        const IniFile written(keywordFile.toStdString());
        QCOMPARE(written.ReadString("Config", "HelpFile", ""), "/help/new.hlp");
        QCOMPARE(written.ReadString("Keywords", "body", ""), "Body_Tag2");
        QCOMPARE(written.ReadString("Keywords", "img", ""), " Image=Tag");
        QCOMPARE(written.ReadString("Keywords", "", ""), "no equals sign");
        // A line the file cannot hold is reported; the others are written all the same.
        QCOMPARE(f.prompter.Questions().size(), 1);
        QCOMPARE(f.prompter.Questions()[0].kind, Prompter::Kind::Error);
        QVERIFY(f.prompter.Questions()[0].text.contains(QStringLiteral(";comment")));

        QVERIFY(f.host->Bar(QStringLiteral("Main Toolbar"))->isVisible());
        QVERIFY(!f.host->Bar(QStringLiteral("Edit Tools"))->isVisible());
        QVERIFY(f.host->Bar(QStringLiteral("Macros Window"))->isVisible());
        QVERIFY(f.host->largeButtons.isEmpty());

        // The next showing lists the toolbars as they are now.
        dialog.show();
        QCOMPARE(bars->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(bars->item(3)->checkState(), Qt::Checked);
        dialog.reject();
    }

    void okKeepsAQuickFileLoadListThatShowsAllFiles() {
        Fixture f;
        f.host->quickMask = QStringLiteral("*.*");
        ConfigureDialog dialog(*f.host, f.host.get());
        dialog.show();
        Find<QLineEdit>(dialog, "edQFileLoad")->setText(QStringLiteral("*.php"));
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);

        QCOMPARE(Config(f.Stored(), "QFileLoad"), "*.php");
        QCOMPARE(f.host->quickMask, QStringLiteral("*.*"));
        QCOMPARE(f.host->quickMaskSets, 0);
    }

    void largeIconsAreAppliedOnOkOnlyWhenTheBoxWasClicked() {
        Fixture f("[Config]\nIcon Size=40\n");
        ConfigureDialog dialog(*f.host, f.host.get());
        auto* large = Find<QCheckBox>(dialog, "cbLargeIcons");

        dialog.show();
        QVERIFY(large->isChecked());
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QVERIFY(f.host->largeButtons.isEmpty());

        // A click forgotten by Cancel does not carry over to the next showing.
        dialog.show();
        QTest::mouseClick(large, Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
        dialog.show();
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QVERIFY(f.host->largeButtons.isEmpty());

        dialog.show();
        QTest::mouseClick(large, Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QCOMPARE(f.host->largeButtons, QList<bool>({false}));
        QVERIFY(f.host->paintingFrozen);
        QVERIFY(f.host->updatesEnabled());
    }

    void theStartFileBoxSelectsUseOther() {
        Fixture f;
        ConfigureDialog dialog(*f.host, f.host.get());
        dialog.show();
        auto* startFile = Find<FileNameEdit>(dialog, "edStartFile");
        QAbstractButton* other = Radio(dialog, "rbOther");
        QVERIFY(Radio(dialog, "rbDefaultTxt")->isChecked());

        QTest::keyClick(startFile->LineEdit(), Qt::Key_X);
        QVERIFY(other->isChecked());

        Radio(dialog, "rbMinimal")->click();
        QTest::mouseClick(startFile->LineEdit(), Qt::LeftButton);
        QVERIFY(other->isChecked());

        Radio(dialog, "rbMinimal")->click();
        f.prompter.AnswerOpenFileName(QStringLiteral("\"/docs/start page.htm\""));
        QTest::mouseClick(startFile->BrowseButton(), Qt::LeftButton);
        QVERIFY(other->isChecked());
        QCOMPARE(f.prompter.UnexpectedCount(), 0);

        Type(dialog, "edBrowser", QStringLiteral("\"/usr/bin/web\""));
        dialog.accept();
        QCOMPARE(Config(f.Stored(), "Default Startup"), "3");
        QCOMPARE(Config(f.Stored(), "Start File"), "/docs/start page.htm");
        QCOMPARE(Config(f.Stored(), "Default Browser"), "/usr/bin/web");
    }

    void browsingForKeywordFiles() {
        Fixture f;
        const QString programKeys = f.ProgramDir() + QStringLiteral("html.key");
        Fixture::WriteFile(programKeys, "[Keywords]\na=A_Topic\n");
        Fixture::WriteFile(f.ProgramDir() + QStringLiteral("other.key"), "[Keywords]\nz=Z\n");
        // The keyword file lives elsewhere; the list edited is the program folder's copy.
        f.host->keywordFile = f.dir.path() + QStringLiteral("/html.key");
        f.host->keywordHelpFile = QStringLiteral("/help/html.hlp");
        ConfigureDialog dialog(*f.host, f.host.get());
        dialog.show();
        auto* keywordBox = Find<FileNameEdit>(dialog, "edKeywordFile");
        auto* keywords = Find<QPlainTextEdit>(dialog, "memKeywords");
        QCOMPARE(keywords->toPlainText(), QStringLiteral("a=A_Topic"));

        // The keyword browser starts in the program folder; cancelling leaves the box alone.
        f.prompter.AnswerOpenFileName(QString(), false);
        QTest::mouseClick(keywordBox->BrowseButton(), Qt::LeftButton);
        QCOMPARE(f.prompter.Questions().last().value, programKeys);
        QCOMPARE(f.prompter.Questions().last().filter, kKeywordFilter);
        QCOMPARE(keywordBox->FileName(), f.host->keywordFile);

        // A chosen keyword file reloads the keyword controls; a bare name gets ".key".
        f.prompter.AnswerOpenFileName(f.ProgramDir() + QStringLiteral("other.key"));
        keywordBox->Browse();
        QCOMPARE(keywords->toPlainText(), QStringLiteral("z=Z"));
        QCOMPARE(keywordBox->FileName(), f.ProgramDir() + QStringLiteral("other.key"));
        f.prompter.AnswerOpenFileName(f.ProgramDir() + QStringLiteral("fresh"));
        keywordBox->Browse();
        QCOMPARE(keywordBox->FileName(), f.ProgramDir() + QStringLiteral("fresh.key"));
        QCOMPARE(keywords->toPlainText(), QString());

        // A help file names the keyword file after it, but only when the box's file exists.
        auto* helpBox = Find<FileNameEdit>(dialog, "edHelpFile");
        f.prompter.AnswerOpenFileName(QStringLiteral("/manuals/Tags.hlp"));
        helpBox->Browse();
        QCOMPARE(keywordBox->FileName(), f.ProgramDir() + QStringLiteral("fresh.key"));
        keywordBox->SetFileName(programKeys);
        f.prompter.AnswerOpenFileName(QStringLiteral("/manuals/Tags.hlp"));
        helpBox->Browse();
        QCOMPARE(helpBox->FileName(), QStringLiteral("/manuals/Tags.hlp"));
        QCOMPARE(keywordBox->FileName(), f.ProgramDir() + QStringLiteral("Tags.key"));
        QCOMPARE(f.prompter.UnexpectedCount(), 0);
        QCOMPARE(f.host->keywordHelpFile, QStringLiteral("/help/html.hlp"));  // until OK
        dialog.reject();
    }

    void menusLookBackgroundAndHelp() {
        Fixture f("[Config]\nMenusLook=1\n");
        ConfigureDialog dialog(*f.host, f.host.get());
        QCOMPARE(f.host->menusLooks, QList<int>({1}));  // loading applies the stored look
        dialog.show();
        QCOMPARE(f.host->menusLooks, QList<int>({1, 1}));

        auto* look = Find<QComboBox>(dialog, "cbMenusLook");
        QTest::keyClick(look, Qt::Key_Down);
        QCOMPARE(look->currentIndex(), 2);
        QCOMPARE(f.host->menusLooks.last(), 2);
        f.host->menusLooks.clear();
        QTest::mouseClick(Radio(dialog, "rbBackgroundDefault"), Qt::LeftButton);
        QCOMPARE(f.host->menusLooks, QList<int>({2}));

        QTest::mouseClick(Find<QPushButton>(dialog, "btnHelp"), Qt::LeftButton);
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Find<QSpinBox>(dialog, "seMRUMax")->setFocus();
        QTest::keyClick(Find<QSpinBox>(dialog, "seMRUMax"), Qt::Key_F1);
        QCOMPARE(f.host->helpTopics, QStringList({"The_Configure_Dialog", "The_Configure_Dialog"}));
        QVERIFY(dialog.isVisible());  // help does not close the dialog

        // Escape takes the look tried back and stores nothing.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.host->menusLooks.last(), 1);
        QCOMPARE(Config(f.Stored(), "MenusLook"), "1");
        QVERIFY(!f.Stored().ValueExists("Config", "Background"));
    }
};

QUINKLE_GUI_TEST(ConfigureDialogTest);

}  // namespace
}  // namespace quinkle

#include "ConfigureDialogTest.moc"

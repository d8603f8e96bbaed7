// The Configure dialog: toolbars, keyword help, start-up, Tidy and the other program settings.
#include "gui/dialogs/ConfigureDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QToolBar>

#include <string>

#include "engine/help/HelpTopics.h"
#include "engine/store/IniFile.h"
#include "engine/store/KeywordFile.h"
#include "engine/store/ProgramSettings.h"
#include "gui/dialogs/ConfigureHost.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

const QString ConfigureDialog::kHelpTopic = FromStd(kTopicConfigureDialog);

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

QString ReadText(const IniFile& store, const TextSetting& setting) {
    return QString::fromStdString(Read(store, setting));
}

/// Drops one leading and one trailing double quote.
QString Unquoted(QString text) {
    if (text.startsWith(QLatin1Char('"'))) text.remove(0, 1);
    if (text.endsWith(QLatin1Char('"'))) text.chop(1);
    return text;
}

void CheckButton(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) button->setChecked(true);
}

/// The main window's toolbars and then its tool windows, in the order they were made.
QList<QWidget*> ToolbarsAndToolWindows(QMainWindow* window) {
    QList<QWidget*> result;
    if (window == nullptr) return result;
    for (QToolBar* bar : window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        result.append(bar);
    }
    for (QDockWidget* dock : window->findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
        result.append(dock);
    }
    return result;
}

}  // namespace

ConfigureDialog::ConfigureDialog(ConfigureHost& host, QWidget* parent)
    : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("frmToolBar"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Configure"));
    setModal(true);
    CreateControls();
    ConnectHandlers();
    Guarded([&] { LoadControls(); });
    if (QMainWindow* window = m_host.MainWindow()) setFont(window->font());
}

void ConfigureDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void ConfigureDialog::FormShow() {
    Guarded([&] {
        LoadControls();
        m_keywordHelpFile = m_host.KeywordHelpFile();
        m_keywordFile = m_host.KeywordFile();
        LoadKeywordControls();
        FillToolbarList();
    });
}

void ConfigureDialog::LoadControls() {
    const IniFile& store = m_host.Settings();
    m_loading = true;

    int startup = Read(store, kDefaultStartup);
    if (startup < 0 || startup > 3) startup = 2;
    CheckButton(m_rgStartup, startup);
    m_edStartFile->SetFileName(ReadText(store, kStartFileProposed));
    CheckButton(m_rgBackups, Read(store, kBackupsProposed) == 0 ? 0 : 1);
    CheckButton(m_rgBackground, Read(store, kBackgroundProposed) == 1 ? 1 : 0);
    int look = Read(store, kMenusLook);
    if (look < 0 || look > 2) look = 0;
    m_cbMenusLook->setCurrentIndex(look);
    CheckButton(m_rgShowHints, Read(store, kShowHints) ? 0 : 1);
    m_seMRUMax->setValue(m_host.RecentFilesMax());
    m_cbFullPath->setChecked(Read(store, kRecentFullPath));
    m_cbSchemeFromExtension->setChecked(Read(store, kSchemeFromExtension));
    m_edQFileLoad->setText(ReadText(store, kQuickFileMaskProposed));
    m_edBrowser->SetFileName(ReadText(store, kDefaultBrowser));
    m_cbLargeIcons->setChecked(Read(store, kToolbarIconSize) == kLargeIconSize);

    m_cbTidyElement->setChecked(Read(store, kTidyIndent));
    m_cbTidyTags->setChecked(Read(store, kTidyOmitOptionalTags));
    m_cbTidyWrap->setChecked(Read(store, kTidyWrap));
    m_cbTidyErrLog->setChecked(Read(store, kTidyShowErrorLog));
    m_cbTidyUpperCase->setChecked(Read(store, kTidyUpperCaseTags));
    m_cbTidyReplace->setChecked(Read(store, kTidyReplacePresentational));
    m_seTidyWrapAt->setValue(Read(store, kTidyWrapColumn));

    m_loading = false;
    m_host.SetRecentCaptionWidth(m_cbFullPath->isChecked() ? 999 : 150);
    m_largeIconsClicked = false;
    m_host.ApplyMenusLook(MenusLook());
}

void ConfigureDialog::LoadKeywordControls() {
    m_edHelpFile->SetFileName(m_keywordHelpFile);
    m_edKeywordFile->SetFileName(m_keywordFile);
    m_memKeywords->clear();
    if (m_keywordFile.isEmpty()) return;
    // The keywords are edited in the copy that lives in the program folder.
    const IniFile keywords(Utf8(m_host.ProgramDir() + QFileInfo(m_keywordFile).fileName()));
    QStringList lines;
    for (const std::string& line : keywords.ReadSectionValues(kKeywords.Section)) {
        lines.append(QString::fromStdString(line));
    }
    m_memKeywords->setPlainText(lines.join(QLatin1Char('\n')));
}

void ConfigureDialog::FillToolbarList() {
    m_clbToolBars->clear();
    QMainWindow* window = m_host.MainWindow();
    for (QWidget* bar : ToolbarsAndToolWindows(window)) {
        auto* item = new QListWidgetItem(bar->windowTitle(), m_clbToolBars);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(bar->isVisibleTo(window) ? Qt::Checked : Qt::Unchecked);
    }
}

int ConfigureDialog::MenusLook() const { return qMax(0, m_cbMenusLook->currentIndex()); }

void ConfigureDialog::btnOKClick() {
    Guarded([&] { ApplyOkSettings(); });
    accept();
}

void ConfigureDialog::ApplyOkSettings() {
    IniFile& store = m_host.Settings();
    m_keywordHelpFile = m_edHelpFile->FileName();
    m_keywordFile = m_edKeywordFile->FileName();
    const QString extensions = m_edQFileLoad->text();
    Write(store, kQuickFileMask, Utf8(extensions));
    if (m_host.QuickFileMask() != QStringLiteral("*.*")) m_host.SetQuickFileMask(extensions);
    Write(store, kKeywordFile, Utf8(m_keywordFile));
    m_host.SetKeywordHelpFile(m_keywordHelpFile);
    m_host.SetKeywordFile(m_keywordFile);
    if (!m_keywordFile.isEmpty()) WriteKeywordFile(m_keywordFile);

    QMainWindow* window = m_host.MainWindow();
    for (QWidget* bar : ToolbarsAndToolWindows(window)) {
        const QList<QListWidgetItem*> entries =
            m_clbToolBars->findItems(bar->windowTitle(), Qt::MatchExactly);
        if (!entries.isEmpty()) bar->setVisible(entries.first()->checkState() == Qt::Checked);
    }

    if (m_largeIconsClicked) {
        const bool frozen = window != nullptr && window->updatesEnabled();
        if (frozen) window->setUpdatesEnabled(false);
        m_host.ApplyLargeButtons(m_cbLargeIcons->isChecked());
        if (frozen) window->setUpdatesEnabled(true);
    }
}

void ConfigureDialog::WriteKeywordFile(const QString& path) {
    QString fullPath = path;
    if (QFileInfo(fullPath).isRelative()) fullPath = m_host.ProgramDir() + fullPath;
    IniFile keywords(Utf8(fullPath));
    if (!keywords.LoadProblem().empty()) {
        AppPrompter().Error(QStringLiteral("Cannot read keyword file '%1': %2")
                                .arg(fullPath, QString::fromStdString(keywords.LoadProblem())));
        return;
    }
    Write(keywords, kKeywordHelpFile, Utf8(m_keywordHelpFile));
    const std::string firstProblem =
        WriteKeywordLines(keywords, Utf8(m_memKeywords->toPlainText()));
    keywords.UpdateFile();
    if (!firstProblem.empty()) AppPrompter().Error(QString::fromStdString(firstProblem));
}

void ConfigureDialog::btnCancelClick() { reject(); }

void ConfigureDialog::done(int result) {
    // Cancel and Escape change no option: the controls go back to the stored values, which
    // also takes back a menu look tried while the dialog was open.
    Guarded([&] {
        if (result == QDialog::Accepted)
            WriteClosingValues();
        else
            LoadControls();
    });
    QDialog::done(result);
}

void ConfigureDialog::WriteClosingValues() {
    IniFile& store = m_host.Settings();
    const bool fullPath = m_cbFullPath->isChecked();
    const bool hints = m_rgShowHints->checkedId() != 1;
    m_host.SetRecentCaptionWidth(fullPath ? 999 : 150);
    m_host.SetHintsShown(hints);
    m_host.SetRecentFilesMax(m_seMRUMax->value());

    Write(store, kRecentFullPath, fullPath);
    Write(store, kSchemeFromExtension, m_cbSchemeFromExtension->isChecked());
    Write(store, kRecentMax, m_seMRUMax->value());
    Write(store, kDefaultStartup, qMax(0, m_rgStartup->checkedId()));
    Write(store, kBackground, m_rgBackground->checkedId() == 1 ? 1 : 0);
    Write(store, kBackups, m_rgBackups->checkedId() == 1 ? 1 : 0);
    Write(store, kStartFile, Utf8(Unquoted(m_edStartFile->FileName())));
    Write(store, kDefaultBrowser, Utf8(Unquoted(m_edBrowser->FileName())));
    Write(store, kMenusLook, MenusLook());
    Write(store, kShowHints, hints);

    Write(store, kTidyIndent, m_cbTidyElement->isChecked());
    Write(store, kTidyOmitOptionalTags, m_cbTidyTags->isChecked());
    Write(store, kTidyWrap, m_cbTidyWrap->isChecked());
    Write(store, kTidyShowErrorLog, m_cbTidyErrLog->isChecked());
    Write(store, kTidyUpperCaseTags, m_cbTidyUpperCase->isChecked());
    Write(store, kTidyReplacePresentational, m_cbTidyReplace->isChecked());
    Write(store, kTidyWrapColumn, m_seTidyWrapAt->value());

    if (!store.FileName().empty()) store.UpdateFile();
}

void ConfigureDialog::btnHelpClick() { m_host.ShowHelpTopic(kHelpTopic); }

void ConfigureDialog::cbLargeIconsClick() { m_largeIconsClicked = true; }

void ConfigureDialog::cbMenusLookChange() {
    if (!m_loading) m_host.ApplyMenusLook(MenusLook());
}

void ConfigureDialog::rgBackgroundClick() { m_host.ApplyMenusLook(MenusLook()); }

void ConfigureDialog::edStartFileClick() { m_rbOther->setChecked(true); }

void ConfigureDialog::edHelpFileChange(const QString& fileName) {
    m_keywordHelpFile = fileName;
    if (QFileInfo::exists(m_edKeywordFile->FileName())) {
        QString name = QFileInfo(fileName).fileName();
        name.chop(4);
        m_edKeywordFile->SetFileName(m_host.ProgramDir() + name + QStringLiteral(".key"));
    }
}

void ConfigureDialog::edKeywordFileBeforeBrowse() {
    m_edKeywordFile->SetBrowseStart(m_host.ProgramDir() + QFileInfo(m_keywordFile).fileName());
}

void ConfigureDialog::edKeywordFileChange(const QString& fileName) {
    m_keywordFile = fileName;
    Guarded([&] { LoadKeywordControls(); });
}

}  // namespace quinkle

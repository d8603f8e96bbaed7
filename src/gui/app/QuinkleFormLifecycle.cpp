// The main window's life cycle: what it loads when created and shown, what it stores when it
// closes, and the program font.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QMenu>
#include <QToolTip>
#include <cassert>

#include "engine/scheme/SchemeOutputStyler.h"
#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"
#include "engine/store/SchemeRegistry.h"
#include "engine/store/UserStore.h"
#include "gui/app/BannerMenu.h"
#include "gui/app/CommandTable.h"
#include "gui/app/ProgramIcons.h"
#include "gui/app/ProgramInfo.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/ShippedSchemes.h"
#include "gui/app/WindowPlacement.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

void QuinkleForm::FormCreate() {
    TraceStartup(QStringLiteral("FormCreate"));
    AssignCaptions();

    PrepareProgramDir();

    // Printing to a PDF file counts as the default printer, so the print commands are
    // always there.
    SetPrintCommandsVisible(true);

    m_background = ArtworkPixmap("backg");

    m_settings = std::make_unique<IniFile>(IniFile::DefaultPath());
    RestoreToolbarLayout();

    ReadKeywordFile();

    m_recentCaptionWidth = Read(*m_settings, kRecentFullPath) ? 999 : 150;
    m_userStore = std::make_unique<UserStore>(UserStore::DefaultPath());
    CreateDocument();

    ApplyBackground();
    BuildQuickButtonIndex();

    m_menuBanner =
        QStringLiteral(" %1 %2").arg(QLatin1String(kProductName.data()), QLatin1String(kVersion));
    for (const char* name :
         {"File1", "Edit1", "Text1", "Insert1", "Options1", "Bookmarks1", "Help1"}) {
        findChild<BannerMenu*>(QLatin1String(name))->SetBanner(m_menuBanner);
    }
}

void QuinkleForm::ReadKeywordFile() {
    m_keywordFile = FromStd(KeywordFileOrShipped(*m_settings, ToStd(ProgramDir())));
    m_keywordHelpFile.clear();
    if (m_keywordFile.isEmpty()) return;
    const IniFile keywords(ToStd(m_keywordFile));
    SetKeywordHelpFile(FromStd(Read(keywords, kKeywordHelpFile)));
}

void QuinkleForm::showEvent(QShowEvent* event) {
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void QuinkleForm::FormShow() {
    TraceStartup(QStringLiteral("FormShow"));
    SetHintsShown(Read(*m_settings, kShowHints));

    m_windowStatus = RestoreWindowPlacement(*this, *m_settings);

    SetApplicationTitle(
        QStringLiteral("%1 %2").arg(QLatin1String(kProductName.data()), QLatin1String(kVersion)));

    SetCurrentFileName(QString());
    m_memo->Editor().SetModified(false);

    ApplyProgramFont(FromStd(Read(*m_settings, kProgramFont)));

    if (m_commandLineDocument.isEmpty())
        NewDocument();
    else
        OpenDocument(m_commandLineDocument, true);

    if (Read(*m_settings, kToolbarIconSize) == kLargeIconSize) ApplyLargeButtons(true);

    m_quickFileMask = FromStd(Read(*m_settings, kQuickFileMask));
    m_cbQFileLoad->setChecked(Read(*m_settings, kQuickFileAll));

    m_wbrKey = FromStd(Read(*m_settings, kWbrKey));

    ApplyMenusLook(Read(*m_settings, kMenusLook));

    LoadSchemes();

    connect(m_memo, &SourceEditorWidget::Changed, this, &QuinkleForm::Memo1Change,
            Qt::UniqueConnection);
    AttachCommandParts(*this);

    SetStartupComplete(true);
    UpdateCommandState();
}

void QuinkleForm::LoadSchemes() {
    std::vector<std::string> problems;
    m_schemes = LoadShippedSchemes(*m_userStore, problems);
    SetActiveParser(1);
    for (const std::string& problem : problems) ShowStatusMessage(QString::fromStdString(problem));
}

void QuinkleForm::SetActiveParser(int index) {
    assert(index >= 1 && index <= static_cast<int>(m_schemes.size()));
    ShippedScheme& scheme = *m_schemes[index - 1];
    m_activeParser = index;
    m_memo->Editor().SetSettings(&scheme.Compiled.Settings.Editor);
    // Formatted saves and copies take their colours from the active scheme.
    m_outputStyler = std::make_unique<SchemeOutputStyler>(
        scheme.Compiled.Settings.Editor.Styles,
        [this](uint32_t colour) { return FromQColor(ToQColor(colour, palette())); },
        FromQColor(palette().color(QPalette::Text)), FromQColor(palette().color(QPalette::Base)),
        m_memo->EditorFont().family().toStdString(), m_memo->EditorFont().pointSize());
    m_memo->Editor().SetOutputStyler(m_outputStyler.get());
    m_memo->SetScheme(&scheme.Compiled.Scheme);
    m_memo->ApplySettings();
}

void QuinkleForm::StoreParserStyles(int index) {
    assert(index >= 1 && index <= static_cast<int>(m_schemes.size()));
    const ShippedScheme& scheme = *m_schemes[index - 1];
    Guarded(
        [&] {
            SaveSchemeStyles(scheme.Compiled, *m_userStore, scheme.Link);
            m_userStore->Flush();
        },
        Prompter::Kind::Warning);
}

void QuinkleForm::ApplyProgramFont(const QString& name) {
    if (name != font().family()) {
        SetPanelText(PanelMessage, QStringLiteral("Updating Font to: %1").arg(name));
        setUpdatesEnabled(false);
        QFont programFont = font();
        programFont.setFamily(name);
        setFont(programFont);
        QToolTip::setFont(programFont);
        for (QMenu* menu : findChildren<QMenu*>()) menu->setFont(programFont);
        setUpdatesEnabled(true);
        Write(*m_settings, kProgramFont, ToStd(name));
    }
    SetPanelText(PanelMessage, QString());
}

void QuinkleForm::closeEvent(QCloseEvent* event) {
    // The save question takes the focus away: the state to keep is the one before it.
    const WindowState before = CurrentWindowState(*this);
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose(before);
    event->accept();
}

bool QuinkleForm::FormCloseQuery() { return !m_memo->Editor().Modified() || AskSaveChanges(); }

void QuinkleForm::FormClose(WindowState state) {
    TraceStartup(QStringLiteral("FormClose"));
    SaveToolbarLayout();

    StoreWindowPlacement(*this, state, *m_settings);

    Write(*m_settings, kQuickFileMask, ToStd(m_quickFileMask));
    Write(*m_settings, kQuickFileAll, m_cbQFileLoad->isChecked());

    Guarded([&] { m_settings->UpdateFile(); });
}

}  // namespace quinkle

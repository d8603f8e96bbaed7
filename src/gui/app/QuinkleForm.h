// The main window: hosts the editor, its menus, toolbars, tool windows and status bar.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "engine/editor/SourceEditor.h"
#include "engine/text/Charset.h"
#include "gui/app/ToolbarControls.h"
#include "gui/app/WindowPlacement.h"
#include "gui/dialogs/ConfigureHost.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/help/HelpCommands.h"

class QActionGroup;
class QCheckBox;
class QDockWidget;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolBar;
class QToolButton;

namespace quinkle {

class BannerMenu;
class MainStatusBar;
class TitleCaption;
class ConfigureDialog;
struct ShippedScheme;
class UserStore;
class SourceEditor;
class SourceEditorWidget;
class Document;
class DocumentAsker;
class DocumentHost;
class RecentFileList;
class HeadDialog;
class SchemeOutputStyler;
class BodyDialog;
struct BodyFields;
struct GeneratedText;

/// The main window `QuinkleForm`. Every menu item and toolbar control carries its designer
/// name as objectName; menu items and buttons are QActions (a button's action and its
/// QToolButton share the button's name), made from the command table; a command without a
/// handler there stays disabled.
///
/// Life cycle: the constructor builds the window and runs FormCreate; the first showing runs
/// FormShow; closing runs FormCloseQuery and then FormClose.
class QuinkleForm : public QMainWindow, public ConfigureHost, public InsertHost {
    Q_OBJECT

public:
    /// Status bar panels.
    enum Panel { PanelPosition = 0, PanelInsert, PanelNumLock, PanelCapsLock, PanelMessage };

    explicit QuinkleForm(QWidget* parent = nullptr);
    ~QuinkleForm() override;

    SourceEditorWidget* Memo1() const { return m_memo; }
    /// The menu item, pop-up item or toolbar button action of that designer name, or null.
    QAction* Command(const QString& name) const;
    /// Every toolbar in creation order (the order of the Show/Hide Toolbars pop-up).
    QList<QToolBar*> Toolbars() const { return m_toolbars; }
    /// Every tool window in creation order.
    QList<QDockWidget*> ToolWindows() const { return m_toolWindows; }
    /// The toolbar buttons with Tag 1..10 by Tag (index 0 is unused).
    const std::array<QToolButton*, 11>& QuickButtonIndex() const { return m_quickButtonIndex; }

    // ---- title ----
    /// The document part of the title: "(Untitled)" or the file name, maybe with "*".
    QString DocumentTitle() const { return m_documentTitle; }
    void SetDocumentTitle(const QString& part);
    /// Full path of the open document; empty for an untitled one.
    QString CurrentFileName() const;
    void SetCurrentFileName(const QString& path);
    /// The first command-line argument, opened when the window is first shown.
    QString CommandLineDocument() const { return m_commandLineDocument; }
    void SetCommandLineDocument(const QString& path) { m_commandLineDocument = path; }

    // ---- status bar and command state ----
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString& text);
    /// Refreshes Undo/Redo, Cut/Copy/Indent/Un-Indent and Paste and the position panel.
    void UpdateCommandState();
    /// A short notice in panel 4 (after refreshing the command state).
    void ShowStatusMessage(const QString& text);

    // ---- fonts and looks ----
    /// Gives the window, its menus and the hints the font `name`; stores it as [Config]
    /// "Program Font" when it changed.
    void ApplyProgramFont(const QString& name);
    bool LargeButtons() const { return m_largeButtons; }
    int MenusLook() const { return m_menusLook; }
    bool BackgroundShown() const { return m_backgroundShown; }
    QString MenuBanner() const { return m_menuBanner; }
    /// The window status read at showing ([Config] "Status", 0..3).
    int WindowStatus() const { return m_windowStatus; }
    /// The key of the "WBR" Use command ([Config] "wbr").
    QString WbrKey() const { return m_wbrKey; }
    /// Whether the print commands are shown (a default printer or PDF output exists).
    bool PrintingAvailable() const { return m_printingAvailable; }

    /// The "Show/Hide Toolbars" pop-up, built afresh: one checked item per visible toolbar,
    /// a separator, one item per tool window.
    QMenu* BuildToolbarPopup();

    /// The active scheme, 1-6 (Parser1..Parser6: HTML, Pascal, C script, SQL, Visual Basic
    /// Script, plain text); 0 while none is loaded.
    int ActiveParser() const { return m_activeParser; }
    /// Makes scheme `index` (1-6) the editor's: its settings, key map and colours.
    void SetActiveParser(int index);
    /// Writes the styles and keys of scheme `index` (1-6) to the per-user store, so the next
    /// start applies them; an unwritable store is reported as a warning.
    void StoreParserStyles(int index);
    /// The loaded schemes, Parser1 first.
    const std::vector<std::unique_ptr<ShippedScheme>>& Schemes() const { return m_schemes; }

    // ---- ConfigureHost ----
    IniFile& Settings() override { return *m_settings; }
    QMainWindow* MainWindow() override { return this; }
    QString ProgramDir() const override;
    QString KeywordHelpFile() const override { return m_keywordHelpFile; }
    void SetKeywordHelpFile(const QString& path) override { m_keywordHelpFile = path.left(100); }
    QString KeywordFile() const override { return m_keywordFile; }
    void SetKeywordFile(const QString& path) override { m_keywordFile = path; }
    void ApplyLargeButtons(bool large) override;
    void ApplyBackground() override;
    void ApplyMenusLook(int look) override;
    void SetHintsShown(bool shown) override;
    int RecentFilesMax() const override;
    void SetRecentFilesMax(int max) override;
    void SetRecentCaptionWidth(int width) override { m_recentCaptionWidth = width; }
    int RecentCaptionWidth() const { return m_recentCaptionWidth; }
    QString QuickFileMask() const override { return m_quickFileMask; }
    void SetQuickFileMask(const QString& mask) override { m_quickFileMask = mask; }

    /// The Configure dialog, once the start-up has created it (null before).
    ConfigureDialog* ConfigureDialogWindow() const { return m_configureDialog; }
    void SetConfigureDialog(ConfigureDialog* dialog);

    // ---- the document (QuinkleFormDocuments.cpp; the engine's Document does the work) ----
    /// Asks whether to save a modified document; true when the caller may go on.
    bool AskSaveChanges();
    /// A new document as [Config] "Default Startup" says.
    void NewDocument();
    /// Opens `fileName`; `remember` adds it to the recent files.
    void OpenDocument(const QString& fileName, bool remember);
    /// The charset the document declares, in which its bytes are shown and typed.
    Charset DocumentCharset() const;
    /// The recent-files list of the File menu.
    const RecentFileList& RecentFiles() const;
    Document& EngineDocument() const { return *m_document; }  ///< for the window's parts
    // ---- HTML commands (QuinkleFormTags.cpp) ----
    /// Opens undo group `code` (an open group is kept) and holds painting and change reports
    /// until the matching EndCommandGroup.
    void BeginCommandGroup(int code);
    void EndCommandGroup(int code);
    /// "<tag attributes>selection</tag>" as one undo step; the caret ends between the tags when
    /// nothing was selected.
    void WrapSelection(const QString& tag, const QString& attributes, int code);
    /// "<p align=alignment>selection</p>".
    void AlignParagraph(const QString& alignment);

    /// The Body dialog's fields, for a new document's body tag.
    BodyFields BodyDialogFields() const;
    /// Refills the File menu's recent-file entries.
    void RebuildRecentMenu();

    /// The Create Header and Create Body dialogs, made once and kept for the whole run.
    void CreateHeadDialog();
    void CreateBodyDialog();
    /// Shows the Create Header / Create Body dialog (made first if need be).
    void CreateHead();
    void CreateBody();

    // ---- InsertHost ----
    void InsertGeneratedText(const QString& text, int stepBack, int code) override;
    QString LastFolder(const QString& key) const override;
    void RememberFolder(const QString& key, const QString& path) override;
    bool PickColour(QColor& colour) override;
    void ShowHelpTopic(const QString& topic) override { HelpCommands::Of(*this).ShowTopic(topic); }

    /// The document's bytes for `text` (in the charset the document declares) and back.
    std::string DocumentBytes(const QString& text) const;
    QString DocumentText(std::string_view bytes) const;

    // ---- command handlers (the command table binds them to their controls) ----
    void mnuNewClick();
    void mnuOpenClick();
    void mnuSaveClick();
    void mnuSaveAsClick();
    void mnuDeleteClick();
    void mnuCountCharsClick();
    void SaveFormatted(TextSaveFormat format);
    void InsertCharacter1Click();
    void FormatClick();
    void InsertHeading(const QString& caption);
    void InsertList(const char* listTag);
    void btnAddFontClick();
    void mnuWBRSetClick();
    void mnuStripClick();
    void btnExitClick();
    void btnToolBarClick();
    void mnuEdFontClick();
    void ProgramFont1Click();
    void mnuCutClick();
    void mnuCopyClick();
    void mnuPasteClick();
    void mnuSelectAllClick();
    void mnuUndoClick();
    void mnuRedoClick();
    void btnIndentClick();
    void btnUnIndentClick();
    void mnuWordWrapClick();
    void mnuReadOnlyClick();

public Q_SLOTS:
    void DoToolbars(QAction* item);
    void Memo1Change();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    // Building the window (one file per concern).
    void CreateCommands();
    void CreateMenus();
    void CreatePopupMenus();
    void CreateToolbars();
    void CreateToolWindows();
    void CreateStatusBar();
    QAction* NewCommand(const char* name);
    QToolBar* NewToolbar(const char* name, Qt::ToolBarArea area);
    QToolButton* AddButton(QToolBar* bar, const QString& name, int tag = 0);
    /// Adds a toolbar layout's item to `bar` (see ToolbarLayout).
    void AddToolbarItem(QToolBar* bar, const QString& item);
    BannerMenu* NewMenu(const char* name, const QString& title, QWidget* parent);

    // Life cycle.
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose(WindowState state);
    void AssignCaptions();
    void RestoreToolbarLayout();
    void SaveToolbarLayout();
    void ReadKeywordFile();
    void BuildQuickButtonIndex();
    void SetPrintCommandsVisible(bool visible);
    void Memo1KeyDown(QKeyEvent* event);
    void UpdateKeyIndicators(QKeyEvent* event);
    /// Runs an edit on the editor as one change batch, shows it and refreshes the commands.
    void EditAndShow(const std::function<void(SourceEditor&)>& edit);

    void LoadSchemes();

    // The document.
    void CreateDocument();
    void Memo1FilesDropped(const QStringList& names);

    void InsertGenerated(const GeneratedText& generated, int code);
    /// Shows the caret and the commands' state after an insertion.
    void ShowInsertion();
    void ApplyWbrKey(const QString& key);

    std::unique_ptr<IniFile> m_settings;
    std::unique_ptr<UserStore> m_userStore;
    std::vector<std::unique_ptr<ShippedScheme>> m_schemes;
    int m_activeParser = 0;
    SourceEditorWidget* m_memo = nullptr;
    ConfigureDialog* m_configureDialog = nullptr;
    TitleCaption* m_caption = nullptr;
    std::unique_ptr<MainStatusBar> m_status;
    QList<QToolBar*> m_toolbars;
    QList<QDockWidget*> m_toolWindows;
    QList<BannerMenu*> m_bannerMenus;
    std::array<QToolButton*, 11> m_quickButtonIndex{};
    QActionGroup* m_syntaxGroup = nullptr;

    // The toolbars' controls and the tool windows' lists.
    ToolbarControls m_controls;
    QListWidget* m_lbMacros = nullptr;
    QListWidget* m_flQFileLoad = nullptr;
    QCheckBox* m_cbQFileLoad = nullptr;
    QLineEdit* m_edQFLoad = nullptr;

    std::unique_ptr<DocumentAsker> m_asker;
    std::unique_ptr<DocumentHost> m_documentWindow;
    std::unique_ptr<Document> m_document;
    QList<QAction*> m_recentActions;
    std::unique_ptr<SchemeOutputStyler> m_outputStyler;
    HeadDialog* m_headDialog = nullptr;
    BodyDialog* m_bodyDialog = nullptr;
    QColor m_lastColour = Qt::black;

    QPixmap m_background;
    QString m_documentTitle;
    QString m_commandLineDocument;
    QString m_keywordFile;
    QString m_keywordHelpFile;
    QString m_menuBanner;
    QString m_wbrKey;
    QString m_quickFileMask;
    int m_windowStatus = 1;
    int m_menusLook = 0;
    int m_recentCaptionWidth = 999;
    bool m_backgroundShown = true;
    bool m_largeButtons = false;
    bool m_printingAvailable = true;
    bool m_shown = false;
};

}  // namespace quinkle

// The main window's main menu and pop-up menus, laid out from the commands by name.
#include <QAction>
#include <QMenuBar>

#include "gui/app/BannerMenu.h"
#include "gui/app/QuinkleForm.h"

namespace quinkle {
namespace {

// A menu layout: command names in order; "-" is a separator, ">Name|Title" opens a submenu
// and "<" closes it.
using Layout = std::initializer_list<const char*>;

// clang-format off
constexpr Layout kFileMenu = {
    "mnuNew", "LoadFromWeb1", "-",
    "mnuOpen", "mnuSave", "mnuSaveAs", ">FormatSave1|Formatted Save", "asHTML", "AsRTF", "<",
    "mnuDelete", "-PrintSeparator",
    "mnuPrint",
    "-RecentSeparator",  // the recent-files entries go in before this separator
    "mnuExit"};

constexpr Layout kEditMenu = {
    "mnuCut", "mnuCopy", "mnuPaste", "Delete3", "mnuSelectAll", "-",
    "mnuIndent", "mnuUnIndent", "-",
    "mnuUndo", "mnuRedo", "-",
    "mnuGoto", "-",
    "mnuFind", "mnuFindNext", "ShowAll1", "mnuReplace", "UseRegularExpressions1"};

constexpr Layout kTextMenu = {"mnuTextAdd", "mnuQuickText", "-", "mnuWordWrap", "mnuReadOnly"};

constexpr Layout kInsertMenu = {
    ">HeaderBody1|&Header/Body", "mnuHeader2", "mnuBody", "<",
    ">FormData1|&Form Data", "mnuForm", "mnuInput", "mnuSelect", "mnuTextArea", "<",
    ">Link1|&Link", "mnuLink2", "mnuMailTo", "mnuSectionName", "<",
    ">Formatting1|&Formatting", "mnuBold", "mnuItalics", "mnuUnderline", "-",
        "mnuBlink", "mnuSuperscript", "mnuSubscript", "mnuHorizontalRule", "mnuFootNote", "<",
    ">Heading1|Heading", "H11", "H21", "H31", "H41", "H51", "H61", "<",
    ">WBR1|WBR", "mnuWBRSet", "mnuWBRUse", "<",
    "-",
    "GradientText1", "HTML3", "mnuBreak", "mnuColour", "Comment1", "mnuDateTime", "mnuGraphic",
    "Paragraph1", "Script1", "mnuTable", "InsertCharacter1"};

constexpr Layout kOptionsMenu = {
    "mnuEdFont", "ProgramFont1", "mnuToolBars", "-",
    ">DefaultSyntax1|Default Syntax", "HTML1", "Pascal1", "CC1", "mnuSQL", "SQL1", "PlainText1",
        "<",
    "Properties1", "-",
    "Format1", "-",
    "mnuCountChars"};

constexpr Layout kBookmarksMenu = {
    ">SetBookmark1|Set Bookmark", "mnuSetBM01", "mnuSetBM02", "mnuSetBM03", "mnuSetBM04",
        "mnuSetBM05", "mnuSetBM06", "mnuSetBM07", "mnuSetBM08", "mnuSetBM09", "<",
    ">GotoBookmark1|Goto Bookmark", "mnuGotoBM01", "mnuGotoBM02", "mnuGotoBM03", "mnuGotoBM04",
        "mnuGotoBM05", "mnuGotoBM06", "mnuGotoBM07", "mnuGotoBM08", "mnuGotoBM09",
        "NoBookmarksSet1", "<"};

constexpr Layout kHelpMenu = {
    "mnuHelp2", "mnuSearchForHelpOn", "mnuHowToUseHelp", "-",
    "mnuTipOfTheDay", "-",
    "mnuAbout", "Support"};

constexpr Layout kMemoPopUp = {
    "Undo1", "Redo1", "-",
    "Cut1", "Copy1", "Paste1", "Delete4", "-",
    "SelectAll1", "-",
    "Format2", "mnuStrip"};

constexpr Layout kMacrosPopUp = {"Play1", "-", "Delete1", "DeleteAll1"};
constexpr Layout kQuickLoadPopUp = {"Load1", "-", "Delete2", "DeleteAll2", "-", "ShowAll3"};
constexpr Layout kBrowserPopUp = {"Browser1", "Default1"};
// clang-format on

}  // namespace

BannerMenu* QuinkleForm::NewMenu(const char* name, const QString& title, QWidget* parent) {
    auto* menu = new BannerMenu(title, parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    m_bannerMenus.append(menu);
    return menu;
}

namespace {

// Fills `menu` from a layout; submenus are plain menus without a banner.
void FillMenu(QMenu* menu, const Layout& layout, const QuinkleForm& form) {
    QList<QMenu*> open{menu};
    for (const char* entry : layout) {
        const QString item = QLatin1String(entry);
        if (item.startsWith(QLatin1Char('-'))) {
            QAction* separator = open.last()->addSeparator();
            if (item.size() > 1) separator->setObjectName(item.mid(1));
        } else if (item.startsWith(QLatin1Char('>'))) {
            const QStringList parts = item.mid(1).split(QLatin1Char('|'));
            QMenu* sub = open.last()->addMenu(parts.at(1));
            sub->setObjectName(parts.at(0));
            sub->menuAction()->setObjectName(parts.at(0));
            open.append(sub);
        } else if (item == QLatin1String("<")) {
            open.removeLast();
        } else {
            open.last()->addAction(form.Command(item));
        }
    }
}

}  // namespace

void QuinkleForm::CreateMenus() {
    struct TopMenu {
        const char* name;
        const char* title;
        const Layout* layout;
    };
    const TopMenu menus[] = {
        {"File1", "&File", &kFileMenu},          {"Edit1", "&Edit", &kEditMenu},
        {"Text1", "&Text", &kTextMenu},          {"Insert1", "&Insert", &kInsertMenu},
        {"Options1", "&Options", &kOptionsMenu}, {"Bookmarks1", "&Bookmarks", &kBookmarksMenu},
        {"Help1", "&Help", &kHelpMenu}};
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    for (const TopMenu& top : menus) {
        BannerMenu* menu = NewMenu(top.name, QLatin1String(top.title), this);
        FillMenu(menu, *top.layout, *this);
        menuBar()->addMenu(menu);
    }
    // The Edit menu refreshes the command state when it opens.
    connect(findChild<QMenu*>(QStringLiteral("Edit1")), &QMenu::aboutToShow, this,
            &QuinkleForm::UpdateCommandState);
}

void QuinkleForm::CreatePopupMenus() {
    BannerMenu* memoPopUp = NewMenu("MemoPopUp", QString(), this);
    memoPopUp->SetBanner(QStringLiteral("Quick Edit"));
    FillMenu(memoPopUp, kMemoPopUp, *this);

    BannerMenu* macros = NewMenu("pmMacros", QString(), this);
    macros->SetBanner(QStringLiteral("Macros"));
    FillMenu(macros, kMacrosPopUp, *this);

    BannerMenu* quickLoad = NewMenu("pmQFileLoad", QString(), this);
    quickLoad->SetBanner(QStringLiteral("Quick Load"));
    FillMenu(quickLoad, kQuickLoadPopUp, *this);

    QMenu* browser = new QMenu(this);
    browser->setObjectName(QStringLiteral("puBrowser"));
    FillMenu(browser, kBrowserPopUp, *this);
    for (const char* name : {"UndoPopup", "ReDoPopup"}) {
        QMenu* list = new QMenu(this);
        list->setObjectName(QLatin1String(name));
    }
}

}  // namespace quinkle

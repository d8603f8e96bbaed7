// The layouts of the main window's menus, pop-up menus and toolbars, by command name.
#include "gui/app/CommandLayout.h"

#include <QAction>
#include <QMenu>

#include "gui/app/QuinkleForm.h"

namespace quinkle {
namespace {

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

const MenuLayout kMainMenus[7] = {
    {"File1", "&File", &kFileMenu},          {"Edit1", "&Edit", &kEditMenu},
    {"Text1", "&Text", &kTextMenu},          {"Insert1", "&Insert", &kInsertMenu},
    {"Options1", "&Options", &kOptionsMenu}, {"Bookmarks1", "&Bookmarks", &kBookmarksMenu},
    {"Help1", "&Help", &kHelpMenu}};

const PopupLayout kPopupMenus[4] = {{"MemoPopUp", "Quick Edit", &kMemoPopUp},
                                    {"pmMacros", "Macros", &kMacrosPopUp},
                                    {"pmQFileLoad", "Quick Load", &kQuickLoadPopUp},
                                    {"puBrowser", nullptr, &kBrowserPopUp}};

// clang-format off
const ToolbarLayout kToolbarLayouts[9] = {
    {"MainTool", "Main Toolbar", Qt::TopToolBarArea, false,
     {"btnNew", "btnOpen", "btnSave", "btnPrint", "btnExit", "btnHelp", "btnAbout", "btnToolBar",
      "btnView>puBrowser"}},
    {"EditTool", "Edit Tools", Qt::TopToolBarArea, false,
     {"btnCut", "btnPaste", "btnCopy", "btnFind", "btnReplace", "btnUndo>UndoPopup",
      "btnRedo>ReDoPopup", "btnDelete"}},
    {"MacrosBar", "Macros Toolbar ", Qt::TopToolBarArea, false,
     {"btnRec", "btnPlay", "btnViewMac", "btnMStop", "@edMacro"}},
    {"HTMLBar", "Insert HTML", Qt::TopToolBarArea, true,
     {"btnHead", "btnBody", "btnImage", "btnInsertTable", "btnAnchor", "btnHRule", "btnForm",
      "btnDate", "btnCalculator", "btnGradText"}},
    {"StyleBar", "Style", Qt::TopToolBarArea, false,
     {"btnBold", "btnItalics", "btnUnderline", "btnAlignCenter", "btnAlignLeft", "btnAlignRight",
      "btnNList", "btnBList", "@obHeading", "btnUnIndent", "btnIndent"}},
    {"Fontbar", "Font", Qt::TopToolBarArea, true,
     {"btnAddFont", "@chAddFont", "@chAddColour", "@chAddSize", "@cbSize", "@cbColour",
      "@cbFont"}},
    {"HeadingTool", "Insert Heading", Qt::LeftToolBarArea, false,
     {"btnH1", "btnH2", "btnH3", "btnH4", "btnH5", "btnH6"}},
    {"TextTool", "Insert A Text File", Qt::BottomToolBarArea, false,
     {"btnQFile1#1", "btnQFile2#2", "btnQFile3#3", "btnQFile4#4", "btnQFile5#5", "btnFileAdd",
      "btnAddTextFileConfig"}},
    {"QFormat", "Insert Quick Formatting", Qt::BottomToolBarArea, false,
     {"btnQFormat1#6", "btnQFormat2#7", "btnQFormat3#8", "btnQFormat4#9", "btnQFormat5#10",
      "btnQFormatConfig"}},
};
// clang-format on

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

}  // namespace quinkle

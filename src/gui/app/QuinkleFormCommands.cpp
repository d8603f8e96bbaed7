// The main window's commands: their names, captions, shortcuts, hints and icons, and the
// editing commands that work on the editor directly.
#include <QAction>
#include <QActionGroup>
#include <QToolButton>

#include "engine/scheme/EditorOptions.h"
#include "gui/app/ProgramIcons.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Prompter.h"

namespace quinkle {
namespace {

/// One command: its designer name, caption, shortcut and hint, and its icon (a freedesktop
/// theme name and our own artwork, either may be null).
struct CommandText {
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* hint;
    const char* theme;
    const char* artwork;
};

// Every menu item, pop-up item and toolbar button of the main window. A menu item and a
// toolbar button of the same command are separate entries, as they are separate controls.
constexpr CommandText kCommands[] = {
    // File menu.
    {"mnuNew", "&New", "Ctrl+N", nullptr, "document-new", "new"},
    {"LoadFromWeb1", "Load From Web", nullptr, nullptr, nullptr, "web"},
    {"mnuOpen", "Open...", "Ctrl+O", nullptr, "document-open", "open"},
    {"mnuSave", "&Save", "Ctrl+S", nullptr, "document-save", "save"},
    {"mnuSaveAs", "Save As...", "Ctrl+A", nullptr, "document-save-as", nullptr},
    {"asHTML", "As HTML", nullptr, nullptr, "text-html", "htmlfile"},
    {"AsRTF", "As RTF", nullptr, nullptr, "application-rtf", "rtffile"},
    {"mnuDelete", "&Delete", "Ctrl+D", nullptr, "user-trash", nullptr},
    {"mnuPrint", "&Print...", "Ctrl+P", nullptr, "document-print", "print"},
    {"mnuExit", "E&xit", nullptr, nullptr, "application-exit", "exit"},
    // Edit menu.
    {"mnuCut", "C&ut", "Ctrl+X", nullptr, "edit-cut", "cut"},
    {"mnuCopy", "&Copy", "Ctrl+C", nullptr, "edit-copy", "copy"},
    {"mnuPaste", "&Paste", "Ctrl+V", nullptr, "edit-paste", "paste"},
    {"Delete3", "&Delete", "Ctrl+Del", nullptr, nullptr, nullptr},
    {"mnuSelectAll", "Selec&t All", "Ctrl+T", nullptr, "edit-select-all", nullptr},
    {"mnuIndent", "&Indent", nullptr, nullptr, "format-indent-more", "indent"},
    {"mnuUnIndent", "U&n-Indent", nullptr, nullptr, "format-indent-less", "unindent"},
    {"mnuUndo", "Undo", "Ctrl+Z", nullptr, "edit-undo", "undo"},
    {"mnuRedo", "Redo", "Ctrl+Shift+Z", nullptr, "edit-redo", "redo"},
    {"mnuGoto", "Goto", "Ctrl+G", nullptr, "go-jump", nullptr},
    {"mnuFind", "&Find", "Ctrl+F", nullptr, "edit-find", "find"},
    {"mnuFindNext", "Find Next", "F3", nullptr, nullptr, nullptr},
    {"ShowAll1", "Show All", "F5", nullptr, nullptr, nullptr},
    {"mnuReplace", "&Replace", "Ctrl+R", nullptr, "edit-find-replace", "replace"},
    {"UseRegularExpressions1", "Use Regular Expressions", nullptr, nullptr, nullptr, nullptr},
    // Text menu.
    {"mnuTextAdd", "Edit Text &Add", nullptr, nullptr, nullptr, nullptr},
    {"mnuQuickText", "Edit &Quick Text", nullptr, nullptr, nullptr, nullptr},
    {"mnuWordWrap", "&Word Wrap", nullptr, nullptr, nullptr, nullptr},
    {"mnuReadOnly", "Read &Only", nullptr, nullptr, nullptr, nullptr},
    // Insert menu.
    {"mnuHeader2", "&Header", nullptr, nullptr, nullptr, "head"},
    {"mnuBody", "B&ody", nullptr, nullptr, nullptr, "body"},
    {"mnuForm", "&Form", nullptr, nullptr, nullptr, "form"},
    {"mnuInput", "&Input", nullptr, nullptr, nullptr, nullptr},
    {"mnuSelect", "&Select", nullptr, nullptr, nullptr, nullptr},
    {"mnuTextArea", "&Text Area", nullptr, nullptr, nullptr, nullptr},
    {"mnuLink2", "&Link", nullptr, nullptr, "insert-link", "link"},
    {"mnuMailTo", "&MailTo", nullptr, nullptr, nullptr, nullptr},
    {"mnuSectionName", "&Section Name", nullptr, nullptr, nullptr, nullptr},
    {"mnuBold", "&Bold", nullptr, nullptr, "format-text-bold", "bold"},
    {"mnuItalics", "&Italics", nullptr, nullptr, "format-text-italic", "italic"},
    {"mnuUnderline", "U&nderline", nullptr, nullptr, "format-text-underline", "underline"},
    {"mnuBlink", "Blin&k", nullptr, nullptr, nullptr, nullptr},
    {"mnuSuperscript", "&Superscript", nullptr, nullptr, nullptr, nullptr},
    {"mnuSubscript", "S&ubscript", nullptr, nullptr, nullptr, nullptr},
    {"mnuHorizontalRule", "Horizontal &Rule", nullptr, nullptr, nullptr, "hrule"},
    {"mnuFootNote", "&FootNote", nullptr, nullptr, nullptr, nullptr},
    {"H11", "<H1>", nullptr, nullptr, nullptr, nullptr},
    {"H21", "<H2>", nullptr, nullptr, nullptr, nullptr},
    {"H31", "<H3>", nullptr, nullptr, nullptr, nullptr},
    {"H41", "<H4>", nullptr, nullptr, nullptr, nullptr},
    {"H51", "<H5>", nullptr, nullptr, nullptr, nullptr},
    {"H61", "<H6>", nullptr, nullptr, nullptr, nullptr},
    {"mnuWBRSet", "Set", "F4", nullptr, nullptr, nullptr},
    {"mnuWBRUse", "Use", "Ctrl+Shift+U", nullptr, nullptr, nullptr},
    {"GradientText1", "Gradient Text", nullptr, nullptr, nullptr, "gradtext"},
    {"HTML3", "HTML", nullptr, nullptr, nullptr, nullptr},
    {"mnuBreak", "Break", nullptr, nullptr, nullptr, nullptr},
    {"mnuColour", "Colour", nullptr, nullptr, nullptr, nullptr},
    {"Comment1", "Comment", nullptr, nullptr, nullptr, nullptr},
    {"mnuDateTime", "&Date && Time", nullptr, nullptr, nullptr, "date"},
    {"mnuGraphic", "&Graphic", nullptr, nullptr, "insert-image", "image"},
    {"Paragraph1", "Paragraph", nullptr, nullptr, nullptr, nullptr},
    {"Script1", "Script", nullptr, nullptr, nullptr, nullptr},
    {"mnuTable", "&Table", nullptr, nullptr, nullptr, "table"},
    {"InsertCharacter1", "Insert Character", nullptr, nullptr, nullptr, nullptr},
    // Options menu.
    {"mnuEdFont", "Editor &Font...", nullptr, nullptr, "preferences-desktop-font", nullptr},
    {"ProgramFont1", "Program Font", nullptr, nullptr, nullptr, nullptr},
    {"mnuToolBars", "Confi&gure", "Ctrl+U", nullptr, "preferences-system", "configure"},
    {"HTML1", "HTML", nullptr, nullptr, nullptr, nullptr},
    {"Pascal1", "Pascal", nullptr, nullptr, nullptr, nullptr},
    {"CC1", "C/C++", nullptr, nullptr, nullptr, nullptr},
    {"mnuSQL", "SQL", nullptr, nullptr, nullptr, nullptr},
    {"SQL1", "Basic", nullptr, nullptr, nullptr, nullptr},
    {"PlainText1", "Plain Text", nullptr, nullptr, nullptr, nullptr},
    {"Properties1", "Properties", nullptr, nullptr, "document-properties", nullptr},
    {"Format1", "Format", nullptr, nullptr, nullptr, nullptr},
    {"mnuCountChars", "C&ount Chars", nullptr, nullptr, nullptr, nullptr},
    // Bookmarks menu.
    {"mnuSetBM01", "Boolmark 1", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM02", "Boolmark 2", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM03", "Boolmark 3", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM04", "Boolmark 4", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM05", "Boolmark 5", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM06", "Boolmark 6", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM07", "Boolmark 7", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM08", "Boolmark 8", nullptr, nullptr, nullptr, nullptr},
    {"mnuSetBM09", "Boolmark 9", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM01", "Boolmark 1", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM02", "Boolmark 2", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM03", "Boolmark 3", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM04", "Boolmark 4", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM05", "Boolmark 5", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM06", "Boolmark 6", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM07", "Boolmark 7", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM08", "Boolmark 8", nullptr, nullptr, nullptr, nullptr},
    {"mnuGotoBM09", "Boolmark 9", nullptr, nullptr, nullptr, nullptr},
    {"NoBookmarksSet1", "No Bookmarks Set", nullptr, nullptr, nullptr, nullptr},
    // Help menu.
    {"mnuHelp2", "Contents", "F1", nullptr, "help-contents", "help"},
    {"mnuSearchForHelpOn", "Search for Help On...", nullptr, nullptr, nullptr, nullptr},
    {"mnuHowToUseHelp", "How to use Help", nullptr, nullptr, nullptr, nullptr},
    {"mnuTipOfTheDay", "Tip Of The Day", nullptr, nullptr, nullptr, nullptr},
    {"mnuAbout", "&About Quinkle...", nullptr, nullptr, "help-about", "about"},
    {"Support", "Support", nullptr, nullptr, nullptr, nullptr},
    // The editor's pop-up menu "Quick Edit".
    {"Undo1", "Undo", nullptr, nullptr, "edit-undo", "undo"},
    {"Redo1", "Redo", nullptr, nullptr, "edit-redo", "redo"},
    {"Cut1", "Cut", nullptr, nullptr, "edit-cut", "cut"},
    {"Copy1", "Copy", nullptr, nullptr, "edit-copy", "copy"},
    {"Paste1", "Paste", nullptr, nullptr, "edit-paste", "paste"},
    {"Delete4", "Delete", nullptr, nullptr, "edit-delete", nullptr},
    {"SelectAll1", "Select All", nullptr, nullptr, "edit-select-all", nullptr},
    {"Format2", "Format", "Ctrl+F", nullptr, nullptr, nullptr},
    {"mnuStrip", "Strip HTML Tags", nullptr, nullptr, nullptr, nullptr},
    // The Browser button's drop-down.
    {"Browser1", "Browser", nullptr, nullptr, nullptr, nullptr},
    {"Default1", "Default", nullptr, nullptr, nullptr, nullptr},
    // The pop-ups of the Macros window and the Quick File Load window.
    {"Play1", "Play", nullptr, nullptr, "media-playback-start", "play"},
    {"Delete1", "Delete", nullptr, nullptr, "edit-delete", nullptr},
    {"DeleteAll1", "Delete All", nullptr, nullptr, nullptr, nullptr},
    {"Load1", "Load", nullptr, nullptr, "document-open", "open"},
    {"Delete2", "Delete", nullptr, nullptr, "edit-delete", nullptr},
    {"DeleteAll2", "Delete All", nullptr, nullptr, nullptr, nullptr},
    {"ShowAll3", "Show All", nullptr, nullptr, nullptr, nullptr},
    // Main Toolbar.
    {"btnNew", "New", nullptr, "Start a new document", "document-new", "new"},
    {"btnOpen", "Open", nullptr, "Open a document", "document-open", "open"},
    {"btnSave", "Save", nullptr, "Save the document", "document-save", "save"},
    {"btnPrint", "Print", nullptr, "Print the document", "document-print", "print"},
    {"btnExit", "Exit", nullptr, "Exit HTML Quinkle", "application-exit", "exit"},
    {"btnHelp", "Help", nullptr, "Help contents", "help-contents", "help"},
    {"btnAbout", "About", nullptr, "About HTML Quinkle", "help-about", "about"},
    {"btnToolBar", "Configure", nullptr, "Configure HTML Quinkle", "preferences-system",
     "configure"},
    {"btnView", "Browser", nullptr, "View the document in a web browser", nullptr, "browser"},
    // Edit Tools.
    {"btnCut", "Cut", nullptr, "Cut the selection to the clipboard", "edit-cut", "cut"},
    {"btnPaste", "Paste", nullptr, "Paste the clipboard's text", "edit-paste", "paste"},
    {"btnCopy", "Copy", nullptr, "Copy the selection to the clipboard", "edit-copy", "copy"},
    {"btnFind", "Find", nullptr, "Find text", "edit-find", "find"},
    {"btnReplace", "Replace", nullptr, "Find and replace text", "edit-find-replace", "replace"},
    {"btnUndo", "Undo", nullptr, "Undo the last change", "edit-undo", "undo"},
    {"btnRedo", "Redo", nullptr, "Redo the last change undone", "edit-redo", "redo"},
    {"btnDelete", "Delete", nullptr, "Delete the selection", "edit-delete", "delete"},
    // Insert HTML.
    {"btnHead", "Head", nullptr, "Create the document's header", nullptr, "head"},
    {"btnBody", "Body", nullptr, "Create the document's body tag", nullptr, "body"},
    {"btnImage", "Image", nullptr, "Insert an image", "insert-image", "image"},
    {"btnInsertTable", "Table", nullptr, "Insert a table", nullptr, "table"},
    {"btnAnchor", "Link", nullptr, "Insert a link", "insert-link", "link"},
    {"btnHRule", "Rule", nullptr, "Insert a horizontal rule", nullptr, "hrule"},
    {"btnForm", "Form", nullptr, "Create a form", nullptr, "form"},
    {"btnDate", "Date", nullptr, "Insert the date and time", nullptr, "date"},
    {"btnCalculator", "Calc", nullptr, "Calculator", "accessories-calculator", "calculator"},
    {"btnGradText", "Gradient", nullptr, "Insert text in gradient colours", nullptr, "gradtext"},
    // Font.
    {"btnAddFont", "Font", nullptr, "Insert a font tag with the options ticked", nullptr, "font"},
    // Style.
    {"btnBold", "Bold", nullptr, "Bold", "format-text-bold", "bold"},
    {"btnItalics", "Italics", nullptr, "Italics", "format-text-italic", "italic"},
    {"btnUnderline", "Underline", nullptr, "Underline", "format-text-underline", "underline"},
    {"btnAlignCenter", "Center", nullptr, "Center the paragraph", "format-justify-center",
     "aligncenter"},
    {"btnAlignLeft", "Left", nullptr, "Align the paragraph left", "format-justify-left",
     "alignleft"},
    {"btnAlignRight", "Right", nullptr, "Align the paragraph right", "format-justify-right",
     "alignright"},
    {"btnNList", "Numbers", nullptr, "Make a numbered list of the selected lines", nullptr,
     "numlist"},
    {"btnBList", "Bullets", nullptr, "Make a bulleted list of the selected lines", nullptr,
     "bulletlist"},
    {"btnUnIndent", "Un-Indent", nullptr, "Un-indent the selected lines", "format-indent-less",
     "unindent"},
    {"btnIndent", "Indent", nullptr, "Indent the selected lines", "format-indent-more", "indent"},
    // Macros Toolbar.
    {"btnRec", "Rec", nullptr, "Record a macro", "media-record", "record"},
    {"btnPlay", "Play", nullptr, "Play the macro named in the box", "media-playback-start", "play"},
    {"btnViewMac", "View", nullptr, "Show the macros window", nullptr, "macrolist"},
    {"btnMStop", "Stop", nullptr, "Stop recording", "media-playback-stop", "stop"},
    {"btnWPlay", "&Play", nullptr, "Play the selected macro", "media-playback-start", "play"},
    // Insert Heading.
    {"btnH1", "<H1>", nullptr, "Heading 1", nullptr, "h1"},
    {"btnH2", "<H2>", nullptr, "Heading 2", nullptr, "h2"},
    {"btnH3", "<H3>", nullptr, "Heading 3", nullptr, "h3"},
    {"btnH4", "<H4>", nullptr, "Heading 4", nullptr, "h4"},
    {"btnH5", "<H5>", nullptr, "Heading 5", nullptr, "h5"},
    {"btnH6", "<H6>", nullptr, "Heading 6", nullptr, "h6"},
    // Insert A Text File and Insert Quick Formatting.
    {"btnQFile1", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFile2", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFile3", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFile4", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFile5", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnFileAdd", "Add File", nullptr, "Load any file into \r\nyour document.", nullptr,
     "fileadd"},
    {"btnAddTextFileConfig", "Setup", nullptr, "Set up the text file buttons", nullptr,
     "setupfiles"},
    {"btnQFormat1", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFormat2", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFormat3", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFormat4", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFormat5", "", nullptr, "No Help Assigned", nullptr, nullptr},
    {"btnQFormatConfig", "Setup", nullptr, "Set up the quick format buttons", nullptr,
     "setupformats"},
};

QString LineBreaks(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

QAction* QuinkleForm::NewCommand(const char* name) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(name));
    // Commands stay disabled until their handler is connected.
    action->setEnabled(false);
    return action;
}

void QuinkleForm::CreateCommands() {
    for (const CommandText& command : kCommands) NewCommand(command.name);
    for (const char* name : {"UseRegularExpressions1", "mnuWordWrap", "mnuReadOnly"})
        Command(QLatin1String(name))->setCheckable(true);
    m_syntaxGroup = new QActionGroup(this);
    for (const char* name : {"HTML1", "Pascal1", "CC1", "mnuSQL", "SQL1", "PlainText1"}) {
        QAction* item = Command(QLatin1String(name));
        item->setCheckable(true);
        m_syntaxGroup->addAction(item);
    }
    Command(QStringLiteral("HTML1"))->setChecked(true);
    // Only one of the two Ctrl+F items may own the key; the pop-up's shows it as a reminder.
    Command(QStringLiteral("Format2"))->setShortcutContext(Qt::WidgetShortcut);
}

QAction* QuinkleForm::Command(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void QuinkleForm::AssignCaptions() {
    for (const CommandText& command : kCommands) {
        QAction* action = Command(QLatin1String(command.name));
        action->setText(QString::fromUtf8(command.caption));
        action->setIconText(QString::fromUtf8(command.caption));
        if (command.shortcut != nullptr)
            action->setShortcut(QKeySequence(QLatin1String(command.shortcut)));
        if (command.hint != nullptr) action->setToolTip(LineBreaks(command.hint));
        if (command.theme != nullptr || command.artwork != nullptr)
            action->setIcon(command.artwork != nullptr ? ProgramIcon(command.theme, command.artwork)
                                                       : QIcon::fromTheme(command.theme));
    }
    SetDocumentTitle(m_documentTitle.isEmpty() ? QStringLiteral("(Untitled)") : m_documentTitle);
}

void QuinkleForm::ConnectCommands() {
    OnCommands({"mnuExit", "btnExit"}, &QuinkleForm::btnExitClick);
    OnCommands({"mnuEdFont"}, &QuinkleForm::mnuEdFontClick);
    OnCommands({"ProgramFont1"}, &QuinkleForm::ProgramFont1Click);
    OnCommands({"mnuCut", "btnCut", "Cut1"}, &QuinkleForm::mnuCutClick);
    OnCommands({"mnuCopy", "btnCopy", "Copy1"}, &QuinkleForm::mnuCopyClick);
    OnCommands({"mnuPaste", "btnPaste", "Paste1"}, &QuinkleForm::mnuPasteClick);
    OnCommands({"mnuSelectAll", "SelectAll1"}, &QuinkleForm::mnuSelectAllClick);
    OnCommands({"mnuUndo", "btnUndo", "Undo1"}, &QuinkleForm::mnuUndoClick);
    OnCommands({"mnuRedo", "btnRedo", "Redo1"}, &QuinkleForm::mnuRedoClick);
    OnCommands({"mnuIndent", "btnIndent"}, &QuinkleForm::btnIndentClick);
    OnCommands({"mnuUnIndent", "btnUnIndent"}, &QuinkleForm::btnUnIndentClick);
    OnCommands({"mnuWordWrap"}, &QuinkleForm::mnuWordWrapClick);
    OnCommands({"mnuReadOnly"}, &QuinkleForm::mnuReadOnlyClick);
    ConnectDocumentCommands();
    ConnectTagCommands();
    ConnectDialogCommands();
    // Items without an action of their own.
    for (const char* name : {"Delete3", "Delete4"}) Command(QLatin1String(name))->setEnabled(true);
}

// ---- editing commands ----

void QuinkleForm::mnuCutClick() {
    m_memo->Cut();
    UpdateCommandState();
}

void QuinkleForm::mnuCopyClick() {
    m_memo->Copy();
    UpdateCommandState();
}

void QuinkleForm::mnuPasteClick() {
    m_memo->Paste();
    UpdateCommandState();
}

void QuinkleForm::EditAndShow(const std::function<void(SourceEditor&)>& edit) {
    try {
        ChangeBatch batch(m_memo->Editor());
        edit(m_memo->Editor());
    } catch (const std::exception& error) {
        AppPrompter().Error(QString::fromStdString(error.what()));
    }
    m_memo->ScrollCaret();
    UpdateCommandState();
}

void QuinkleForm::mnuSelectAllClick() {
    EditAndShow([](SourceEditor& editor) { editor.SelectAll(); });
}

void QuinkleForm::mnuUndoClick() {
    EditAndShow([](SourceEditor& editor) { editor.Undo(); });
}

void QuinkleForm::mnuRedoClick() {
    EditAndShow([](SourceEditor& editor) { editor.Redo(); });
}

void QuinkleForm::btnIndentClick() {
    EditAndShow([](SourceEditor& editor) { editor.IndentBlock(0, false); });
}

void QuinkleForm::btnUnIndentClick() {
    EditAndShow([](SourceEditor& editor) { editor.UnindentBlock(0); });
}

void QuinkleForm::mnuWordWrapClick() {
    SourceEditor& editor = m_memo->Editor();
    const bool wrap = Command(QStringLiteral("mnuWordWrap"))->isChecked();
    editor.Settings().Options =
        wrap ? editor.Options() | smoWordWrap : editor.Options() & ~uint32_t(smoWordWrap);
    m_memo->ApplySettings();
}

void QuinkleForm::mnuReadOnlyClick() {
    m_memo->Editor().ReadOnly = Command(QStringLiteral("mnuReadOnly"))->isChecked();
}

void QuinkleForm::mnuEdFontClick() {
    QFont chosen = m_memo->EditorFont();
    if (AppPrompter().ChooseFont(chosen)) m_memo->SetEditorFont(chosen);
}

void QuinkleForm::ProgramFont1Click() {
    QFont chosen = font();
    if (AppPrompter().ChooseFont(chosen)) ApplyProgramFont(chosen.family());
}

}  // namespace quinkle

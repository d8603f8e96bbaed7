// The main window's command table: every menu item, pop-up item and toolbar button with its
// texts, icon and handler.
#include "gui/app/CommandTable.h"

#include <QAction>
#include <QColor>
#include <QDate>
#include <QLocale>
#include <QTime>

#include "engine/html/HtmlHelpers.h"
#include "engine/html/TagText.h"
#include "engine/scheme/EditorCommand.h"
#include "engine/text/TextOutput.h"
#include "gui/app/BrowserCommand.h"
#include "gui/app/DocumentSafety.h"
#include "gui/app/EditorMenus.h"
#include "gui/app/EditorProperties.h"
#include "gui/app/HtmlDialogs.h"
#include "gui/app/MacroCommands.h"
#include "gui/app/PrintCommand.h"
#include "gui/app/ProgramIcons.h"
#include "gui/app/QuickButtons.h"
#include "gui/app/QuickFileLoad.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/SchemeMenu.h"
#include "gui/app/SearchCommands.h"
#include "gui/app/TemplateFiles.h"
#include "gui/app/WebCommand.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/SupportDialog.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/help/HelpCommands.h"
#include "gui/widgets/CalculatorWindow.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// Inserts a builder's UTF-8 text, which the form encodes in the document's charset.
void Insert(QuinkleForm& form, const GeneratedText& generated, int code) {
    form.InsertGeneratedText(FromStd(generated.Text), generated.StepBack, code);
}

void Wrap(QuinkleForm& form, const WrapCommand& command) {
    form.WrapSelection(FromStd(command.Tag), QString(), command.Code);
}

void InsertDateTime(QuinkleForm& form) {
    const QLocale locale = QLocale::system();
    Insert(form,
           DateTimeText(locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(),
                        locale.toString(QTime::currentTime(), QLocale::LongFormat).toStdString()),
           ucTodaysDate);
}

void InsertColour(QuinkleForm& form) {
    QColor colour;
    if (form.PickColour(colour))
        form.InsertGeneratedText(FromStd(ColourToHtml(FromQColor(colour))), 0, ucColour);
}

void InsertScript(QuinkleForm& form) {
    form.WrapSelection(FromStd(kScriptCommand.Tag), FromStd(kScriptAttributes),
                       kScriptCommand.Code);
    Insert(form, CommentText(), ucJSComment);
}

// The calculator tool window, made on first use and kept for the run; its Insert is one
// undo step at the caret.
void ShowCalculator(QuinkleForm& form) {
    auto* window = form.findChild<CalculatorWindow*>(QStringLiteral("CalculatorWindow"),
                                                     Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new CalculatorWindow(&form, [&form](const QString& text) {
            form.InsertGeneratedText(text, 0, ucCalculator);
        });
    }
    window->show();
    window->raise();
    window->activateWindow();
}

// The About and Support windows, made on first use and kept for the run.
void ShowAbout(QuinkleForm& form) {
    auto* about = form.findChild<AboutDialog*>(QStringLiteral("frmAbout"));
    if (about == nullptr) about = new AboutDialog(&form, ArtworkPixmap("quinkle"));
    about->exec();
}

void ShowSupport(QuinkleForm& form) {
    auto* support = form.findChild<SupportDialog*>(QStringLiteral("frmSupport"));
    if (support == nullptr) support = new SupportDialog(&form);
    support->exec();
}

// The Edit toolbar's Delete button: deletes the selection as the Delete key does.
void DeleteSelection(QuinkleForm& form) {
    form.Memo1()->Editor().ExecuteCommand(ecDeleteChar, false);
    form.Memo1()->ScrollCaret();
    form.UpdateCommandState();
}

// The Edit menu's and the editor pop-up's Delete items are enabled without an action of
// their own.
void NoAction() {}
const std::function<void()> kNoAction = NoAction;

}  // namespace

std::vector<CommandRow> MainWindowCommands(QuinkleForm& f) {
    HelpCommands& help = HelpCommands::Of(f);
    return {
        // File menu.
        {"mnuNew", "&New", "Ctrl+N", nullptr, "document-new", "new", [&f] { f.mnuNewClick(); }},
        {"LoadFromWeb1", "Load From Web", nullptr, nullptr, nullptr, "web",
         [&f] { WebCommand::Of(f).LoadFromWeb1Click(); }},
        {"mnuOpen", "Open...", "Ctrl+O", nullptr, "document-open", "open",
         [&f] { f.mnuOpenClick(); }},
        {"mnuSave", "&Save", "Ctrl+S", nullptr, "document-save", "save",
         [&f] { f.mnuSaveClick(); }},
        {"mnuSaveAs", "Save As...", "Ctrl+A", nullptr, "document-save-as", nullptr,
         [&f] { f.mnuSaveAsClick(); }},
        {"asHTML", "As HTML", nullptr, nullptr, "text-html", "htmlfile",
         [&f] { f.SaveFormatted(sfHTML); }},
        {"AsRTF", "As RTF", nullptr, nullptr, "application-rtf", "rtffile",
         [&f] { f.SaveFormatted(sfRTF); }},
        {"mnuDelete", "&Delete", "Ctrl+D", nullptr, "user-trash", nullptr,
         [&f] { f.mnuDeleteClick(); }},
        {"mnuPrint", "&Print...", "Ctrl+P", nullptr, "document-print", "print",
         [&f] { ShowPrintPreview(f); }},
        {"mnuExit", "E&xit", nullptr, nullptr, "application-exit", "exit",
         [&f] {
             TemplateFiles::Of(f).Save();
             f.btnExitClick();
         }},
        // Edit menu.
        {"mnuCut", "C&ut", "Ctrl+X", nullptr, "edit-cut", "cut", [&f] { f.mnuCutClick(); }},
        {"mnuCopy", "&Copy", "Ctrl+C", nullptr, "edit-copy", "copy", [&f] { f.mnuCopyClick(); }},
        {"mnuPaste", "&Paste", "Ctrl+V", nullptr, "edit-paste", "paste",
         [&f] { f.mnuPasteClick(); }},
        {"Delete3", "&Delete", "Ctrl+Del", nullptr, nullptr, nullptr, kNoAction},
        {"mnuSelectAll", "Selec&t All", "Ctrl+T", nullptr, "edit-select-all", nullptr,
         [&f] { f.mnuSelectAllClick(); }},
        {"mnuIndent", "&Indent", nullptr, nullptr, "format-indent-more", "indent",
         [&f] { f.btnIndentClick(); }},
        {"mnuUnIndent", "U&n-Indent", nullptr, nullptr, "format-indent-less", "unindent",
         [&f] { f.btnUnIndentClick(); }},
        {"mnuUndo", "Undo", "Ctrl+Z", nullptr, "edit-undo", "undo", [&f] { f.mnuUndoClick(); }},
        {"mnuRedo", "Redo", "Ctrl+Shift+Z", nullptr, "edit-redo", "redo",
         [&f] { f.mnuRedoClick(); }},
        {"mnuGoto", "Goto", "Ctrl+G", nullptr, "go-jump", nullptr,
         [&f] { SearchCommands::Of(f).Goto(); }},
        {"mnuFind", "&Find", "Ctrl+F", nullptr, "edit-find", "find",
         [&f] { SearchCommands::Of(f).Find(); }},
        {"mnuFindNext", "Find Next", "F3", nullptr, nullptr, nullptr,
         [&f] { SearchCommands::Of(f).FindNext(); }},
        {"ShowAll1", "Show All", "F5", nullptr, nullptr, nullptr,
         [&f] { SearchCommands::Of(f).ShowAll(); }},
        {"mnuReplace", "&Replace", "Ctrl+R", nullptr, "edit-find-replace", "replace",
         [&f] { SearchCommands::Of(f).Replace(); }},
        {"UseRegularExpressions1", "Use Regular Expressions", nullptr, nullptr, nullptr, nullptr,
         [&f] {
             SearchCommands::Of(f).SetUseRegExp(
                 f.Command(QStringLiteral("UseRegularExpressions1"))->isChecked());
         }},
        // Text menu.
        {"mnuTextAdd", "Edit Text &Add", nullptr, nullptr, nullptr, nullptr,
         [&f] { QuickButtons::Of(f).ConfigureFormats(); }},
        {"mnuQuickText", "Edit &Quick Text", nullptr, nullptr, nullptr, nullptr,
         [&f] { QuickButtons::Of(f).ConfigureFormats(); }},
        {"mnuWordWrap", "&Word Wrap", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.mnuWordWrapClick(); }},
        {"mnuReadOnly", "Read &Only", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.mnuReadOnlyClick(); }},
        // Insert menu.
        {"mnuHeader2", "&Header", nullptr, nullptr, nullptr, "head", [&f] { f.CreateHead(); }},
        {"mnuBody", "B&ody", nullptr, nullptr, nullptr, "body", [&f] { f.CreateBody(); }},
        {"mnuForm", "&Form", nullptr, nullptr, nullptr, "form",
         [&f] { HtmlDialogs::Of(f).Form(FormPage::Form); }},
        {"mnuInput", "&Input", nullptr, nullptr, nullptr, nullptr,
         [&f] { HtmlDialogs::Of(f).Form(FormPage::Input); }},
        {"mnuSelect", "&Select", nullptr, nullptr, nullptr, nullptr,
         [&f] { HtmlDialogs::Of(f).Form(FormPage::Select); }},
        {"mnuTextArea", "&Text Area", nullptr, nullptr, nullptr, nullptr,
         [&f] { HtmlDialogs::Of(f).Form(FormPage::TextArea); }},
        {"mnuLink2", "&Link", nullptr, nullptr, "insert-link", "link",
         [&f] { HtmlDialogs::Of(f).Link(LinkPage::Link); }},
        {"mnuMailTo", "&MailTo", nullptr, nullptr, nullptr, nullptr,
         [&f] { HtmlDialogs::Of(f).Link(LinkPage::MailTo); }},
        {"mnuSectionName", "&Section Name", nullptr, nullptr, nullptr, nullptr,
         [&f] { HtmlDialogs::Of(f).Link(LinkPage::Name); }},
        {"mnuBold", "&Bold", nullptr, nullptr, "format-text-bold", "bold",
         [&f] { Wrap(f, kBoldCommand); }},
        {"mnuItalics", "&Italics", nullptr, nullptr, "format-text-italic", "italic",
         [&f] { Wrap(f, kItalicsCommand); }},
        {"mnuUnderline", "U&nderline", nullptr, nullptr, "format-text-underline", "underline",
         [&f] { Wrap(f, kUnderlineCommand); }},
        {"mnuBlink", "Blin&k", nullptr, nullptr, nullptr, nullptr,
         [&f] { Wrap(f, kBlinkCommand); }},
        {"mnuSuperscript", "&Superscript", nullptr, nullptr, nullptr, nullptr,
         [&f] { Wrap(f, kSuperscriptCommand); }},
        {"mnuSubscript", "S&ubscript", nullptr, nullptr, nullptr, nullptr,
         [&f] { Wrap(f, kSubscriptCommand); }},
        {"mnuHorizontalRule", "Horizontal &Rule", nullptr, nullptr, nullptr, "hrule",
         [&f] { HtmlDialogs::Of(f).Rule(); }},
        {"mnuFootNote", "&FootNote", nullptr, nullptr, nullptr, nullptr,
         [&f] { Wrap(f, kFootNoteCommand); }},
        {"H11", "<H1>", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.InsertHeading(f.Command(QStringLiteral("H11"))->text()); }},
        {"H21", "<H2>", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.InsertHeading(f.Command(QStringLiteral("H21"))->text()); }},
        {"H31", "<H3>", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.InsertHeading(f.Command(QStringLiteral("H31"))->text()); }},
        {"H41", "<H4>", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.InsertHeading(f.Command(QStringLiteral("H41"))->text()); }},
        {"H51", "<H5>", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.InsertHeading(f.Command(QStringLiteral("H51"))->text()); }},
        {"H61", "<H6>", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.InsertHeading(f.Command(QStringLiteral("H61"))->text()); }},
        {"mnuWBRSet", "Set", "F4", nullptr, nullptr, nullptr, [&f] { f.mnuWBRSetClick(); }},
        {"mnuWBRUse", "Use", "Ctrl+Shift+U", nullptr, nullptr, nullptr,
         [&f] { Insert(f, WbrText(), ucWBreak); }},
        {"GradientText1", "Gradient Text", nullptr, nullptr, nullptr, "gradtext",
         [&f] { HtmlDialogs::Of(f).Gradient(); }},
        {"HTML3", "HTML", nullptr, nullptr, nullptr, nullptr, nullptr},
        {"mnuBreak", "Break", nullptr, nullptr, nullptr, nullptr,
         [&f] { Insert(f, BreakText(), ucBreak); }},
        {"mnuColour", "Colour", nullptr, nullptr, nullptr, nullptr, [&f] { InsertColour(f); }},
        {"Comment1", "Comment", nullptr, nullptr, nullptr, nullptr,
         [&f] { Insert(f, CommentText(), ucJSComment); }},
        {"mnuDateTime", "&Date && Time", nullptr, nullptr, nullptr, "date",
         [&f] { InsertDateTime(f); }},
        {"mnuGraphic", "&Graphic", nullptr, nullptr, "insert-image", "image",
         [&f] { HtmlDialogs::Of(f).Image(); }},
        {"Paragraph1", "Paragraph", nullptr, nullptr, nullptr, nullptr,
         [&f] { Wrap(f, kParagraphCommand); }},
        {"Script1", "Script", nullptr, nullptr, nullptr, nullptr, [&f] { InsertScript(f); }},
        {"mnuTable", "&Table", nullptr, nullptr, nullptr, "table",
         [&f] { HtmlDialogs::Of(f).Table(); }},
        {"InsertCharacter1", "Insert Character", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.InsertCharacter1Click(); }},
        // Options menu.
        {"mnuEdFont", "Editor &Font...", nullptr, nullptr, "preferences-desktop-font", nullptr,
         [&f] { f.mnuEdFontClick(); }},
        {"ProgramFont1", "Program Font", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.ProgramFont1Click(); }},
        {"mnuToolBars", "Confi&gure", "Ctrl+U", nullptr, "preferences-system", "configure",
         [&f] {
             f.btnToolBarClick();
             QuickFileLoad::Of(f).Refill();
         }},
        {"HTML1", "HTML", nullptr, nullptr, nullptr, nullptr,
         [&f] { SchemeMenu::Of(f).Choose(1); }},
        {"Pascal1", "Pascal", nullptr, nullptr, nullptr, nullptr,
         [&f] { SchemeMenu::Of(f).Choose(2); }},
        {"CC1", "C/C++", nullptr, nullptr, nullptr, nullptr, [&f] { SchemeMenu::Of(f).Choose(3); }},
        {"mnuSQL", "SQL", nullptr, nullptr, nullptr, nullptr,
         [&f] { SchemeMenu::Of(f).Choose(4); }},
        {"SQL1", "Basic", nullptr, nullptr, nullptr, nullptr,
         [&f] { SchemeMenu::Of(f).Choose(5); }},
        {"PlainText1", "Plain Text", nullptr, nullptr, nullptr, nullptr,
         [&f] { SchemeMenu::Of(f).Choose(6); }},
        {"Properties1", "Properties", nullptr, nullptr, "document-properties", nullptr,
         [&f] { EditorProperties::Of(f).Open(); }},
        {"Format1", "Format", nullptr, nullptr, nullptr, nullptr, [&f] { f.FormatClick(); }},
        {"mnuCountChars", "C&ount Chars", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.mnuCountCharsClick(); }},
        // Bookmarks menu.
        {"mnuSetBM01", "Bookmark 1", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(1); }},
        {"mnuSetBM02", "Bookmark 2", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(2); }},
        {"mnuSetBM03", "Bookmark 3", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(3); }},
        {"mnuSetBM04", "Bookmark 4", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(4); }},
        {"mnuSetBM05", "Bookmark 5", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(5); }},
        {"mnuSetBM06", "Bookmark 6", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(6); }},
        {"mnuSetBM07", "Bookmark 7", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(7); }},
        {"mnuSetBM08", "Bookmark 8", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(8); }},
        {"mnuSetBM09", "Bookmark 9", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).SetBookmark(9); }},
        {"mnuGotoBM01", "Bookmark 1", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(1); }},
        {"mnuGotoBM02", "Bookmark 2", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(2); }},
        {"mnuGotoBM03", "Bookmark 3", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(3); }},
        {"mnuGotoBM04", "Bookmark 4", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(4); }},
        {"mnuGotoBM05", "Bookmark 5", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(5); }},
        {"mnuGotoBM06", "Bookmark 6", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(6); }},
        {"mnuGotoBM07", "Bookmark 7", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(7); }},
        {"mnuGotoBM08", "Bookmark 8", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(8); }},
        {"mnuGotoBM09", "Bookmark 9", nullptr, nullptr, nullptr, nullptr,
         [&f] { EditorMenus::Of(f).GotoBookmark(9); }},
        {"NoBookmarksSet1", "No Bookmarks Set", nullptr, nullptr, nullptr, nullptr, nullptr},
        // Help menu.
        {"mnuHelp2", "Contents", "F1", nullptr, "help-contents", "help",
         [&help] { help.Contents(); }},
        {"mnuSearchForHelpOn", "Search for Help On...", nullptr, nullptr, nullptr, nullptr,
         [&help] { help.SearchForHelpOn(); }},
        {"mnuHowToUseHelp", "How to use Help", nullptr, nullptr, nullptr, nullptr,
         [&help] { help.HowToUseHelp(); }},
        {"mnuTipOfTheDay", "Tip Of The Day", nullptr, nullptr, nullptr, nullptr,
         [&help] { help.TipOfTheDay(); }},
        // Keyword help: in no menu; the editor hands its shortcut to this row.
        {"KeywordHelp1", "Keyword Help", "Ctrl+F1", nullptr, nullptr, nullptr,
         [&help] { help.KeywordHelp(); }},
        {"mnuAbout", "&About Quinkle...", nullptr, nullptr, "help-about", "about",
         [&f] { ShowAbout(f); }},
        {"Support", "Support", nullptr, nullptr, nullptr, nullptr, [&f] { ShowSupport(f); }},
        // The editor's pop-up menu "Quick Edit".
        {"Undo1", "Undo", nullptr, nullptr, "edit-undo", "undo", [&f] { f.mnuUndoClick(); }},
        {"Redo1", "Redo", nullptr, nullptr, "edit-redo", "redo", [&f] { f.mnuRedoClick(); }},
        {"Cut1", "Cut", nullptr, nullptr, "edit-cut", "cut", [&f] { f.mnuCutClick(); }},
        {"Copy1", "Copy", nullptr, nullptr, "edit-copy", "copy", [&f] { f.mnuCopyClick(); }},
        {"Paste1", "Paste", nullptr, nullptr, "edit-paste", "paste", [&f] { f.mnuPasteClick(); }},
        {"Delete4", "Delete", nullptr, nullptr, "edit-delete", nullptr, kNoAction},
        {"SelectAll1", "Select All", nullptr, nullptr, "edit-select-all", nullptr,
         [&f] { f.mnuSelectAllClick(); }},
        {"Format2", "Format", "Ctrl+F", nullptr, nullptr, nullptr, [&f] { f.FormatClick(); }},
        {"mnuStrip", "Strip HTML Tags", nullptr, nullptr, nullptr, nullptr,
         [&f] { f.mnuStripClick(); }},
        // The Browser button's drop-down.
        {"Browser1", "Browser", nullptr, nullptr, nullptr, nullptr,
         [&f] { BrowserCommand::Of(f).SetMode(QStringLiteral("Browser")); }},
        {"Default1", "Default", nullptr, nullptr, nullptr, nullptr,
         [&f] { BrowserCommand::Of(f).SetMode(QStringLiteral("Default")); }},
        // The pop-ups of the Macros window and the Quick File Load window.
        {"Play1", "Play", nullptr, nullptr, "media-playback-start", "play",
         [&f] { MacroCommands::Of(f).PlaySelected(); }},
        {"Delete1", "Delete", nullptr, nullptr, "edit-delete", nullptr,
         [&f] { MacroCommands::Of(f).DeleteSelected(); }},
        {"DeleteAll1", "Delete All", nullptr, nullptr, nullptr, nullptr,
         [&f] { MacroCommands::Of(f).DeleteAll(); }},
        {"Load1", "Load", nullptr, nullptr, "document-open", "open",
         [&f] { QuickFileLoad::Of(f).LoadSelected(); }},
        {"Delete2", "Delete", nullptr, nullptr, "edit-delete", nullptr,
         [&f] { QuickFileLoad::Of(f).DeleteSelected(); }},
        {"DeleteAll2", "Delete All", nullptr, nullptr, nullptr, nullptr,
         [&f] { QuickFileLoad::Of(f).DeleteAll(); }},
        {"ShowAll3", "Show All", nullptr, nullptr, nullptr, nullptr,
         [&f] { QuickFileLoad::Of(f).ToggleShowAll(); }},
        // Main Toolbar.
        {"btnNew", "New", nullptr, "Start a new document", "document-new", "new",
         [&f] { f.mnuNewClick(); }},
        {"btnOpen", "Open", nullptr, "Open a document", "document-open", "open",
         [&f] { f.mnuOpenClick(); }},
        {"btnSave", "Save", nullptr, "Save the document", "document-save", "save",
         [&f] { f.mnuSaveClick(); }},
        {"btnPrint", "Print", nullptr, "Print the document", "document-print", "print",
         [&f] { ShowPrintPreview(f); }},
        {"btnExit", "Exit", nullptr, "Exit HTML Quinkle", "application-exit", "exit",
         [&f] {
             TemplateFiles::Of(f).Save();
             f.btnExitClick();
         }},
        {"btnHelp", "Help", nullptr, "Help contents", "help-contents", "help",
         [&help] { help.Contents(); }},
        {"btnAbout", "About", nullptr, "About HTML Quinkle", "help-about", "about",
         [&f] { ShowAbout(f); }},
        {"btnToolBar", "Configure", nullptr, "Configure HTML Quinkle", "preferences-system",
         "configure",
         [&f] {
             f.btnToolBarClick();
             QuickFileLoad::Of(f).Refill();
         }},
        {"btnView", "Browser", nullptr, "View the document in a web browser", nullptr, "browser",
         [&f] { BrowserCommand::Of(f).View(); }},
        // Edit Tools.
        {"btnCut", "Cut", nullptr, "Cut the selection to the clipboard", "edit-cut", "cut",
         [&f] { f.mnuCutClick(); }},
        {"btnPaste", "Paste", nullptr, "Paste the clipboard's text", "edit-paste", "paste",
         [&f] { f.mnuPasteClick(); }},
        {"btnCopy", "Copy", nullptr, "Copy the selection to the clipboard", "edit-copy", "copy",
         [&f] { f.mnuCopyClick(); }},
        {"btnFind", "Find", nullptr, "Find text", "edit-find", "find",
         [&f] { SearchCommands::Of(f).Find(); }},
        {"btnReplace", "Replace", nullptr, "Find and replace text", "edit-find-replace", "replace",
         [&f] { SearchCommands::Of(f).Replace(); }},
        {"btnUndo", "Undo", nullptr, "Undo the last change", "edit-undo", "undo",
         [&f] { f.mnuUndoClick(); }},
        {"btnRedo", "Redo", nullptr, "Redo the last change undone", "edit-redo", "redo",
         [&f] { f.mnuRedoClick(); }},
        {"btnDelete", "Delete", nullptr, "Delete the selection", "edit-delete", "delete",
         [&f] { DeleteSelection(f); }},
        // Insert HTML.
        {"btnHead", "Head", nullptr, "Create the document's header", nullptr, "head",
         [&f] { f.CreateHead(); }},
        {"btnBody", "Body", nullptr, "Create the document's body tag", nullptr, "body",
         [&f] { f.CreateBody(); }},
        {"btnImage", "Image", nullptr, "Insert an image", "insert-image", "image",
         [&f] { HtmlDialogs::Of(f).Image(); }},
        {"btnInsertTable", "Table", nullptr, "Insert a table", nullptr, "table",
         [&f] { HtmlDialogs::Of(f).Table(); }},
        {"btnAnchor", "Link", nullptr, "Insert a link", "insert-link", "link",
         [&f] { HtmlDialogs::Of(f).Link(); }},
        {"btnHRule", "Rule", nullptr, "Insert a horizontal rule", nullptr, "hrule",
         [&f] { HtmlDialogs::Of(f).Rule(); }},
        {"btnForm", "Form", nullptr, "Create a form", nullptr, "form",
         [&f] { HtmlDialogs::Of(f).Form(); }},
        {"btnDate", "Date", nullptr, "Insert the date and time", nullptr, "date",
         [&f] { InsertDateTime(f); }},
        {"btnCalculator", "Calc", nullptr, "Calculator", "accessories-calculator", "calculator",
         [&f] { ShowCalculator(f); }},
        {"btnGradText", "Gradient", nullptr, "Insert text in gradient colours", nullptr, "gradtext",
         [&f] { HtmlDialogs::Of(f).Gradient(); }},
        // Font.
        {"btnAddFont", "Font", nullptr, "Insert a font tag with the options ticked", nullptr,
         "font", [&f] { f.btnAddFontClick(); }},
        // Style.
        {"btnBold", "Bold", nullptr, "Bold", "format-text-bold", "bold",
         [&f] { Wrap(f, kBoldCommand); }},
        {"btnItalics", "Italics", nullptr, "Italics", "format-text-italic", "italic",
         [&f] { Wrap(f, kItalicsCommand); }},
        {"btnUnderline", "Underline", nullptr, "Underline", "format-text-underline", "underline",
         [&f] { Wrap(f, kUnderlineCommand); }},
        {"btnAlignCenter", "Center", nullptr, "Center the paragraph", "format-justify-center",
         "aligncenter", [&f] { f.AlignParagraph(QStringLiteral("center")); }},
        {"btnAlignLeft", "Left", nullptr, "Align the paragraph left", "format-justify-left",
         "alignleft", [&f] { f.AlignParagraph(QStringLiteral("left")); }},
        {"btnAlignRight", "Right", nullptr, "Align the paragraph right", "format-justify-right",
         "alignright", [&f] { f.AlignParagraph(QStringLiteral("right")); }},
        {"btnNList", "Numbers", nullptr, "Make a numbered list of the selected lines", nullptr,
         "numlist", [&f] { f.InsertList("ol"); }},
        {"btnBList", "Bullets", nullptr, "Make a bulleted list of the selected lines", nullptr,
         "bulletlist", [&f] { f.InsertList("ul"); }},
        {"btnUnIndent", "Un-Indent", nullptr, "Un-indent the selected lines", "format-indent-less",
         "unindent", [&f] { f.btnUnIndentClick(); }},
        {"btnIndent", "Indent", nullptr, "Indent the selected lines", "format-indent-more",
         "indent", [&f] { f.btnIndentClick(); }},
        // Macros Toolbar.
        {"btnRec", "Rec", nullptr, "Record a macro", "media-record", "record",
         [&f] { MacroCommands::Of(f).Record(); }},
        {"btnPlay", "Play", nullptr, "Play the macro named in the box", "media-playback-start",
         "play", [&f] { MacroCommands::Of(f).Play(); }},
        {"btnViewMac", "View", nullptr, "Show the macros window", nullptr, "macrolist",
         [&f] { MacroCommands::Of(f).View(); }},
        {"btnMStop", "Stop", nullptr, "Stop recording (or Ctrl+Break)", "media-playback-stop",
         "stop", [&f] { MacroCommands::Of(f).Stop(); }},
        {"btnWPlay", "&Play", nullptr, "Play the selected macro", "media-playback-start", "play",
         [&f] { MacroCommands::Of(f).PlaySelected(); }},
        // Insert Heading.
        {"btnH1", "<H1>", nullptr, "Heading 1", nullptr, "h1",
         [&f] { f.InsertHeading(f.Command(QStringLiteral("btnH1"))->text()); }},
        {"btnH2", "<H2>", nullptr, "Heading 2", nullptr, "h2",
         [&f] { f.InsertHeading(f.Command(QStringLiteral("btnH2"))->text()); }},
        {"btnH3", "<H3>", nullptr, "Heading 3", nullptr, "h3",
         [&f] { f.InsertHeading(f.Command(QStringLiteral("btnH3"))->text()); }},
        {"btnH4", "<H4>", nullptr, "Heading 4", nullptr, "h4",
         [&f] { f.InsertHeading(f.Command(QStringLiteral("btnH4"))->text()); }},
        {"btnH5", "<H5>", nullptr, "Heading 5", nullptr, "h5",
         [&f] { f.InsertHeading(f.Command(QStringLiteral("btnH5"))->text()); }},
        {"btnH6", "<H6>", nullptr, "Heading 6", nullptr, "h6",
         [&f] { f.InsertHeading(f.Command(QStringLiteral("btnH6"))->text()); }},
        // Insert A Text File and Insert Quick Formatting.
        {"btnQFile1", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFile(0); }},
        {"btnQFile2", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFile(1); }},
        {"btnQFile3", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFile(2); }},
        {"btnQFile4", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFile(3); }},
        {"btnQFile5", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFile(4); }},
        {"btnFileAdd", "Add File", nullptr, "Load any file into \r\nyour document.", nullptr,
         "fileadd", [&f] { QuickButtons::Of(f).AddFile(); }},
        {"btnAddTextFileConfig", "Setup", nullptr, "Set up the text file buttons", nullptr,
         "setupfiles", [&f] { QuickButtons::Of(f).ConfigureFiles(); }},
        {"btnQFormat1", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFormat(0); }},
        {"btnQFormat2", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFormat(1); }},
        {"btnQFormat3", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFormat(2); }},
        {"btnQFormat4", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFormat(3); }},
        {"btnQFormat5", "", nullptr, "No Help Assigned", nullptr, nullptr,
         [&f] { QuickButtons::Of(f).InsertFormat(4); }},
        {"btnQFormatConfig", "Setup", nullptr, "Set up the quick format buttons", nullptr,
         "setupformats", [&f] { QuickButtons::Of(f).ConfigureFormats(); }},
    };
}

void AttachCommandParts(QuinkleForm& form) {
    SearchCommands::Of(form);
    EditorMenus::Of(form);
    TemplateFiles::Of(form);
    SchemeMenu::Of(form);
    EditorProperties::Of(form);
    MacroCommands::Of(form);
    QuickButtons::Of(form);
    QuickFileLoad::Of(form);
    WebCommand::Of(form);
    DocumentSafety::Of(form).Start();
}

}  // namespace quinkle

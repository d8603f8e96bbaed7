// The table of help topics the program opens by name.
#include "engine/help/HelpTopics.h"

namespace quinkle {

std::span<const ProgramTopic> ProgramTopics() {
    static constexpr ProgramTopic kTopics[] = {
        {kTopicContents, "Help > Contents, F1"},
        {kTopicHowToUseHelp, "Help > How to use Help"},
        {kTopicMainWindow, "the main window"},
        {kTopicMenusAndToolbars, "menus and toolbars"},
        {kTopicDocuments, "File menu"},
        {kTopicEditor, "the editor"},
        {kTopicEditorKeys, "the editor's keys"},
        {kTopicSearchReplace, "Find and Replace dialogs"},
        {kTopicBookmarks, "Bookmarks menu"},
        {kTopicUndoLists, "Undo and Redo drop-down lists"},
        {kTopicTagCommands, "Insert menu"},
        {kTopicDocumentTools, "Format, Strip HTML Tags, Browser"},
        {kTopicConfigureDialog, "Configure dialog"},
        {kTopicHeaderDialog, "Create Header dialog"},
        {kTopicBodyDialog, "Create Body dialog"},
        {kTopicTableDialog, "Table dialog"},
        {kTopicLinkDialog, "Link dialog"},
        {kTopicImageDialog, "Image dialog"},
        {kTopicRuleDialog, "Horizontal Rule dialog"},
        {kTopicFormsDialog, "Form dialog"},
        {kTopicGradientDialog, "Gradient Text dialog"},
        {kTopicQuickButtons, "quick buttons"},
        {kTopicQuickFormatDialog, "Quick Format configuration dialog"},
        {kTopicQuickFileDialog, "Quick File configuration dialog"},
        {kTopicEditHint, "Edit Hint dialog"},
        {kTopicQuickFileLoad, "Quick File Load window"},
        {kTopicMacros, "Macros toolbar and window"},
        {kTopicGetFromWeb, "Get From WEB window"},
        {kTopicRtfConversion, "RTF to HTML conversion dialog"},
        {kTopicGotoDialog, "Goto dialog"},
        {kTopicSupportAbout, "Support window and About box"},
        {kTopicCalculator, "calculator"},
        {kTopicCharacterPicker, "Insert Character window"},
        {kTopicPrinting, "print preview"},
        {kTopicEditorOptions, "Editor Options dialog"},
        {kTopicTemplates, "code templates and auto-correct"},
        {kTopicKeyAssignments, "key assignments"},
        {kTopicSchemes, "Default Syntax menu"},
        {kTopicKeywordHelp, "keyword help, Ctrl+F1"},
        {kTopicTipOfTheDay, "Tip Of The Day dialog"},
    };
    return kTopics;
}

}  // namespace quinkle

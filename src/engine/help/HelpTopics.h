// The help topics the program opens by name: one table for every window and dialog.
#pragma once

#include <span>
#include <string_view>

namespace quinkle {

/// A named help topic and the window or command whose Help opens it.
struct ProgramTopic {
    std::string_view Name;
    std::string_view Window;
};

inline constexpr std::string_view kTopicContents = "Contents";
inline constexpr std::string_view kTopicHowToUseHelp = "How_To_Use_Help";
inline constexpr std::string_view kTopicMainWindow = "The_Main_Window";
inline constexpr std::string_view kTopicMenusAndToolbars = "Menus_And_Toolbars";
inline constexpr std::string_view kTopicDocuments = "Documents_And_Files";
inline constexpr std::string_view kTopicEditor = "The_Editor";
inline constexpr std::string_view kTopicEditorKeys = "Editor_Keys";
inline constexpr std::string_view kTopicSearchReplace = "Search_And_Replace";
inline constexpr std::string_view kTopicBookmarks = "Bookmarks";
inline constexpr std::string_view kTopicUndoLists = "Undo_Lists";
inline constexpr std::string_view kTopicTagCommands = "Tag_Commands";
inline constexpr std::string_view kTopicDocumentTools = "Document_Tools";
inline constexpr std::string_view kTopicConfigureDialog = "The_Configure_Dialog";
inline constexpr std::string_view kTopicHeaderDialog = "Create_Header_Dialog";
inline constexpr std::string_view kTopicBodyDialog = "Create_Body_Dialog";
inline constexpr std::string_view kTopicTableDialog = "Insert_A_Table_Dialog";
inline constexpr std::string_view kTopicLinkDialog = "The_Insert_A_Link_Dialog";
inline constexpr std::string_view kTopicImageDialog = "Insert_An_Image_Dialog";
inline constexpr std::string_view kTopicRuleDialog = "The_Horizontal_Rule_Dialog";
inline constexpr std::string_view kTopicFormsDialog = "The_Forms_Dialog";
inline constexpr std::string_view kTopicGradientDialog = "The_Gradient_Text_Dialog";
inline constexpr std::string_view kTopicQuickButtons = "Quick_Buttons";
inline constexpr std::string_view kTopicQuickFormatDialog = "Add_Quick_Formating";
inline constexpr std::string_view kTopicQuickFileDialog = "Add_File_Text";
inline constexpr std::string_view kTopicEditHint = "Edit_Hint";
inline constexpr std::string_view kTopicQuickFileLoad = "Quick_File_Load";
inline constexpr std::string_view kTopicMacros = "Macros";
inline constexpr std::string_view kTopicGetFromWeb = "The_Get_From_Web_Dialog";
inline constexpr std::string_view kTopicRtfConversion = "CheatSheet";
inline constexpr std::string_view kTopicGotoDialog = "The_Goto_Dialog";
inline constexpr std::string_view kTopicSupportAbout = "Support_And_About";
inline constexpr std::string_view kTopicCalculator = "The_Calculator";
inline constexpr std::string_view kTopicCharacterPicker = "Insert_Character";
inline constexpr std::string_view kTopicPrinting = "PrintPreview";
inline constexpr std::string_view kTopicEditorOptions = "The_Editor_Options_Dialog";
inline constexpr std::string_view kTopicTemplates = "Templates_And_AutoCorrect";
inline constexpr std::string_view kTopicKeyAssignments = "Key_Assignments";
inline constexpr std::string_view kTopicSchemes = "Highlighting_Schemes";
inline constexpr std::string_view kTopicKeywordHelp = "Keyword_Help";
inline constexpr std::string_view kTopicTipOfTheDay = "Tip_Of_The_Day";

/// Every topic the program opens by name, with the window it belongs to. The help folder's
/// index must name a page for each.
std::span<const ProgramTopic> ProgramTopics();

}  // namespace quinkle

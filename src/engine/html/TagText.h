// The texts the main window's tag commands insert, each with its caret step back.
//
// Every builder is pure: the command hands it the selected text (and field values), then
// passes the result to the main window's insertion primitive with the command's undo code.
// Line breaks are written "\r\n"; the editor stores each as one CR, and step backs count
// stored characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/text/UndoStack.h"

namespace quinkle {

/// A text to insert and how far the caret moves back from its end when nothing was selected.
struct GeneratedText {
    std::string Text;
    int32_t StepBack = 0;
    friend bool operator==(const GeneratedText&, const GeneratedText&) = default;
};

/// A command that wraps the selection in a tag pair, and its undo code.
struct WrapCommand {
    std::string_view Tag;
    UndoCode Code;
};

inline constexpr WrapCommand kBoldCommand{"b", ucBold};
inline constexpr WrapCommand kItalicsCommand{"i", ucItalics};
inline constexpr WrapCommand kUnderlineCommand{"u", ucUnderLine};
inline constexpr WrapCommand kBlinkCommand{"blink", ucBlink};
inline constexpr WrapCommand kSuperscriptCommand{"sup", ucSuperScript};
inline constexpr WrapCommand kSubscriptCommand{"sub", ucSubScript};
inline constexpr WrapCommand kFootNoteCommand{"fn", ucFootnote};
inline constexpr WrapCommand kParagraphCommand{"p", ucParagraphAlign};
/// The Script command wraps with these attributes (code ucJavaScript), then inserts
/// CommentText() at the caret (code ucJSComment): two undo steps.
inline constexpr WrapCommand kScriptCommand{"script", ucJavaScript};
inline constexpr std::string_view kScriptAttributes =
    "language=\"JavaScript\" type=\"text/javascript\"";

/// The list commands' refusal when nothing is selected (an error message box).
inline constexpr std::string_view kListNeedsTextMessage =
    "No lines are selected.\r\nSelect the lines to make into a list, then press the list "
    "button again.";
/// The Font command's refusal when no option is ticked (a status message).
inline constexpr std::string_view kFontNeedsOptionsMessage =
    "You must select some Font Options First.";

/// "<tag attributes>selected</tag>" (a blank before non-empty attributes); the step back is
/// the closing tag's length, so with no selection the caret ends between the tags.
GeneratedText WrapSelectionText(std::string_view tag, std::string_view attributes,
                                std::string_view selected);

/// "<p align=alignment>selected</p>" (the value unquoted: "left", "center", "right"), step
/// back 4; undo code ucParagraphAlign.
GeneratedText AlignParagraphText(std::string_view alignment, std::string_view selected);

/// A numbered ("ol") or bulleted ("ul") list of the selected lines: "<ol>\r\n", one
/// " <li>line\r\n" per line that is not empty, "</ol>\r\n"; step back 0, undo code
/// ucInsertList. Lines end at CR LF, LF or CR. Nothing (show kListNeedsTextMessage) when the
/// selection is empty.
std::optional<GeneratedText> ListText(std::string_view listTag, std::string_view selected);

/// The Font toolbar's choices.
struct FontOptions {
    bool AddFace = false;
    std::string Face;
    bool AddColour = false;
    /// The colour box's choice: a colour name ("Red") or identifier ("clRed").
    std::string Colour;
    bool AddSize = false;
    /// The size box's text, "-6" to "6".
    std::string Size = "0";
};

/// "<font face=\"F\" color=\"C\" size=S>selected</font>" with the ticked parts, the colour in
/// HtmlColour's form ("clRed" gives "#FF0000"); step back 7 (inside the pair) when nothing is
/// selected, else 0; undo code ucFont. Nothing (show kFontNeedsOptionsMessage) when no option
/// is ticked.
std::optional<GeneratedText> FontText(const FontOptions& options, std::string_view selected);

/// " date time " from the formatted short date and long time; undo code ucTodaysDate.
GeneratedText DateTimeText(std::string_view date, std::string_view time);
/// "<br>"; undo code ucBreak.
GeneratedText BreakText();
/// "<wbr>"; undo code ucWBreak.
GeneratedText WbrText();
/// A script comment skeleton of four lines with the caret on its blank middle line; undo
/// code ucJSComment.
GeneratedText CommentText();

/// The heading tag a heading control's caption names: its second and third characters
/// ("<H1>" gives "H1"); undo code ucHeading.
std::string HeadingTag(std::string_view caption);

/// The text without its tags: each "<" up to and including the next ">" goes; entities and
/// line breaks stay. A "<" with no ">" after it is kept with the rest of the text, so no
/// text is lost to an unfinished tag. Undo code ucStripTags.
std::string StripHtmlTags(std::string_view text);

}  // namespace quinkle

// The ten quick buttons of the bottom toolbars and the Quick File Load list: what is stored for
// each button, what a button inserts, and which files the list shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/store/IniFile.h"

namespace quinkle {

/// The section that holds the quick buttons.
inline constexpr std::string_view kQuickButtonSection = "Quick Buttons";
/// The hint of a button that has none stored.
inline constexpr std::string_view kNoHintAssigned = "No Help Assigned";
/// Buttons 0 to 4 insert text files, 5 to 9 insert formatting snippets.
inline constexpr int kQuickFileButtons = 5;
inline constexpr int kQuickButtonCount = 10;

/// One button as stored: the caption, the hint (line breaks as CR LF) and the payload (a file
/// path for the file buttons, the snippet itself for the format buttons). An empty payload
/// means the button is not in use and is not shown.
struct QuickButton {
    std::string Caption;
    std::string Hint;
    std::string Payload;
    bool operator==(const QuickButton&) const = default;
};

/// The key of `button` (0..9) with `suffix`: "B3File", "B7Disp", ...
std::string QuickButtonKey(int button, std::string_view suffix);

/// A hint as stored on one line: each CR LF written as the two characters backslash and n.
std::string EncodeHint(std::string_view hint);
/// The stored form read back: each backslash-n pair becomes CR LF.
std::string DecodeHint(std::string_view stored);
/// The lines of the hint editor joined into a hint field: "\n" (backslash, n) between lines,
/// none after the last; a final empty line (the text ends in a line break) is not counted.
/// Lines may end in LF, CR LF or CR.
std::string JoinHintLines(std::string_view text);

/// Reads button `button` (0..9); a missing hint reads as kNoHintAssigned.
QuickButton ReadQuickButton(const IniFile& ini, int button);
/// Writes all three keys of button `button`, the hint encoded.
void WriteQuickButton(IniFile& ini, int button, const QuickButton& value);

/// The file a quick file button inserts: one leading and one trailing double quote removed;
/// a relative name is taken from `programDir` (which ends in a slash). Empty when `payload`
/// names no file.
std::string QuickFilePath(std::string_view payload, std::string_view programDir);
/// The text a text file inserts: each of its lines followed by CR LF, so the result always
/// ends with a line break (an empty file gives ""). Lines may end in LF, CR LF or CR.
std::string TextFileInsertion(std::string_view content);

/// The masks of the Quick File Load list: `showAll` shows every file, otherwise the stored
/// masks, or `fallback` when none are stored.
std::string QuickFileMask(const IniFile& ini, bool showAll, std::string_view fallback);
/// Whether `name` matches one of the ";"-separated masks ("*" any run, "?" one character,
/// ASCII case ignored; "*.*" matches every name). Blank masks are skipped.
bool MatchesFileMask(std::string_view name, std::string_view masks);
/// The names of the regular files in `folder` that match `masks`, sorted ignoring ASCII case
/// (then by bytes). An unreadable folder gives an empty list.
std::vector<std::string> ListQuickFiles(const std::string& folder, std::string_view masks);

}  // namespace quinkle

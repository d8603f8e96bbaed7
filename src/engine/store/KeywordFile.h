// The keyword file's [Keywords] section written from the text the user edits.
#pragma once

#include <string>
#include <string_view>

namespace quinkle {

class IniFile;

/// Writes each line "key=value" of `text` (CR LF or LF line ends) into the [Keywords] section
/// of `keywords`; a line without "=" is a value with an empty key, blank lines are skipped.
/// A line the file cannot hold is left out and the others are still written. Returns the
/// message of the first line left out, or an empty string.
std::string WriteKeywordLines(IniFile& keywords, std::string_view text);

}  // namespace quinkle

// The address history of the Get From WEB dialog: the Enter rule and its place in the ini
// file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

class IniFile;

/// The most addresses the history keeps.
inline constexpr size_t kUrlHistoryMax = 15;

/// Enter in the address field: the entry equal to `text` (ASCII case ignored, blanks around
/// either ignored) leaves the list, then `text` without its surrounding blanks goes first;
/// entries past the fifteenth are dropped. A text of blanks changes nothing.
void EnterUrl(std::vector<std::string>& history, std::string_view text);

/// The history from section [FromWeb]: "count" is the last index (-1 or missing for none),
/// "0".."count" the entries. At most fifteen non-empty entries are read; the list comes back
/// sorted (ASCII case ignored), as the dialog's list shows it at start.
std::vector<std::string> ReadUrlHistory(const IniFile& ini);

/// Replaces section [FromWeb] with "count" (entries minus 1) and the entries "0", "1", ...
void WriteUrlHistory(IniFile& ini, const std::vector<std::string>& history);

}  // namespace quinkle

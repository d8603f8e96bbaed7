// The tips of the Tip Of The Day dialog and where the dialog keeps its place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/store/ProgramSettings.h"

namespace quinkle {

/// Whether a tip is shown when the program starts.
inline constexpr BoolSetting kShowTipsAtStartup{kConfigSection, "Show Tips", false};
/// The number (0-based) of the tip to show next.
inline constexpr IntSetting kNextTip{kConfigSection, "Next Tip", 0};

/// The tips of a tips file: one tip per line (CR LF, LF or CR); blank lines and lines that
/// begin with ";" are skipped, blanks around a tip are dropped, and the two characters "\n"
/// inside a tip stand for a line break.
std::vector<std::string> ParseTips(std::string_view text);

/// `index` brought into 0..count-1, counting round in either direction; 0 when count is 0.
int WrapTipIndex(int index, int count);

}  // namespace quinkle

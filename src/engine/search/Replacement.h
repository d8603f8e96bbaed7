// The replacement text of expression mode, expanded for one match.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

/// Expands `replacement` for a match list (REParser::Matches): "%%" is "%"; "%n" (n from 1
/// to 255) the text between match offsets n-1 and n (nothing when the list is shorter or an
/// offset is -1); "%" and another byte that byte; "\\" "\"; "\n" CR; "\r" LF; "\t" TAB;
/// "\s" a blank; "\b" 8; "\f" 12; "\0".."\7" an octal code of up to three digits (a value of
/// 256 or more ends the expansion); "\x" one or two hex digits; any other escaped byte
/// stands for itself. `textOf(from, to)` gives the text of [from, to).
std::string ExpandReplacement(std::string_view replacement, const std::vector<int32_t>& matches,
                              const std::function<std::string(int32_t, int32_t)>& textOf);

}  // namespace quinkle

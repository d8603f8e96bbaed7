// Values of script strings: escape sequences and character specifiers.
#pragma once

#include "engine/text/EditorError.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/CharGroup.h"

namespace quinkle {

/// A string's text with its escapes applied: \0-\7 octal, \b 8, \e 27, \n CR, \r LF, \s
/// blank, \t TAB (either case), \x hexadecimal; any other escaped character stands for itself.
std::string Unescape(std::string_view raw);

/// A malformed character specifier; the message is the program's own text.
class ESpecifier : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

/// The character specifiers of a raw string: single characters, ranges "a-z" and classes
/// "[...]" (a leading '^' negates) of characters and ranges, written with the escapes of
/// Unescape plus \u for \x. Throws ESpecifier "Characters not in correct order for range
/// specifier" for a range running backwards.
std::vector<CharGroup> ParseSpecifiers(std::string_view raw);

}  // namespace quinkle

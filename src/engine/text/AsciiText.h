// ASCII helpers: comparing and searching text without regard to ASCII case (other bytes must
// match exactly), and hexadecimal digits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quinkle {

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

/// True when both texts are equal once ASCII letters are folded to lower case.
bool EqualsNoCase(std::string_view a, std::string_view b);

/// The position of the first `needle` at or after `from` in `text`, ASCII case ignored;
/// npos when there is none. An empty needle is found at `from` (when `from` is in range).
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from = 0);

/// The text with ASCII letters in lower case.
std::string LowerAsciiText(std::string_view text);

/// True when `text` begins with `prefix`, ASCII case ignored.
inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

/// The value of a hexadecimal digit (either case), or -1 for any other character.
inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace quinkle

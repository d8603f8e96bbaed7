// The single-byte code pages that rich-text files name for their 8-bit characters.
#pragma once

#include <array>

namespace quinkle {

/// The characters of bytes 128..255 in Windows code page `codePage` (1250..1258), the DOS code
/// pages 437 and 850, or 10000 (Mac Roman); nothing for any other number. Bytes the code page
/// leaves undefined stand for U+FFFD.
const std::array<char16_t, 128>* CodePageHighHalf(int codePage);

}  // namespace quinkle

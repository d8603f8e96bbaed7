// The UTF-8 sequences in stored bytes, decoded and encoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quinkle {

/// Decodes the well-formed UTF-8 sequence at `text` (at most `size` bytes) into
/// `codePoint` and returns its length; returns 0 when the bytes there are not one
/// (a lone byte of 128-255 then stands for itself as a Windows-1252 character).
size_t DecodeUtf8(const char* text, size_t size, char32_t& codePoint);

/// The characters of `text` as the editor counts them: a well-formed UTF-8 sequence is one,
/// any other byte is one.
int32_t CountUtf8Chars(std::string_view text);

/// The Unicode character a byte stands for when it is not part of a UTF-8 sequence.
char32_t Windows1252ToUnicode(unsigned char byte);

/// Appends the UTF-8 form of a code point (at most 0x10FFFF, no surrogate) to `out`.
void AppendUtf8(char32_t codePoint, std::string& out);

}  // namespace quinkle

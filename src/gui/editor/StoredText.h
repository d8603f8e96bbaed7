// Conversion between the store's bytes and Qt strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quinkle {

/// The characters stored bytes stand for: UTF-8 sequences decoded, every byte that is not
/// part of one taken as a Windows-1252 character. No byte is ever lost or replaced by U+FFFD.
QString DecodeStoredText(std::string_view bytes);

/// Text as the store keeps it: UTF-8.
std::string EncodeStoredText(const QString& text);

}  // namespace quinkle

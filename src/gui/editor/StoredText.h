// Conversion between the store's bytes and Qt strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "engine/text/Charset.h"

namespace quinkle {

/// The characters stored bytes stand for. In UTF-8, sequences are decoded and every byte that
/// is not part of one is taken as a Windows-1252 character; in a single-byte charset each
/// byte is its character. No byte is ever lost or replaced by U+FFFD.
QString DecodeStoredText(std::string_view bytes, Charset charset = Charset::Utf8);

/// Text as the store keeps it in `charset`: UTF-8, or the charset's bytes with a numeric
/// character reference for a character it cannot hold.
std::string EncodeStoredText(const QString& text, Charset charset = Charset::Utf8);

}  // namespace quinkle

// The binary image of a compiled scheme and the Parser value that carries it compressed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/scheme/SchemeSettings.h"
#include "engine/text/EditorError.h"

namespace quinkle {

/// The version written in front of every Parser value.
inline constexpr uint16_t kSchemeImageVersion = 51;
/// The oldest Parser version still read; 50 lacks the line-number font.
inline constexpr uint16_t kOldestSchemeImageVersion = 50;

/// The message texts of scheme images.
namespace scheme_image_message {
inline constexpr const char* kReadError = "Stream read error";
inline constexpr const char* kInvalidData = "Invalid scheme image data";
}  // namespace scheme_image_message

/// The uncompressed image of `scheme`: its settings, then keyword table, handlers, start
/// tables, line contexts, state changes and the anchor, bound and start sets, all
/// little-endian. Equal schemes give equal images.
std::string WriteSchemeImage(const CompiledScheme& scheme);

/// Replaces `target` with the scheme held by `image`, written by a Parser of `version` (the
/// line-number font is present only above 50). The image must be consumed to its last byte.
/// Throws EStreamError kReadError when the image ends early, ESourceEditor kInvalidData (or the
/// model's own error, such as a duplicate keyword) for contents no writer produces; `target`
/// is then left empty (reset). Every length and count is checked against the bytes left.
void ReadSchemeImage(std::string_view image, CompiledScheme& target,
                     uint16_t version = kSchemeImageVersion);

/// The Parser value of `scheme`: u16 version 51, i32 image length, then the image compressed
/// with the KH method.
std::string WriteParserValue(const CompiledScheme& scheme);

/// Resets `target` and reads a Parser value into it. A version below 50 leaves the scheme
/// empty and returns the message to show in a message box with an OK button ("<component>:
/// DFM file saved by different version ..."); otherwise returns an empty string. Throws
/// ECompressorException for a bad compressed stream, and the errors of ReadSchemeImage; the
/// scheme is left empty then.
std::string ReadParserValue(std::string_view value, CompiledScheme& target,
                            std::string_view componentName);

/// Makes `target` a copy of `source` by writing the source's Parser value and reading it back.
/// Assigning a scheme to itself leaves it as it is.
void AssignScheme(CompiledScheme& target, const CompiledScheme& source);

}  // namespace quinkle

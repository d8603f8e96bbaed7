// The character set a document declares, and the byte forms of text in it.
//
// The store keeps a document's bytes as they are. A document is read in the charset its head
// declares (UTF-8 when it declares none, or one this editor does not know): the view decodes
// its bytes for display, and typed text is encoded into it before insertion, a character the
// charset cannot hold becoming a numeric character reference. Saving writes the bytes
// unchanged, so a file always matches its own declaration.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quinkle {

enum class Charset { Utf8, Iso8859_1, Iso8859_2, Iso8859_15, Windows1250, Windows1252 };

/// The charset's preferred name: "UTF-8", "ISO-8859-1", "ISO-8859-2", "ISO-8859-15",
/// "windows-1250", "windows-1252".
std::string_view CharsetName(Charset charset);

/// The charset a label names ("utf-8", "latin2", "ISO_8859-15", "cp1250", ...), ASCII case
/// and surrounding blanks ignored; nothing for a label this editor does not know.
std::optional<Charset> CharsetFromName(std::string_view name);

/// How far into a document its charset declaration is looked for (1 MiB).
inline constexpr size_t kCharsetDeclarationLimit = size_t{1} << 20;

/// The charset declared by the first <meta charset=...> or <meta http-equiv="Content-Type"
/// content="...; charset=..."> of the head (any case, quotes optional). The head runs from
/// "<head" (or the start of a text without one) to "</head" or "<body", and is read at most
/// 1 MiB far; the cost is linear in that length. UTF-8 when no charset is declared there or
/// the first declared one is unknown.
Charset DeclaredCharset(std::string_view text);

/// The character one byte stands for. Every byte has one: bytes the charset leaves undefined
/// stand for the control character of the same number. In UTF-8, a byte of 128..255 outside
/// a sequence stands for its Windows-1252 character, as the view shows it.
char32_t DecodeByte(Charset charset, unsigned char byte);

/// The byte that stands for `codePoint`, or nothing when the charset has none (in UTF-8, any
/// character above 127, which takes several bytes). Inverse of DecodeByte for the
/// single-byte charsets.
std::optional<unsigned char> EncodeCodePoint(Charset charset, char32_t codePoint);

/// The bytes to insert for typed UTF-8 text: unchanged in UTF-8; otherwise each character's
/// byte, or "&#N;" (N decimal) for a character the charset cannot hold. Bytes that are not
/// well-formed UTF-8 pass unchanged.
std::string EncodeTyped(Charset charset, std::string_view utf8Text);

/// The bytes as UTF-8 text for display. In UTF-8, well-formed sequences pass and every other
/// byte shows as its Windows-1252 character; in the other charsets each byte is decoded. The
/// result is always well-formed UTF-8.
std::string DecodeForDisplay(Charset charset, std::string_view bytes);

}  // namespace quinkle

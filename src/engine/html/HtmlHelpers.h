// Small builders the HTML dialogs share: attributes, colours and file paths as URLs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quinkle {

/// " name=\"value\"" with the value trimmed of blanks and control characters at both ends;
/// "" when nothing is left of the value, so the attribute is left out.
std::string FormatAttribute(std::string_view name, std::string_view value);

/// The HTML form of a colour 0x00BBGGRR: "#RRGGBB" in upper-case hex. Only the low 24 bits
/// are read: a system colour (0x80000000 + index) must be resolved to its RGB value by the
/// caller first.
std::string ColourToHtml(uint32_t colour);

/// A colour field's text as an attribute value: six hex digits get their "#", one of the
/// sixteen basic colour names ("Black", "Maroon", ..., "White", any case) becomes its
/// "#RRGGBB"; anything else, trimmed of blanks, passes as it is.
std::string HtmlColour(std::string_view value);

/// A colour identifier without its "cl" prefix ("clRed" gives "Red", "clMoneyGreen"
/// "MoneyGreen"); a text that is not such an identifier is returned unchanged.
std::string ColourIdentToName(std::string_view ident);

/// A file path as a URL: StripQuotes, every backslash turned into "/", and a drive ("C:")
/// dropped, so "C:\web\img\bg.gif" becomes "/web/img/bg.gif" and "bg.gif" stays as it is.
std::string PathToUrl(std::string_view path);

/// Plain text made safe inside an element or a quoted attribute value: "<", ">" and "\""
/// written as "&lt;", "&gt;" and "&quot;", and "&" as "&amp;" unless it starts a character
/// reference ("&eacute;", "&#38;", "&#x26;"), which is kept as the writer meant it.
std::string EscapeHtml(std::string_view text);

/// An address as a quoted attribute value (href, src), the same address to a browser:
/// "\"", "<" and ">", which would end or break the tag, written "%22", "%3C" and "%3E", and a
/// lone "&" (as in "?a=1&b=2") written "&amp;"; anything else as typed.
std::string UrlAttribute(std::string_view url);

/// `text` with every byte that is not a letter, a digit, one of "-._~" or one of `alsoKept`
/// written as "%XX", as a URL needs it.
std::string PercentEncode(std::string_view text, std::string_view alsoKept = {});

}  // namespace quinkle

// What a web response holds for the editor: its status line, the charset its Content-Type
// names, and its body as the editor's lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/text/Charset.h"
#include "engine/text/FileText.h"

namespace quinkle {

struct StatusLine {
    int Code = 0;
    std::string Reason;  ///< the text after the code, without the line end
};

/// A response's status line: "HTTP/" major "." minor (or "HTTP/2"), blank, three-digit
/// code, and the optional reason text. Nothing for any other line.
std::optional<StatusLine> ParseStatusLine(std::string_view line);

/// The value of the header line `name` (ASCII case ignored), blanks trimmed; nothing when the
/// line is not that header.
std::optional<std::string> HeaderValue(std::string_view line, std::string_view name);

/// The charset a Content-Type value names ("text/html; charset=ISO-8859-1", quotes and
/// case allowed); nothing when it names none or one this editor does not know.
std::optional<Charset> ContentTypeCharset(std::string_view contentType);

/// A fetched page ready to become the document's text.
struct WebPage {
    std::string Text;                      ///< the lines, each ended by CR but the last
    LineEnd LineEnds = LineEnd::LF;        ///< the body's most frequent line end (LF when none)
    std::optional<Charset> ServedCharset;  ///< what the Content-Type header named
};

/// The body as lines: a line ends at CR LF, a lone CR or a lone LF; the end of the body ends
/// the last line, and a body that ends with a line break adds no empty line after it. A NUL
/// ends the text of its line (the rest of that line is dropped). Bytes are kept as they are.
/// The cost is linear in the body's length.
WebPage PageFromResponse(std::string_view body, std::string_view contentType);

}  // namespace quinkle

// What is printed: the document's lines, their colours and faces, and the title.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/text/Charset.h"

namespace quinkle {

/// How a stretch of text is printed.
struct PrintStyle {
    /// The colour as 0xRRGGBB.
    uint32_t Color = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const PrintStyle&) const = default;
};

/// The style of the bytes Start .. Start+Length-1 of a line.
struct StyleRun {
    int32_t Start = 0;
    int32_t Length = 0;
    PrintStyle Style;
    bool operator==(const StyleRun&) const = default;
};

/// The text handed to the page layout. Faces change the look of the characters, not their
/// places: the layout measures every character in the regular face.
struct PrintText {
    /// The logical lines without their line ends, as the document's bytes.
    std::vector<std::string> Lines;
    /// The charset the bytes are read in; in UTF-8 a byte outside a well-formed sequence stands
    /// for its Windows-1252 character, as in the editor.
    Charset TextCharset = Charset::Utf8;
    /// Per line, its style runs in increasing order without overlaps; bytes outside every run,
    /// and lines past the end of this list, print in the default style. Empty for black and
    /// white printing.
    std::vector<std::vector<StyleRun>> Styles;
    /// The title the header and footer codes "&i" show, as UTF-8.
    std::string Title;
};

}  // namespace quinkle

// The Insert Image dialog's result: an img tag for a picture file.
#pragma once

#include <cstdint>
#include <string>

#include "engine/html/TagText.h"

namespace quinkle {

enum class ImageAlign { Top, Middle, Bottom };

/// The Insert Image dialog's fields, with their start-up values.
struct ImageFields {
    std::string FileName;  ///< as the field holds it, possibly quoted
    std::string Alt;
    ImageAlign Align = ImageAlign::Middle;
    int32_t WidthPercent = 100;
    int32_t HeightPercent = 100;
    /// The picture's own size in pixels, 0 when it could not be read.
    int32_t PixelWidth = 0;
    int32_t PixelHeight = 0;
};

/// "<img src=\"URL\" alt=\"ALT\" align=top|middle|bottom" and the size, then ">\r\n"; step
/// back 0; an empty text when the file name is empty. The src is PathToUrl of the file name
/// through UrlAttribute; the alt text is escaped and written even when empty.
///
/// With the picture's size known, " width=W height=H" in pixels, each the size scaled by its
/// percentage and rounded. Without it, a percentage other than 100 is written as the share of
/// the page, " width=P%" and " height=P%". A negative result, which browsers ignore, is left
/// out.
GeneratedText BuildImage(const ImageFields& fields);

}  // namespace quinkle

// The Insert Image dialog's result: an img tag for a picture file.
#include "engine/html/ImageText.h"

#include "engine/html/HtmlHelpers.h"

namespace quinkle {
namespace {

const char* AlignName(ImageAlign align) {
    switch (align) {
        case ImageAlign::Top:
            return "top";
        case ImageAlign::Bottom:
            return "bottom";
        case ImageAlign::Middle:
            break;
    }
    return "middle";
}

// " name=N" for the size `pixels` scaled by `percent`, or " name=P%" when the size is unknown
// (and the percentage is not the picture's own 100).
std::string SizeAttribute(const char* name, int32_t percent, int32_t pixels) {
    if (percent < 0) return {};
    std::string value;
    if (pixels > 0) {
        // Rounded half up, in integers so that no size is off by a float's error.
        value = std::to_string((int64_t(pixels) * percent * 2 + 100) / 200);
    } else if (percent != 100) {
        value = std::to_string(percent) + "%";
    } else {
        return {};
    }
    return std::string(" ") + name + "=" + value;
}

}  // namespace

GeneratedText BuildImage(const ImageFields& fields) {
    if (fields.FileName.empty()) return {};
    std::string image = "<img src=\"" + UrlAttribute(PathToUrl(fields.FileName)) + "\"";
    image += " alt=\"" + EscapeHtml(fields.Alt) + "\"";
    image += " align=";
    image += AlignName(fields.Align);
    const bool known = fields.PixelWidth > 0 && fields.PixelHeight > 0;
    image += SizeAttribute("width", fields.WidthPercent, known ? fields.PixelWidth : 0);
    image += SizeAttribute("height", fields.HeightPercent, known ? fields.PixelHeight : 0);
    image += ">\r\n";
    return {std::move(image), 0};
}

}  // namespace quinkle

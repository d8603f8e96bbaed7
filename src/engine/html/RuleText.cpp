// The Horizontal Rule dialog's result: an hr tag.
#include "engine/html/RuleText.h"

#include "engine/html/HtmlHelpers.h"

namespace quinkle {

GeneratedText BuildRule(const RuleFields& fields) {
    std::string rule = "<hr";
    const bool fullWidth = fields.Width == 100;
    if (!fullWidth) rule += FormatAttribute("width", std::to_string(fields.Width) + "%");
    // A rule's thickness is its "size"; browsers know no "height" on hr.
    if (fields.Height != 3) rule += FormatAttribute("size", std::to_string(fields.Height));
    rule += FormatAttribute("color", EscapeHtml(HtmlColour(fields.Colour)));
    if (!fullWidth) rule += FormatAttribute("align", EscapeHtml(fields.Align));
    if (fields.Solid) rule += " noshade";
    rule += '>';
    return {std::move(rule), 0};
}

}  // namespace quinkle

// The Horizontal Rule dialog's result: an hr tag.
#pragma once

#include <cstdint>
#include <string>

#include "engine/html/TagText.h"

namespace quinkle {

/// The Horizontal Rule dialog's fields, with their start-up values.
struct RuleFields {
    int32_t Width = 100;  ///< percent of the page
    int32_t Height = 3;   ///< pixels
    std::string Colour;   ///< as typed or picked
    std::string Align = "Center";
    bool Solid = false;
};

/// "<hr" with width="W%" (when not 100), size="H" (when not 3), color (when the field is
/// not blank, in HtmlColour's form), align (only when the width is not 100), " noshade" when
/// solid, then ">"; step back 0, no line break. Values are quoted and escaped, and blank ones
/// are left out.
GeneratedText BuildRule(const RuleFields& fields);

}  // namespace quinkle

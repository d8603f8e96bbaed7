// The text the print preview lays out: the document's logical lines with the colours and faces
// of the active scheme, and the title of its header.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/print/PrintText.h"
#include "engine/scheme/Highlighter.h"
#include "engine/scheme/SchemeStyles.h"
#include "engine/text/TextStore.h"

namespace quinkle {

/// How the scheme's colours become printed colours.
struct PrintColours {
    /// Turns a system colour (0x80000000 + index) into 0x00BBGGRR; unset, such a colour prints
    /// as DefaultText.
    std::function<uint32_t(uint32_t)> Resolve;
    /// The colour (0x00BBGGRR) of effects that use the editor's default text colour.
    uint32_t DefaultText = 0x000000;
};

/// The logical lines of `store` (continuation rows joined, without line ends; the empty line
/// after a closing line end is not printed, so an empty store gives no lines) in `charset`,
/// titled `title`. With a highlighter that has a scheme and `styles` non-null, the whole text
/// is highlighted first and each line gets the style runs of its effects: the foreground
/// colour as 0xRRGGBB, bold, italic and underline. Backgrounds are not printed, and runs that
/// print in the default style (black, regular) are left out. Linear in the text's length.
PrintText MakePrintText(const TextStore& store, Highlighter* highlighter,
                        const SchemeStyles* styles, const PrintColours& colours, Charset charset,
                        std::string title);

/// The title the header's "&i" shows: the product name, a blank, the version, " - " and the
/// document's file name.
std::string PrintTitle(std::string_view fileName);

}  // namespace quinkle

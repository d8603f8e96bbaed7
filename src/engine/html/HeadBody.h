// The head section and the body start tag of a page, from the Header and Body dialogs' fields.
//
// Line breaks are written "\r\n"; the editor stores each as one CR.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quinkle {

inline constexpr std::string_view kProductName = "HTML Quinkle";
inline constexpr std::string_view kProductVersion = "v1.18";
inline constexpr std::string_view kCopyrightNotice =
    "Copyright (c) 2026 The HTML Quinkle developers";

/// "HTML Quinkle v1.18 - <copyright notice>": the generator named in every head.
std::string GeneratorText();

/// The head section: "<head>", the generator META line, a keywords META line when
/// `keywords` is not empty, "<title>" with the title (or "Generated with " and the generator
/// when the title is empty), a Description META line when `description` is not empty, and
/// "</head>", each line ending in "\r\n". Values pass unchanged: no trimming, no escaping,
/// line breaks in the description stay. Asking the user for a title is the caller's part.
std::string BuildHeadSection(std::string_view keywords, std::string_view title,
                             std::string_view description);

/// The Body dialog's fields, with their start-up values. The colours are written in
/// HtmlColour's form: six hex digits get their "#", a basic colour name its "#RRGGBB".
struct BodyFields {
    std::string BGGfx;   ///< background graphic file name, possibly quoted
    std::string BGMidi;  ///< background sound file name, possibly quoted
    int32_t MidiPlays = 0;
    std::string BGCol = "FFFFFF";
    std::string TxtCol = "000000";
    std::string LinksCol = "0000FF";
    std::string VLinksCol = "800080";
};

/// "<body" with the background, bgcolor, text, link and vlink attributes (each left out
/// when its field is empty or blank), ">\r\n"; with a sound file, a "<bgsound src=...>" line
/// (" loop=N" when plays is above 1) and an "<embed src=... autostart=TRUE hidden=true
/// loop=TRUE|FALSE>" line. File names go through PathToUrl.
std::string BuildBodyTag(const BodyFields& fields);

}  // namespace quinkle

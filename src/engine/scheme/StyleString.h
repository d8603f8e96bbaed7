// The style string: a scheme's colours, fonts, effects and editor measures as tagged text.
#pragma once

#include <string>
#include <string_view>

#include "engine/scheme/SchemeSettings.h"
#include "engine/text/EditorError.h"

namespace quinkle {

/// The message of every style string that cannot be read.
inline constexpr const char* kInvalidStyleString = "Invalid data in style string";

/// The style string of `settings`, format 6: "Marvox6:", then 24 entries KEY#length#value (OPT,
/// GWD, GCL, WRC, IDS, WRO, FON, FOS, STC, STB, TBC, TBD, EFF, GDF, MDF, SDF, BDF, FOC, RMG,
/// LNN, LNS, LNC, LNT, LNE) and "#END#". Numbers are decimal, colours as signed 32-bit values.
/// Strikeout and the hotspot flag of effects are not part of the text.
std::string WriteStyleString(const SchemeSettings& settings);

/// The format digit (1..9) of a style string. Throws ESourceEditor kInvalidStyleString when the
/// text does not start with the six-letter prefix and a digit 1..9.
int StyleStringVersion(std::string_view text);

/// Applies a style string to `settings` and returns its format digit. Formats 5..9 are tagged
/// (unknown keys are skipped; reading stops at a malformed entry, the end or END); 1..4 are
/// the older comma-separated forms. Throws ESourceEditor (kInvalidStyleString for a bad prefix,
/// number or effect) with `settings` partly changed: the caller restores them.
int ParseStyleString(std::string_view text, SchemeSettings& settings);

}  // namespace quinkle

// A whole text through the scanner at once, as the editor highlights it: for tools and
// benchmarks that need every character's token value without a text store.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/scheme/SyntaxScheme.h"

namespace quinkle {

/// What a whole-text scan went through.
struct TextScanTotals {
    int64_t Lines = 0;
    int64_t Tokens = 0;  ///< every token, those found again inside containers included
    int64_t Errors = 0;  ///< lines a scheme error cut short
};

/// Scans `text` line by line with `scheme` exactly as the highlighter scans a store holding
/// it: CR, LF and CR LF each end a line and the scanner sees the end as one CR; each line
/// starts after the value of the line before (0 at the start); container text is scanned
/// again; a scheme error gives the rest of its line, the failing token included, value 0.
/// Writes one token value per byte of `text` into `values` (which must hold text.size()
/// bytes); both bytes of a CR LF get the value of the line end.
TextScanTotals ScanTextValues(SyntaxScheme& scheme, std::string_view text, uint8_t* values);

/// The same scan, writing the effect each value maps to (`tokenEffect`, as in the scheme's
/// styles) instead of the value.
TextScanTotals ScanTextEffects(SyntaxScheme& scheme, const std::array<uint8_t, 256>& tokenEffect,
                               std::string_view text, uint8_t* effects);

/// ScanTextEffects over a text given in pieces, each cut after a line end (never between the
/// CR and LF of a pair): `incoming` is the value the piece starts after (0 for the first) and
/// is left at the value the piece ends with, for the next one.
TextScanTotals ScanTextEffects(SyntaxScheme& scheme, const std::array<uint8_t, 256>& tokenEffect,
                               std::string_view piece, uint8_t* effects, uint8_t& incoming);

}  // namespace quinkle

// A whole text through the scanner at once, as the editor highlights it: for tools and
// benchmarks that need every character's token value without a text store.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "engine/scheme/SyntaxScheme.h"

namespace quinkle {

/// What a whole-text scan went through.
struct TextScanTotals {
    int64_t Lines = 0;
    int64_t Tokens = 0;   ///< every token, those found again inside containers included
    int64_t Errors = 0;   ///< lines a scheme error cut short
    bool Written = true;  ///< false when the effects' sink refused them
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

/// Where a piece starting at `at` should end so that the next one starts a line: after the
/// first line end from `at` on (after the LF of a CR LF), or at the end of the text.
size_t CutAfterLineEnd(std::string_view text, size_t at);

/// Takes the effects of text[offset, offset + size); false when they could not be kept.
using EffectSink = std::function<bool(size_t offset, const uint8_t* effects, size_t size)>;

/// ScanTextEffects over the whole text, cut after line ends into up to `parts` pieces of about
/// equal size that are scanned at the same time, each on a thread of its own with the scheme
/// schemeFor(piece) (called on that thread; each piece needs a scheme of its own, all alike).
/// The effects go to `sink` a megabyte or so at a time, from the pieces' threads (at once:
/// the sink must take pieces of the text in any order). Every piece but the first starts as a
/// text does; where the piece before it ends in another value, its lines are scanned again
/// from that value until one ends as it did before, from where on nothing can differ, and
/// their effects go to the sink once more. So the effects last given for each byte, and the
/// totals, are exactly ScanTextEffects'. With one part, the effects go in order on the
/// calling thread. Written is false when the sink refused (the scan stops there).
TextScanTotals ScanTextEffectsInParallel(size_t parts,
                                         const std::function<SyntaxScheme&(size_t)>& schemeFor,
                                         const std::array<uint8_t, 256>& tokenEffect,
                                         std::string_view text, const EffectSink& sink);

}  // namespace quinkle

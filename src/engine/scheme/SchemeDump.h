// Readable dumps of a compiled scheme and of the tokens it finds in a text; the reference
// tests and the quinkle-scheme tool compare them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/scheme/SchemeSettings.h"

namespace quinkle {

/// The whole model as text, one fact per line, in a fixed order: settings, sets, groups,
/// words, keyword tables, start tables, handlers, state changes, effects, map, keys,
/// auto-correct entries and templates.
std::string DumpScheme(const CompiledScheme& compiled);

/// Scans `text` line by line as the editor does (each line after the value ending the line
/// before; containers scanned again) and lists every token as "line:column length value
/// effect", 1-based; tokens found inside a container are marked with '>'. Scanner errors
/// are listed where they stop a line.
std::string DumpTokens(SyntaxScheme& scheme, const SchemeStyles& styles, std::string_view text);

/// Token counts per value and the bytes scanned, without container rescans.
struct TokenCounts {
    std::array<int64_t, 256> PerValue{};
    int64_t Bytes = 0;
    int64_t Errors = 0;
};
TokenCounts CountTokens(SyntaxScheme& scheme, std::string_view text);

/// "{0,3,5-7}".
std::string FormatSet(const StateSet& set);

}  // namespace quinkle

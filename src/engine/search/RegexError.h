// The regular-expression engine's messages and the exception that carries them.
#pragma once

#include "engine/text/EditorError.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quinkle {

/// The engine's message table, in the program's own words.
namespace re_message {
inline constexpr const char* kNoErrors = "No errors detected";
inline constexpr const char* kInvalidParameter = "Invalid parameter";
inline constexpr const char* kTooComplex = "Expression is too complex";
inline constexpr const char* kTooManyGroups = "Too many sub-expressions";
inline constexpr const char* kUnmatchedParenthesis = "Unmatched parenthesis";
inline constexpr const char* kInvalidRepeat = "Invalid repeat";
inline constexpr const char* kNestedRepeat = "Nested repeat";
inline constexpr const char* kInvalidRange = "Invalid range";
inline constexpr const char* kUnmatchedBracket = "Unmatched bracket";
inline constexpr const char* kHexDigitExpected = "Hex digit expected";
inline constexpr const char* kUnexpectedEnd = "Unexpected end of input";
inline constexpr const char* kQuoteExpected = "' expected";
inline constexpr const char* kIndexRange = "Index range error";
inline constexpr const char* kInternal = "Internal error";
inline constexpr const char* kNotFound = "Expression not found";
}  // namespace re_message

/// A regular expression that cannot be compiled or matched. what() is the message alone;
/// Position() is the index in the pattern where the fault was found, or -1.
class ERegExpError : public EQuinkleError {
public:
    explicit ERegExpError(const char* message, int32_t position = -1)
        : EQuinkleError(message), m_position(position) {}
    int32_t Position() const { return m_position; }

private:
    int32_t m_position;
};

}  // namespace quinkle

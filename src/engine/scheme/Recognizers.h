// The built-in recognizers a scheme's tokens and handlers may call (table entries 7-20).
#pragma once

#include <cstdint>

#include "engine/scheme/CharGroup.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {

/// Entries of the recognizer table. Whole-token recognizers (10-20) are named by their entry
/// number in a token's start; body and end parts name entry n+7 by the number n they carry.
enum Recognizer : int32_t {
    rcPascalChar = 7,           ///< one character of a Pascal string body ('' counts as one)
    rcWebChar = 8,              ///< a run of URL characters, a final '.' excluded
    rcOriginalChar = 9,         ///< the rest of the line, when the token began the line
    rcIdentifier = 10,          ///< letters, digits, '_', starting with a letter or '_'
    rcNumberOrFP = 11,          ///< digits [. digits] [e|E digits]
    rcPascalString = 12,        ///< '...' with doubled quotes
    rcCString = 13,             ///< "..." with backslash escapes
    rcCChar = 14,               ///< '...' with backslash escapes
    rcCNumberOrFPSigned = 15,   ///< as 11 with a sign in front and after the exponent letter
    rcNumber = 16,              ///< digits
    rcMailUrl = 17,             ///< letters, digits, ~ . @ - holding an '@'
    rcHtmlString = 18,          ///< "..." without escapes
    rcJsLineComment = 19,       ///< the rest of the line, up to a "-->"
    rcCStringSingleQuote = 20,  ///< '...' with backslash escapes
};

inline constexpr int32_t kFirstRecognizer = rcPascalChar;
inline constexpr int32_t kLastRecognizer = rcCStringSingleQuote;

/// True for the whole-token recognizers 10-20.
inline bool IsWholeTokenRecognizer(int32_t entry) {
    return entry >= rcIdentifier && entry <= kLastRecognizer;
}

/// Runs table entry `entry` at the cursor. On acceptance the cursor is after what it took and
/// `length` has grown by as many characters; on refusal both are as they were. Entries outside
/// 7-20 select nothing and never accept.
bool RunRecognizer(int32_t entry, TextCursor& cursor, int32_t& length);

/// The characters a whole-token recognizer (10-20) may start with; an empty group for others.
CharGroup RecognizerFirstChars(int32_t entry);

}  // namespace quinkle

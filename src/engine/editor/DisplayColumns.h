// How the characters of a row advance the display column: the one rule that the caret, the hit
// test and the painter share, so a TAB or a multi-byte character is never counted two ways.
#pragma once

#include <cstdint>

#include "engine/scheme/EditorSettings.h"

namespace quinkle {

/// Where the display stands after one character: the byte index and the display column.
struct ColumnStep {
    int32_t NextIndex;
    int32_t NextColumn;
};

/// Steps over the character at byte `index` of `text` (`length` bytes), which stands at display
/// `column`: a TAB reaches the next tab stop of `settings`, any other character takes one
/// column. With `multiByte` a UTF-8 sequence is one character (a byte that starts no valid
/// sequence counts alone); without it every byte is one.
ColumnStep StepDisplayColumn(const char* text, int32_t length, int32_t index, int32_t column,
                             const EditorSettings& settings, bool multiByte);

/// The display column at byte `end` of a row whose first `length` bytes are `text`.
int32_t DisplayColumnAt(const char* text, int32_t length, int32_t end,
                        const EditorSettings& settings, bool multiByte);

}  // namespace quinkle

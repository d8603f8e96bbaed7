// The display column rule shared by the caret, the hit test and the painter.
#include "engine/editor/DisplayColumns.h"

#include "engine/text/TextRow.h"
#include "engine/text/Utf8.h"

namespace quinkle {

ColumnStep StepDisplayColumn(const char* text, int32_t length, int32_t index, int32_t column,
                             const EditorSettings& settings, bool multiByte) {
    if (text[index] == kTab) return {index + 1, settings.NextTabStop(column)};
    if (!multiByte) return {index + 1, column + 1};
    char32_t code;
    size_t size = DecodeUtf8(text + index, static_cast<size_t>(length - index), code);
    return {index + (size == 0 ? 1 : static_cast<int32_t>(size)), column + 1};
}

int32_t DisplayColumnAt(const char* text, int32_t length, int32_t end,
                        const EditorSettings& settings, bool multiByte) {
    int32_t column = 0;
    for (int32_t i = 0; i < end && i < length;) {
        ColumnStep step = StepDisplayColumn(text, length, i, column, settings, multiByte);
        i = step.NextIndex;
        column = step.NextColumn;
    }
    return column;
}

}  // namespace quinkle

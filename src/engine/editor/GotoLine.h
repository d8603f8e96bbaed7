// Where the Goto dialog's choice puts the caret.
#pragma once

#include <cstdint>

namespace quinkle {

class SourceEditor;

enum class GotoChoice { Start, Line, End };

/// The offset of the start of the chosen logical line: the first line, line `number` (counted
/// from 1), or the end of the text. A number beyond the last line gives the end; one below 1
/// the start.
int32_t GotoOffset(const SourceEditor& editor, GotoChoice choice, int32_t number);

}  // namespace quinkle

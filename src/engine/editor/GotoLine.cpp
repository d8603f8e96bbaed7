// The Goto dialog's target.
#include "engine/editor/GotoLine.h"

#include <algorithm>

#include "engine/editor/SourceEditor.h"

namespace quinkle {

int32_t GotoOffset(const SourceEditor& editor, GotoChoice choice, int32_t number) {
    const TextStore& store = editor.Store();
    if (choice == GotoChoice::Start) return 0;
    const int32_t line = std::max(0, number - 1);
    // Past the last line end there is one more line: the unended last one, or the empty place
    // at the end of the text.
    if (choice == GotoChoice::End || line > store.LineOfRow(store.RowCount()))
        return store.CharCount();
    return line == 0 ? 0 : store.RowStart(store.FirstRowOfLine(line));
}

}  // namespace quinkle

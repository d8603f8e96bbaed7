// The display column rule that the caret, the hit test and the painter share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/editor/DisplayColumns.h"
#include "engine/editor/SourceEditor.h"

namespace quinkle {
namespace {

struct ColumnCase {
    const char* Name;
    std::string Text;
    bool MultiByte;
    std::vector<int32_t> Columns;  // the display column at each byte 0..size
};

TEST(DisplayColumns, TabsMultiByteCharactersAndStrayBytes) {
    EditorSettings settings;  // tab stops every 4 columns
    const ColumnCase cases[] = {
        {"plain", "ab", true, {0, 1, 2}},
        {"tab to the next stop", "a\tb", true, {0, 1, 4, 5}},
        {"tab on a stop", "abcd\tx", true, {0, 1, 2, 3, 4, 8, 9}},
        // A two-byte character is one column; the byte inside it reports the column after it.
        {"UTF-8 character", "\xC3\xA9x", true, {0, 1, 1, 2}},
        {"stray continuation byte", "\x80x", true, {0, 1, 2}},
        {"truncated sequence", "\xE2\x82", true, {0, 1, 2}},
        {"single-byte charset", "\xC3\xA9x", false, {0, 1, 2, 3}},
    };
    for (const ColumnCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto length = static_cast<int32_t>(c.Text.size());
        for (int32_t end = 0; end <= length; ++end)
            EXPECT_EQ(DisplayColumnAt(c.Text.data(), length, end, settings, c.MultiByte),
                      c.Columns[static_cast<size_t>(end)])
                << "at byte " << end;
    }
}

TEST(DisplayColumns, TheEditorCountsColumnsByTheRule) {
    SourceEditor editor;
    editor.SetText("x\t\xC3\xA9\tyz\xE2\x82\xAC!");
    const std::string line = editor.GetLine(0);
    const auto length = static_cast<int32_t>(line.size());
    for (int32_t at = 0; at <= length; ++at)
        EXPECT_EQ(editor.DisplayColumn(at),
                  DisplayColumnAt(line.data(), length, at, editor.Settings(), true))
            << "at byte " << at;
}

}  // namespace
}  // namespace quinkle

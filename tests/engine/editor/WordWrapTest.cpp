// The word-wrap pass: where rows are cut, what they carry, and re-wrapping after edits.
#include <gtest/gtest.h>

#include "engine/editor/SourceEditor.h"
#include "engine/text/LineWrapper.h"

namespace quinkle {
namespace {

std::vector<std::string> Rows(const SourceEditor& editor) {
    std::vector<std::string> rows;
    for (int32_t i = 0; i < editor.Store().RowCount(); ++i)
        rows.emplace_back(editor.Store().Row(i)->View());
    return rows;
}

SourceEditor& Wrapped(SourceEditor& editor, int columns) {
    editor.Settings().WrapAtColumn = static_cast<uint16_t>(columns);
    editor.SetOptions(editor.Options() | smoWordWrap);
    return editor;
}

TEST(WordWrap, CutsAtTheLastBreakBeforeTheWidth) {
    SourceEditor editor;
    editor.SetText("the quick brown fox jumps over the lazy dog and on\r\nnext");
    Wrapped(editor, 24);  // rows fill up to 24 - 4 columns
    EXPECT_EQ(Rows(editor),
              (std::vector<std::string>{"the quick brown fox ", "jumps over the lazy ",
                                        "dog and on\r", "next"}));
    EXPECT_FALSE(editor.Store().Row(0)->IsContinuation());
    EXPECT_TRUE(editor.Store().Row(1)->IsContinuation());
    EXPECT_TRUE(editor.Store().Row(2)->IsContinuation());
    EXPECT_FALSE(editor.Store().Row(3)->IsContinuation());
    EXPECT_TRUE(editor.Store().Check());

    editor.SetOptions(editor.Options() & ~smoWordWrap);  // off again: the rows join
    EXPECT_EQ(Rows(editor), (std::vector<std::string>{
                                "the quick brown fox jumps over the lazy dog and on\r", "next"}));
}

TEST(WordWrap, LongWordsTabsAndProtectedLines) {
    SourceEditor editor;
    editor.SetText(
        (std::string(30, 'w') + "\r>" + std::string(40, 'p') + " q\r\tx " + std::string(14, 'y'))
            .c_str());
    editor.Settings().Options |= smoWrapOverride;
    Wrapped(editor, 20);
    std::vector<std::string> rows = Rows(editor);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], std::string(16, 'w'));  // no break: cut where the width ends
    EXPECT_EQ(rows[1], std::string(14, 'w') + "\r");
    EXPECT_EQ(rows[2], ">" + std::string(40, 'p') + " q\r");  // protected by ">"
    EXPECT_EQ(rows[3], "\tx ");                               // the TAB takes four columns
    EXPECT_EQ(rows[4], std::string(14, 'y'));
}

TEST(WordWrap, EditsRewrapTheirLineAndMarksStayOnTheFirstRow) {
    SourceEditor editor;
    editor.SetText("aaaa bbbb cccc dddd eeee ffff\rzz");
    editor.SetBookmark(2, 0, 3);
    Wrapped(editor, 20);
    ASSERT_GT(editor.Store().RowCount(), 2);
    editor.SetSel(0, 0);
    editor.TypeText("X");
    editor.SetSel(20, 20);
    editor.ReplaceSel("long inserted words here ");
    EXPECT_TRUE(editor.Store().Check());
    for (int32_t i = 1; i < editor.Store().RowCount() - 1; ++i)
        EXPECT_LE(editor.Store().Row(i)->TextLength(), 17);
    int32_t row = -1, column = 0;
    ASSERT_TRUE(editor.GetBookmark(2, row, column));
    EXPECT_EQ(row, 0);
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(editor.GetText(), "aaaa bbbb cccc dddd eeee ffff\r\nzz");
    EXPECT_TRUE(editor.Store().Check());
}

TEST(WordWrap, WidthFollowsTheWindowWhenNoColumnIsSet) {
    SourceEditor editor;
    editor.SetText(std::string(200, 'a').c_str());
    editor.SetOptions(editor.Options() | smoWordWrap);
    editor.SetViewMetrics({10, 20, 0, 500, 200});  // 50 columns: wrap at 46, fill to 42
    EXPECT_EQ(editor.Store().Row(0)->Len, 42);
    editor.SetViewMetrics({10, 20, 0, 1000, 200});
    EXPECT_EQ(editor.Store().Row(0)->Len, 92);
}

TEST(LineWrapper, ProportionalFontsAreMeasured) {
    WrapSettings settings;
    settings.Enabled = true;
    settings.Width = 20;
    settings.AverageCharWidth = 10;
    // "i" is narrow, everything else wide: 200 pixels hold many i's but few m's.
    settings.TextWidth = [](std::string_view text) {
        int32_t width = 0;
        for (char c : text) width += c == 'i' ? 2 : 20;
        return width;
    };
    LineWrapper wrapper(settings);
    std::string narrow(150, 'i');
    EXPECT_EQ(wrapper.RowEnd(narrow, 0, true), 100u);
    std::string wide = "mmm mmm mmm mmm";
    EXPECT_EQ(wrapper.RowEnd(wide, 0, true), 8u);  // "mmm mmm " fits, the next word does not
}

}  // namespace
}  // namespace quinkle

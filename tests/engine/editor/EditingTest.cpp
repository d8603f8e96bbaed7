// Typing, tab stops, indentation, deleting, caret movement and bookmarks.
#include <gtest/gtest.h>

#include "engine/editor/SourceEditor.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

std::string Raw(const SourceEditor& editor) {
    return editor.Store().GetText(0, editor.Store().CharCount());
}

void Type(SourceEditor& editor, std::string_view text) {
    for (char c : text) editor.TypeText(std::string_view(&c, 1));
}

TEST(EditorSettings, TabStopsAndTheirMessages) {
    EditorSettings settings;
    settings.SetTabColumns("5 9;20");
    EXPECT_EQ(settings.TabColumnsText(), "5 9 20");
    std::vector<int32_t> stops;
    for (int32_t column = 0; stops.size() < 6; column = stops.back()) {
        stops.push_back(settings.NextTabStop(column));
    }
    EXPECT_EQ(stops, (std::vector<int32_t>{4, 8, 19, 20, 24, 28}));

    auto message = [&](std::string_view text) {
        try {
            settings.SetTabColumns(text);
        } catch (const ESourceEditor& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message("5 x"), "Tab stop column value expected");
    EXPECT_EQ(message("5 5"), "Tab columns must be in order and unique");
    EXPECT_EQ(message("9 5"), "Tab columns must be in order and unique");
    EXPECT_EQ(message("1"), "Tab column must be > 1");
    std::string many;
    for (int i = 2; i <= 34; ++i) many += std::to_string(i) + " ";
    EXPECT_EQ(message(many), "Too many tab stops - maximum of 32");
    EXPECT_EQ(settings.TabColumnsText(), "5 9 20");  // a refused text changes nothing
    EXPECT_THROW(settings.SetTabDefault(0), ESourceEditor);
    settings.SetIndentStep(0);
    settings.SetIndentStep(20);
    EXPECT_EQ(settings.IndentStep(), 1);
    settings.SetIndentStep(19);
    EXPECT_EQ(settings.IndentStep(), 19);
}

TEST(Typing, AutoIndentFollowsTheLineAndFillSettings) {
    SourceEditor editor;
    editor.SetText("\t\tx");
    editor.SetSel(3, 3);
    editor.TypeText("\r");
    EXPECT_EQ(Raw(editor), "\t\tx\r\t\t");  // TABs with use-TAB and smart fill (the default)
    editor.SetOptions(editor.Options() & ~smoUseTAB);
    editor.TypeText("\r");
    EXPECT_EQ(Raw(editor), "\t\tx\r\t\t\r        ");
    editor.Undo();  // Enter and its indent are one step
    EXPECT_EQ(Raw(editor), "\t\tx\r\t\t");

    editor.SetText("  a\r\rb");
    editor.SetSel(4, 4);  // on the empty line: the indent comes from the line above
    editor.TypeText("\r");
    EXPECT_EQ(Raw(editor), "  a\r\r  \rb");
    editor.SetSel(10, 10);  // after "b", a line without indent, stays unindented
    editor.TypeText("\r");
    EXPECT_EQ(Raw(editor), "  a\r\r  \rb\r");
}

TEST(Typing, OverwriteReplacesButNeverJoinsLines) {
    SourceEditor editor;
    editor.SetText("ab\rcd");
    editor.SetInsertMode(false);
    editor.SetSel(1, 1);
    Type(editor, "XY");
    EXPECT_EQ(Raw(editor), "aXY\rcd");  // at the line end the second one is inserted
    editor.SetSel(4, 4);
    editor.TypeText("\xc3\xa9");
    editor.SetSel(4, 4);
    editor.TypeText("Z");  // a two-byte character is replaced as one
    EXPECT_EQ(Raw(editor), "aXY\rZd");
    editor.ReadOnly = true;
    editor.TypeText("Q");
    EXPECT_EQ(Raw(editor), "aXY\rZd");
}

TEST(Typing, TabKeyUsesStopsAndTheWordsAbove) {
    SourceEditor editor;
    editor.SetOptions(editor.Options() & ~(smoUseTAB | smoTabToColumn));
    editor.TypeText("\t");
    EXPECT_EQ(Raw(editor), "    ");
    editor.SetOptions(editor.Options() | smoTabToColumn);
    editor.SetText("int  value = 1;\r");
    editor.SetSel(16, 16);
    editor.TypeText("\t");  // under "value"
    EXPECT_EQ(editor.DisplayColumn(editor.Caret()), 5);
    editor.TypeText("\t");  // under "="
    EXPECT_EQ(editor.DisplayColumn(editor.Caret()), 11);
}

TEST(Typing, CaretBeyondTheLineEnd) {
    SourceEditor editor;
    editor.SetOptions(editor.Options() | smoCaretAfterEOL);
    editor.SetText("ab\rlonger line");
    editor.SetSel(14, 14);
    editor.MoveCaret(SourceEditor::Move::Up, false);
    EXPECT_EQ(editor.Caret(), 2);
    EXPECT_EQ(editor.CaretBeyondEnd(), 9);
    editor.TypeText("x");
    EXPECT_EQ(editor.GetLine(0), "ab\t\t   x");
    editor.SetOptions(editor.Options() & ~smoCaretAfterEOL);
    editor.SetSel(0, 0);
    editor.MoveCaret(SourceEditor::Move::End, false);
    editor.MoveCaret(SourceEditor::Move::Right, false);
    EXPECT_EQ(editor.LineFromChar(-1), 1);  // without it the caret wraps to the next line
}

TEST(Indentation, BlockIndentAndUnindentAreSingleSteps) {
    SourceEditor editor;
    editor.SetText("a\r\tb\rc\r");
    editor.SetSel(0, 5);  // ends at the start of "c": that line is not included
    editor.IndentBlock(2, false);
    EXPECT_EQ(Raw(editor), "  a\r  \tb\rc\r");
    EXPECT_EQ(editor.SelStart(), 0);
    EXPECT_EQ(editor.SelEnd(), 9);
    editor.UnindentBlock(2);
    EXPECT_EQ(Raw(editor), "a\r\tb\rc\r");
    editor.UnindentBlock(2);  // one TAB and text: just the TAB goes
    EXPECT_EQ(Raw(editor), "a\rb\rc\r");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "a\r\tb\rc\r");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "  a\r  \tb\rc\r");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "a\r\tb\rc\r");
    EXPECT_FALSE(editor.CanUndo());
}

TEST(Indentation, LargeBlocksStayConsistent) {
    SourceEditor editor;
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i) + "\r\n";
    editor.SetText(text.c_str());
    editor.SelectAll();
    editor.IndentBlock(4, false);
    EXPECT_EQ(editor.GetLine(2999), "    line 2999");
    EXPECT_TRUE(editor.Store().Check());
    editor.Undo();
    EXPECT_EQ(editor.GetText(), text);
}

TEST(Deleting, CharactersWordsAndLines) {
    SourceEditor editor;
    editor.SetText("one two_3 four\rnext");
    editor.SetSel(9, 9);
    editor.DeletePreviousWord();
    EXPECT_EQ(Raw(editor), "one  four\rnext");
    editor.DeleteNextWord();
    EXPECT_EQ(Raw(editor), "one four\rnext");
    // The undo list names each deletion for what it was.
    editor.UndoLog().StartListing();
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    ASSERT_TRUE(editor.UndoLog().NextUndoGroup(false, code, node));
    EXPECT_EQ(UndoGroupName(code), "Del Next");
    ASSERT_TRUE(editor.UndoLog().NextUndoGroup(false, code, node));
    EXPECT_EQ(UndoGroupName(code), "Del Previous");
    editor.SetSel(2, 2);
    editor.DeleteCurrentLine();
    EXPECT_EQ(Raw(editor), "next");
    editor.SetSel(4, 4);
    editor.DeleteCharBeforeCaret();
    editor.DeleteCharAtCaret();  // at the end: nothing
    EXPECT_EQ(Raw(editor), "nex");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "next");
    editor.Undo();
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(Raw(editor), "one two_3 four\rnext");
}

TEST(CaretMovement, WordsLinesAndPreferredColumn) {
    SourceEditor editor;
    editor.SetText("alpha beta(gamma)\rx\rdelta epsilon  \r");
    editor.SetSel(0, 0);
    editor.MoveCaret(SourceEditor::Move::WordAfter, false);
    EXPECT_EQ(editor.Caret(), 6);
    editor.MoveCaret(SourceEditor::Move::WordAfter, true);
    EXPECT_EQ(editor.Caret(), 11);
    EXPECT_EQ(editor.Anchor(), 6);
    editor.MoveCaret(SourceEditor::Move::WordBefore, false);
    EXPECT_EQ(editor.Caret(), 6);
    editor.SetSel(14, 14);
    editor.MoveCaret(SourceEditor::Move::Down, false);  // "x" is shorter: clipped
    EXPECT_EQ(editor.Caret(), 19);
    editor.MoveCaret(SourceEditor::Move::Down, false);  // the column comes back
    EXPECT_EQ(editor.Caret(), 20 + 14);
    editor.MoveCaret(SourceEditor::Move::End, false);  // trailing blanks are skipped
    EXPECT_EQ(editor.Caret(), 20 + 13);
    editor.MoveCaret(SourceEditor::Move::Home, true);
    EXPECT_EQ(editor.SelText(), "delta epsilon");
    editor.MoveCaret(SourceEditor::Move::DocumentEnd, false);
    EXPECT_EQ(editor.Caret(), editor.Store().CharCount());
    editor.SetText("\xc3\xa9t\xc3\xa9");
    editor.SetSel(5, 5);
    editor.MoveCaret(SourceEditor::Move::Left, false);
    EXPECT_EQ(editor.Caret(), 3);  // over the two bytes of one character
}

TEST(Mouse, ClicksPlaceSelectWordsAndRows) {
    SourceEditor editor;
    editor.SetViewMetrics({10, 20, 30, 800, 400});
    editor.SetText("hello world\rsecond\r");
    editor.MouseDown(30 + 72, 5, false, 1);
    EXPECT_EQ(editor.Caret(), 7);
    editor.MouseDown(30 + 20, 5, true, 1);
    EXPECT_EQ(editor.SelText(), "llo w");
    editor.MouseDown(30 + 72, 5, false, 2);
    EXPECT_EQ(editor.SelText(), "world");
    editor.MouseDown(30 + 10, 25, false, 3);
    EXPECT_EQ(editor.SelText(), "second\r\n");
    editor.MouseDown(30, 5, false, 1);
    editor.MouseMove(30 + 50, 25);
    EXPECT_EQ(editor.SelEnd(), 17);

    editor.SetText("\tx");  // a click agrees with CharFromPos inside a TAB
    for (int x : {30 + 12, 30 + 28}) {
        editor.MouseDown(x, 5, false, 1);
        EXPECT_EQ(editor.Caret(), editor.CharFromPos(x, 5)) << x;
    }
}

TEST(Bookmarks, SetMoveRemoveAndGoTo) {
    SourceEditor editor;
    editor.SetText("zero\rone\rtwo\r");
    std::vector<int> set;
    editor.OnBookmarkSet = [&](int n) { set.push_back(n); };
    editor.SetSel(6, 6);
    editor.SetBookmark(3);
    int32_t row = 0, column = 0;
    ASSERT_TRUE(editor.GetBookmark(3, row, column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 2);
    editor.SetBookmark(4, 1, 1);  // one bookmark per row: 3 goes
    EXPECT_FALSE(editor.GetBookmark(3, row, column));
    editor.SetBookmark(4, 1, 1);  // again on its own row: removed
    EXPECT_FALSE(editor.GetBookmark(4, row, column));
    editor.SetBookmark(5, 2, 9);
    editor.SetSel(0, 0);
    editor.GotoBookmark(5);
    EXPECT_EQ(editor.Caret(), 12);  // the column is clipped to the line
    EXPECT_EQ(set, (std::vector<int>{3, 4, 5}));
    EXPECT_THROW(editor.SetBookmark(10), ESourceEditor);
}

}  // namespace
}  // namespace quinkle

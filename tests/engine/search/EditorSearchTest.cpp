// The editor's search, find next, replace prompts, replace-all with undo, range marks and
// numbered bookmarks.
#include <gtest/gtest.h>

#include <deque>

#include "engine/editor/SourceEditor.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

std::string Raw(const SourceEditor& editor) {
    return editor.Store().GetText(0, editor.Store().CharCount());
}

struct Editor : SourceEditor {
    explicit Editor(const char* text) {
        SetText(text);
        OnSearchMessage = [this](const std::string& message) { Messages.push_back(message); };
        OnReplaceQuery = [this](const std::string& question) {
            Questions.push_back(question);
            if (Answers.empty()) return ReplaceAnswer::Cancel;
            ReplaceAnswer answer = Answers.front();
            Answers.pop_front();
            return answer;
        };
    }
    std::string Selected() const { return Store().GetText(SelStart(), SelEnd()); }
    std::vector<std::string> Messages;
    std::vector<std::string> Questions;
    std::deque<ReplaceAnswer> Answers;
};

TEST(EditorSearch, SearchSelectsTheMatchAndRemembersTextAndFlags) {
    Editor editor("one two\rTwo two");
    editor.SetSel(2, 2);
    EXPECT_EQ(editor.Search(sflSearchNow, "Two"), 4);
    editor.SetSel(2, 2);
    EXPECT_EQ(editor.Search(sflSearchNow | sflMatchCase, "Two"), 8);
    EXPECT_EQ(editor.Anchor(), 8);
    EXPECT_EQ(editor.Caret(), 11);
    EXPECT_EQ(editor.SearchText(), "Two");
    EXPECT_EQ(editor.SearchFlags(), uint32_t(sflSearchNow | sflMatchCase));
    EXPECT_EQ(editor.Search(sflMatchCase, "TWO"), -1);
    EXPECT_TRUE(editor.Messages.empty());  // Search itself reports nothing
    editor.SetSel(12, 12);
    EXPECT_EQ(editor.Search(sflBackwards, "two"), 8);
    EXPECT_EQ(editor.MatchCount(), 2);
    EXPECT_EQ(editor.MatchPos(1), 11);
    EXPECT_THROW(editor.MatchPos(2), ERegExpError);
}

TEST(EditorSearch, FindNextStepsOverTheSelectedOccurrence) {
    Editor editor("abab ABAB");
    editor.Search(0, "bab");
    EXPECT_EQ(editor.SelStart(), 1);
    EXPECT_TRUE(editor.FindNext());
    EXPECT_EQ(editor.SelStart(), 6);  // "BAB", ignoring case, not the same "bab" again
    EXPECT_FALSE(editor.FindNext());
    EXPECT_EQ(editor.SelStart(), 6);  // a failed search leaves the selection as it was
    EXPECT_EQ(editor.SelEnd(), 9);
    ASSERT_EQ(editor.Messages.size(), 1u);
    EXPECT_EQ(editor.Messages[0], "Search string \"bab\" not found.");

    std::string failed;
    editor.OnSearchFail = [&](const std::string& text) { failed = text; };
    EXPECT_FALSE(editor.FindNext());
    EXPECT_EQ(failed, "bab");
    EXPECT_EQ(editor.Messages.size(), 1u);
    SourceEditor fresh;
    EXPECT_FALSE(fresh.FindNext());  // nothing remembered
}

TEST(EditorSearch, FindNextStepsOverTheLastExpressionMatch) {
    Editor editor("<td a><td b>");
    ASSERT_EQ(editor.Search(sflRegExp, "<td[^>]*>"), 0);
    EXPECT_EQ(editor.Selected(), "<td a>");
    ASSERT_TRUE(editor.FindNext());
    EXPECT_EQ(editor.Selected(), "<td b>");
    // An empty match is stepped over too, so that find next moves on.
    editor.SetSel(0, 0);
    editor.Search(sflRegExp, "^");
    EXPECT_FALSE(editor.FindNext());
}

TEST(EditorSearch, ExpressionsSpanLinesAndReportTheirErrors) {
    Editor editor("xa\rb a\rc");
    EXPECT_EQ(editor.Search(sflRegExp, "a\\nb"), 1);
    EXPECT_EQ(editor.Caret(), 4);
    EXPECT_EQ(editor.Search(sflRegExp, "[z-a]"), -1);
    EXPECT_EQ(editor.Messages, std::vector<std::string>{"Invalid range"});
    editor.Messages.clear();
    editor.SetSel(0, 0);
    editor.Search(sflRegExp, "(b)");
    EXPECT_FALSE(editor.FindNext());
    EXPECT_EQ(editor.Messages, std::vector<std::string>{"Search string \"(b)\" not found."});
    editor.SetSel(0, 0);
    editor.Messages.clear();
    editor.Search(sflRegExp, "(");
    EXPECT_FALSE(editor.FindNext());  // the error alone, no not-found message after it
    EXPECT_EQ(editor.Messages,
              (std::vector<std::string>{"Unmatched parenthesis", "Unmatched parenthesis"}));
}

TEST(EditorSearch, WholeWordsFollowTheEditorsWordTest) {
    Editor editor("foo-bar bar bars");
    EXPECT_EQ(editor.Search(sflWholeWord, "bar"), 8);  // "-" continues a word by default
    editor.fn_CharIsInWord = [](char c) { return c >= 'a' && c <= 'z'; };
    editor.SetSel(0, 0);
    EXPECT_EQ(editor.Search(sflWholeWord, "bar"), 4);
    editor.SetSel(0, 0);
    EXPECT_EQ(editor.Search(sflWholeWord | sflRegExp, "b[a-z]r"), 4);
}

TEST(EditorSearch, ReplaceAllIsOneUndoStep) {
    Editor editor("x\ra\rx");
    EXPECT_EQ(editor.ReplaceAll(0, -1, "x", "yy", true, false), 2);
    EXPECT_EQ(Raw(editor), "yy\ra\ryy");
    EXPECT_EQ(editor.Caret(), 5);  // at the start of the last replacement
    editor.UndoLog().StartListing();
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    ASSERT_TRUE(editor.UndoLog().NextUndoGroup(false, code, node));
    EXPECT_EQ(code, ucReplaceAll);
    EXPECT_EQ(UndoGroupName(code), "Replace All");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "x\ra\rx");
    EXPECT_FALSE(editor.CanUndo());
    editor.Redo();
    EXPECT_EQ(Raw(editor), "yy\ra\ryy");
}

TEST(EditorSearch, ReplaceAllWithinARangeAndByExpression) {
    Editor editor("a=1; b=22; c=333;");
    EXPECT_EQ(editor.ReplaceAll(4, 11, "(\\w)=(\\d+)", "%4:%2", true, false, true), 1);
    EXPECT_EQ(Raw(editor), "a=1; 22:b; c=333;");
    EXPECT_EQ(editor.ReplaceAll(0, -1, "\\d+", "<%%>", true, false, true), 3);
    EXPECT_EQ(Raw(editor), "a=<%>; <%>:b; c=<%>;");
    EXPECT_EQ(editor.ReplaceAll(0, -1, ";", "\\n", true, false, true), 3);
    EXPECT_EQ(Raw(editor), "a=<%>\r <%>:b\r c=<%>\r");
    EXPECT_EQ(editor.ReplaceAll(0, -1, "^", "> ", true, false, true), 4);
    EXPECT_EQ(Raw(editor), "> a=<%>\r>  <%>:b\r>  c=<%>\r> ");
    EXPECT_EQ(editor.ReplaceAll(0, -1, "(", "", true, false, true), 0);
    EXPECT_EQ(editor.Messages, std::vector<std::string>{"Unmatched parenthesis"});
}

TEST(EditorSearch, ReplaceAllAcrossLongRows) {
    std::string text(5000, 'a');  // one line cut into rows of at most 2047 characters
    Editor editor(text.c_str());
    ASSERT_GT(editor.Store().RowCount(), 2);
    EXPECT_EQ(editor.ReplaceAll(0, -1, "aaa", "b", true, false), 1666);
    EXPECT_EQ(Raw(editor), std::string(1666, 'b') + "aa");
    EXPECT_TRUE(editor.Store().Check());
    editor.Undo();
    EXPECT_EQ(Raw(editor), text);
}

TEST(EditorSearch, ExpressionsWorkThroughALongLine) {
    std::string line;  // 100 KB on one line: 100 times 999 "a" and an "x"
    for (int i = 0; i < 100; ++i) line += std::string(999, 'a') + 'x';
    Editor editor(line.c_str());
    editor.SetSel(90000, 90000);
    EXPECT_EQ(editor.Search(sflRegExp, ".{1,100}x"), 90899);
    editor.SetSel(0, 0);
    EXPECT_EQ(editor.Search(sflRegExp, ".*z"), -1);
    EXPECT_EQ(editor.ReplaceAll(0, -1, ".{1,100}x", "y", true, false, true), 100);
    EXPECT_EQ(editor.Store().CharCount(), 100 * 900);
    EXPECT_TRUE(editor.Messages.empty());
    editor.Undo();
    EXPECT_EQ(Raw(editor), line);

    std::string words;  // 200 words of four letters, "w000" to "w199"
    for (int i = 0; i < 200; ++i) {
        std::string number = std::to_string(i);
        words += (i ? "|w" : "w") + std::string(3 - number.size(), '0') + number;
    }
    std::string text;  // 100 KB: 20,000 times the word tried last
    for (int i = 0; i < 20000; ++i) text += "w199 ";
    Editor many(text.c_str());
    EXPECT_EQ(many.ReplaceAll(0, -1, "(" + words + ") ", "%2", true, false, true), 20000);
    EXPECT_EQ(many.Store().CharCount(), 20000 * 4);
    EXPECT_TRUE(many.Messages.empty());

    std::string pairs;  // 20 KB of "ab": every start walks the loop to the end of the line
    for (int i = 0; i < 10000; ++i) pairs += "ab";
    Editor loop(pairs.c_str());
    EXPECT_EQ(loop.Search(sflRegExp, "(a|b)*c"), -1);
    EXPECT_EQ(loop.ReplaceAll(0, -1, "(a|b)*c", "y", true, false, true), 0);
    EXPECT_TRUE(loop.Messages.empty());
}

TEST(EditorSearch, ReplaceAsksForEachMatch) {
    Editor editor("cat cat cat cat");
    editor.Answers = {ReplaceAnswer::Yes, ReplaceAnswer::No, ReplaceAnswer::Yes,
                      ReplaceAnswer::Cancel};
    EXPECT_EQ(editor.Replace(0, "cat", "dog", false), 2);
    EXPECT_EQ(Raw(editor), "dog cat dog cat");
    ASSERT_EQ(editor.Questions.size(), 4u);
    EXPECT_EQ(editor.Questions[0], "Replace this occurrence of 'cat' with 'dog' ?");
    EXPECT_EQ(editor.Selected(), "cat");  // the cancelled match stays selected
    EXPECT_EQ(editor.SelStart(), 12);

    editor.Undo();
    EXPECT_EQ(Raw(editor), "dog cat cat cat");  // each answered Yes is its own step
}

TEST(EditorSearch, ReplaceAllAnswerStopsAsking) {
    Editor editor("aXa aXa aXa");
    editor.Answers = {ReplaceAnswer::No, ReplaceAnswer::All};
    EXPECT_EQ(editor.Replace(sflMatchCase, "aXa", "b", false), 2);
    EXPECT_EQ(Raw(editor), "aXa b b");
    EXPECT_EQ(editor.Questions.size(), 2u);
    editor.Questions.clear();
    EXPECT_EQ(editor.Replace(0, "zz", "b", false), 0);
    EXPECT_EQ(editor.Messages, std::vector<std::string>{"Search string \"zz\" not found."});
}

TEST(EditorSearch, ReplaceWithExpressionsAndNoPrompt) {
    Editor editor("x1 x22 x333");
    EXPECT_EQ(editor.Replace(sflRegExp, "x(\\d+)", "[%2]", true), 3);
    EXPECT_EQ(Raw(editor), "[1] [22] [333]");
    EXPECT_TRUE(editor.Questions.empty());
    editor.Undo();
    EXPECT_EQ(Raw(editor), "x1 x22 x333");
    // Replacing a match by a text that holds it does not loop.
    editor.SetSel(0, 0);
    editor.Answers = {ReplaceAnswer::Yes, ReplaceAnswer::Yes, ReplaceAnswer::Yes};
    EXPECT_EQ(editor.Replace(0, "x", "xx", false), 3);
    EXPECT_EQ(Raw(editor), "xx1 xx22 xx333");
}

TEST(RangeMarks, FollowEditsAndReportWhatHappens) {
    Editor editor("0123456789");
    std::vector<intptr_t> changed, freed;
    editor.OnMarkChange = [&](intptr_t value) { changed.push_back(value); };
    editor.OnMarkFree = [&](intptr_t value) { freed.push_back(value); };
    RangeMark* first = editor.AddMark(2, 2, 1);
    RangeMark* second = editor.AddMark(6, 3, 2);
    RangeMark* found = nullptr;
    EXPECT_TRUE(editor.FindMark(3, 1, found));
    EXPECT_EQ(found, first);
    EXPECT_TRUE(editor.FindMark(8, 0, found));
    EXPECT_EQ(found, second);
    EXPECT_FALSE(editor.FindMark(4, 2, found));
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(editor.FirstMark(), first);
    EXPECT_EQ(editor.NextMark(first), second);
    EXPECT_EQ(editor.NextMark(second), nullptr);

    editor.SetSel(0, 0);
    editor.ReplaceSel("ab");
    EXPECT_EQ(first->Start, 4);
    EXPECT_EQ(second->End, 11);
    EXPECT_EQ(changed, (std::vector<intptr_t>{1, 2}));
    editor.SetSel(3, 7);  // covers the first mark wholly
    editor.ReplaceSel("");
    EXPECT_EQ(freed, std::vector<intptr_t>{1});
    EXPECT_EQ(editor.FirstMark(), second);
    EXPECT_EQ(SourceEditor::MarkValue(second), 2);

    editor.SetMarkStart(second, 1);
    editor.SetMarkEnd(second, 0);  // an end before the start stays at the start
    EXPECT_EQ(second->End, 1);
    editor.DeleteMark(second);
    EXPECT_EQ(editor.FirstMark(), nullptr);
}

TEST(RangeMarks, OutliveTheEditorThatMadeThem) {
    SourceEditor keeper;
    keeper.SetText("abcdef");
    {
        SourceEditor other;
        other.AttachToStore(keeper);
        int calls = 0;
        other.OnMarkChange = [&](intptr_t) { ++calls; };
        other.AddMark(3, 2, 7);
    }
    keeper.SetSel(0, 0);
    keeper.ReplaceSel("x");  // the mark moves; the gone editor hears nothing
    EXPECT_EQ(keeper.FirstMark()->Start, 4);
}

TEST(Bookmarks, MoveClearAndStayOnePerRow) {
    SourceEditor editor;
    editor.SetText("one\rtwo\rthree\rfour");
    int32_t row = 0, column = 0;
    editor.SetBookmark(3, 1, 2);
    editor.SetBookmark(3, 2, 1);  // on another line: moves
    ASSERT_TRUE(editor.GetBookmark(3, row, column));
    EXPECT_EQ(row, 2);
    editor.SetBookmark(3, 2, 4);  // twice on the same line: removed
    EXPECT_FALSE(editor.GetBookmark(3, row, column));

    editor.SetBookmark(5, 0, 1);
    editor.SetBookmark(2, 0, 3);  // only bookmark 2 is left on that line
    EXPECT_FALSE(editor.GetBookmark(5, row, column));
    ASSERT_TRUE(editor.GetBookmark(2, row, column));
    EXPECT_EQ(column, 3);
    EXPECT_EQ(editor.Store().Row(0)->MarkBits & kBookmarkBits, 1u << 2);
}

TEST(Bookmarks, GoToClipsTheColumnAndCentresTheLine) {
    SourceEditor editor;
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line\r";
    editor.SetText(text.c_str());
    editor.SetViewMetrics({8, 16, 0, 640, 160});  // ten visible rows
    editor.SetBookmark(7, 50, 99);
    editor.GotoBookmark(7);
    EXPECT_EQ(editor.Caret(), 50 * 5 + 4);  // the column clipped to the line's end
    EXPECT_EQ(editor.TopRow(), 45);
    editor.SetSel(0, 0);
    editor.GotoBookmark(8);  // not set: nothing moves
    EXPECT_EQ(editor.Caret(), 0);
    int32_t row = 0, column = 0;
    EXPECT_THROW(editor.GetBookmark(10, row, column), ESourceEditor);
}

}  // namespace
}  // namespace quinkle

// The main window's commands over the editor: Find Next, Show All and its highlights, Goto,
// and the undo drop-down lists.
#include <gtest/gtest.h>

#include "engine/document/SchemeChoice.h"
#include "engine/editor/GotoLine.h"
#include "engine/editor/MainSearch.h"
#include "engine/editor/SourceEditor.h"
#include "engine/editor/UndoListing.h"
#include "engine/search/SearchState.h"

namespace quinkle {
namespace {

size_t MarkCount(const SourceEditor& editor) {
    size_t count = 0;
    for (const RangeMark* mark = editor.FirstMark(); mark; mark = editor.NextMark(mark)) ++count;
    return count;
}

TEST(MainSearch, ShowAllMarksEveryOccurrenceUntilTheTextChanges) {
    SourceEditor editor;
    editor.ReplaceSel("one two one\rtwo one");
    MainSearch search(editor);
    // Nothing selected and nothing searched yet: nothing to find.
    editor.SetSel(0, 0);
    SearchReport report = search.ShowAll();
    EXPECT_EQ(report.Level, SearchReport::Kind::Warning);
    EXPECT_EQ(report.Message, "Nothing to Find!");

    // The selection is what is searched for, whatever was searched before.
    editor.SetSearchText("two");
    editor.SetSel(0, 3);
    report = search.ShowAll();
    EXPECT_EQ(report.Level, SearchReport::Kind::None);
    EXPECT_EQ(report.Matches, 3);
    EXPECT_EQ(MarkCount(editor), 3u);
    EXPECT_EQ(editor.SelStart(), 0);
    EXPECT_EQ(editor.SelLength(), 0);
    EXPECT_EQ(search.LastText(), "one");
    EXPECT_TRUE(search.HighlightsShown());

    // Moving the caret keeps them; one typed character removes them all.
    editor.SetSel(5, 5);
    search.EditorChanged();
    EXPECT_EQ(MarkCount(editor), 3u);
    editor.ReplaceSel("x");
    search.EditorChanged();
    EXPECT_EQ(MarkCount(editor), 0u);
    EXPECT_FALSE(search.HighlightsShown());

    // Overlapping occurrences are all marked; a selection over a line end is found too.
    SourceEditor runs;
    runs.ReplaceSel("aaaa\rb\raaa");
    runs.SetSel(0, 2);
    MainSearch overlapping(runs);
    EXPECT_EQ(overlapping.ShowAll().Matches, 5);
    runs.SetSel(3, 6);  // "a", the line end and "b"
    EXPECT_EQ(overlapping.ShowAll().Matches, 1);

    editor.SetSel(0, 0);
    search.SetUseRegExp(false);
    editor.SetSel(0, 1);  // "o" is everywhere; "zz" is nowhere
    editor.ReplaceSel("o");
    editor.SetSel(0, 0);
    editor.SetSearchText("zz");
    MainSearch fresh(editor);
    report = fresh.ShowAll();
    EXPECT_EQ(report.Level, SearchReport::Kind::Error);
    EXPECT_EQ(report.Message, "Error: Text \"zz\" not found.");
}

TEST(MainSearch, FindNextWalksTheOccurrencesAndReportsTheEnd) {
    SourceEditor editor;
    editor.ReplaceSel("<td>a</td><TD>b</td>");
    editor.SetSel(0, 0);
    MainSearch search(editor);
    EXPECT_EQ(search.FindNext().Level, SearchReport::Kind::None);  // nothing to search for
    editor.SetSearchText("<td>");
    editor.SetSearchFlags(0);
    EXPECT_EQ(search.FindNext().Matches, 1);
    EXPECT_EQ(editor.SelStart(), 0);
    EXPECT_EQ(search.FindNext().Matches, 1);  // without match case the second one too
    EXPECT_EQ(editor.SelStart(), 10);
    SearchReport end = search.FindNext();
    EXPECT_EQ(end.Level, SearchReport::Kind::Error);
    EXPECT_EQ(end.Message, "Error: Text \"<td>\" not found.");

    // Expressions select the whole match.
    search.SetUseRegExp(true);
    EXPECT_EQ(search.DialogFlags(), uint32_t(sflRegExp));
    editor.SetSearchText("<[a-z]+>");
    editor.SetSearchFlags(sflRegExp | sflMatchCase);
    search.TakeEditorSearch();
    editor.SetSel(0, 0);
    EXPECT_EQ(search.FindNext().Matches, 1);
    EXPECT_EQ(editor.SelText(), "<td>");
    EXPECT_FALSE(search.CanShowAll());  // not with expressions
}

TEST(GotoLine, TargetsTheStartOfTheLogicalLine) {
    const std::string longLine(5000, 'x');
    struct Case {
        std::string Text;
        GotoChoice Choice;
        int32_t Number;
        int32_t Offset;
    } cases[] = {
        {"a\rbb\rccc", GotoChoice::Start, 3, 0},
        {"a\rbb\rccc", GotoChoice::Line, 1, 0},
        {"a\rbb\rccc", GotoChoice::Line, 3, 5},
        {"a\rbb\rccc", GotoChoice::Line, 4, 8},   // beyond the end: the end
        {"a\rbb\rccc", GotoChoice::Line, -2, 0},  // below the first: the first
        {"a\rbb\rccc", GotoChoice::End, 0, 8},
        {"a\rbb\r", GotoChoice::Line, 3, 5},            // the empty line after the last end
        {longLine + "\ry", GotoChoice::Line, 2, 5001},  // a line of several rows is one line
        {"", GotoChoice::Line, 7, 0},
    };
    for (const Case& c : cases) {
        SourceEditor editor;
        editor.ReplaceSel(c.Text);
        EXPECT_EQ(GotoOffset(editor, c.Choice, c.Number), c.Offset) << c.Number;
    }
}

TEST(UndoListing, MergesNeighbouringTypingAndDeletingAndUndoesToTheChosenItem) {
    SourceEditor editor;
    EXPECT_EQ(ListUndoItems(editor.UndoLog(), false).front().Label, "No Undo items");
    EXPECT_EQ(ListUndoItems(editor.UndoLog(), false).front().Node, nullptr);
    auto group = [&](int32_t code, const char* text) {
        editor.BeginGroup(code);
        editor.ReplaceSel(text);
        editor.EndGroup(code);
    };
    group(ucFont, "<font>");
    group(ucFont, "<font>");
    group(ucTyping, "a");
    group(ucTyping, "b");
    editor.SetSel(editor.GetTextLen() - 1, editor.GetTextLen());
    group(ucDelete, "");
    group(ucTyping, "c");
    std::vector<UndoListItem> items = ListUndoItems(editor.UndoLog(), false);
    std::vector<std::string> labels;
    for (const UndoListItem& item : items) labels.push_back(item.Label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Typing", "Delete", "Typing", "Font", "Font"}));

    editor.UndoTo(items[2].Node);  // "c", the deletion and both typings before it
    EXPECT_EQ(editor.GetText(), "<font><font>");
    items = ListUndoItems(editor.UndoLog(), true);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.front().Label, "Typing");
    editor.UndoTo(items.front().Node);  // redo the merged typing "a" "b"
    EXPECT_EQ(editor.GetText(), "<font><font>ab");
}

TEST(SchemeChoice, FollowsTheExtension) {
    struct Case {
        const char* Path;
        SchemeNumber Scheme;
    } cases[] = {
        {"/w/unit.pas", snPascal}, {"/w/MAIN.DPR", snPascal},    {"/w/a.c", snCScript},
        {"/w/a.h", snCScript},     {"/w/a.cpp", snCScript},      {"/w/menu.js", snCScript},
        {"/w/q.Sql", snSql},       {"/w/s.vbs", snBasic},        {"/w/m.bas", snBasic},
        {"/w/x.ini", snBasic},     {"/w/read.txt", snPlainText}, {"/w/page.htm", snHtml},
        {"/w/page.php", snHtml},   {"/w.pas/README", snHtml},    {"", snHtml},
    };
    for (const Case& c : cases) EXPECT_EQ(SchemeForFileName(c.Path), c.Scheme) << c.Path;
}

}  // namespace
}  // namespace quinkle

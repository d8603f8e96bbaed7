// The insertion step of the tag commands and dialogs: the text each inserts, where the caret
// ends, and the one labelled undo step it makes.
#include <gtest/gtest.h>

#include <functional>

#include "engine/document/DocumentTestKit.h"
#include "engine/net/WebPage.h"
#include "engine/text/UndoStack.h"

namespace quinkle::testing {
namespace {

using DocumentInsertion = DocumentFixture;

std::vector<int32_t> UndoCodes(SourceEditor& editor) {
    UndoStack& log = editor.UndoLog();
    std::vector<int32_t> codes;
    log.StartListing();
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    while (log.NextUndoGroup(false, code, node)) codes.push_back(code);
    return codes;
}

TEST_F(DocumentInsertion, EachInsertionIsOneLabelledStep) {
    enum Step { Wrap, Align, Insert };
    struct Row {
        const char* Name;
        Step What;
        const char* Argument;
        int StepBack;
        const char* Before;
        int From, To;
        const char* After;
        int Caret;
        int Code;
    };
    const Row rows[] = {
        {"wrap, nothing selected", Wrap, "b", 0, "", 0, 0, "<b></b>", 3, ucBold},
        {"wrap a selection", Wrap, "b", 0, "a x b", 2, 3, "a <b>x</b> b", 10, ucBold},
        {"wrap inside a line", Wrap, "H1", 0, "ab", 1, 1, "a<H1></H1>b", 5, ucHeading},
        {"align, nothing selected", Align, "center", 0, "", 0, 0, "<p align=center></p>", 16,
         ucParagraphAlign},
        {"align a selection", Align, "left", 0, "a", 0, 1, "<p align=left>a</p>", 19,
         ucParagraphAlign},
        {"insert with a step back", Insert, "<a></a>", 4, "", 0, 0, "<a></a>", 3, ucBreak},
        {"insert over a selection", Insert, "<br>", 4, "axb", 1, 2, "a<br>b", 5, ucBreak},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        editor.SetText(row.Before);
        editor.ClearUndo();
        editor.SetSel(row.From, row.To);
        switch (row.What) {
            case Wrap:
                document.WrapSelection(row.Argument, "", row.Code);
                break;
            case Align:
                document.AlignParagraph(row.Argument);
                break;
            case Insert:
                document.InsertGeneratedText(row.Argument, row.StepBack, row.Code);
                break;
        }
        EXPECT_EQ(Text(), row.After);
        EXPECT_EQ(editor.Caret(), row.Caret);
        EXPECT_EQ(editor.SelLength(), 0);
        EXPECT_EQ(UndoCodes(editor), std::vector<int32_t>{row.Code});
        EXPECT_EQ(editor.UndoLog().OpenGroupCode(), 0);
        editor.Undo();
        EXPECT_EQ(Text(), row.Before);
    }
}

// Bytes that are not UTF-8 in a document that declares no charset are the user's text:
// wrapping them must not re-encode them.
TEST_F(DocumentInsertion, AReadOnlyDocumentTakesNoInsertion) {
    editor.SetText("a x b");
    editor.SetSel(2, 3);
    editor.ReadOnly = true;
    const std::function<void()> commands[] = {
        [&] { document.WrapSelection("b", "", ucBold); },
        [&] { document.AlignParagraph("center"); },
        [&] { document.InsertGeneratedText("<br>", 0, ucBreak); },
        [&] { document.StripTags(); },
    };
    for (const auto& command : commands) command();
    EXPECT_EQ(Text(), "a x b");
    EXPECT_TRUE(UndoCodes(editor).empty());
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(host.Notices, std::vector<std::string>(4, kReadOnlyNotice));
}

TEST_F(DocumentInsertion, WrappingKeepsTheSelectedBytes) {
    editor.SetText("a\xE9\x81z");
    editor.SetSel(1, 3);
    document.WrapSelection("b", "", ucBold);
    EXPECT_EQ(Text(), "a<b>\xE9\x81</b>z");
    editor.SetSel(4, 6);
    document.AlignParagraph("right");
    EXPECT_EQ(Text(), "a<b><p align=right>\xE9\x81</p></b>z");
}

TEST_F(DocumentInsertion, StripTagsWorksOnTheWholeDocumentAsOneStep) {
    const std::pair<const char*, const char*> rows[] = {
        {"<p>a &amp; b</p>", "a &amp; b"},                   // entities stay
        {"<html>\r\n<b>x</b> y\r\n</html>", "\r\nx y\r\n"},  // line breaks stay
        {"a<img\r\nsrc=x>b", "ab"},                          // a tag over lines goes
        {"a < b", "a < b"},                                  // a lone "<" is kept
        {"<b>x</b> <i y", "x <i y"},                         // so is an unfinished tag at the end
        {"a > b", "a > b"},                                  // ">" alone is text
    };
    for (const auto& [before, after] : rows) {
        SCOPED_TRACE(before);
        editor.SetText(before);
        editor.ClearUndo();
        editor.SetSel(1, 2);  // a selection does not limit the command
        document.StripTags();
        EXPECT_EQ(Text(), after);
        EXPECT_EQ(UndoCodes(editor), std::vector<int32_t>{ucStripTags});
        editor.Undo();
        EXPECT_EQ(Text(), before);
    }
}

TEST_F(DocumentInsertion, GroupsNestAndOnlyTheOutermostCounts) {
    int reports = 0;
    editor.OnChange = [&reports] { ++reports; };
    EXPECT_TRUE(document.BeginCommandGroup(ucJavaScript));
    document.WrapSelection("script", "language=\"JavaScript\"", ucJavaScript);
    EXPECT_FALSE(document.BeginCommandGroup(ucJSComment));
    document.InsertGeneratedText("//", 0, ucJSComment);
    EXPECT_FALSE(document.EndCommandGroup(ucJSComment));
    EXPECT_EQ(reports, 0);  // change reports wait for the outermost group
    EXPECT_TRUE(document.EndCommandGroup(ucJavaScript));
    EXPECT_EQ(reports, 1);
    // Each insertion is its own step, newest first.
    EXPECT_EQ(UndoCodes(editor), (std::vector<int32_t>{ucJSComment, ucJavaScript}));
    editor.OnChange = nullptr;
}

}  // namespace
}  // namespace quinkle::testing

namespace quinkle::testing {
namespace {

// A fetched page replaces the text in one step, in the charset its server named or else the
// one it declares, and saves with its own line ends; a read-only document refuses it.
TEST_F(DocumentInsertion, FetchedPageReplacesTheTextInOneStep) {
    struct Row {
        std::string Body;
        std::string ContentType;
        Charset Shown;
        std::string Saved;
    };
    const Row rows[] = {
        {"caf\xe9\r\nbar", "text/html; charset=iso-8859-1", Charset::Iso8859_1, "caf\xe9\r\nbar"},
        {"<meta charset=windows-1250>\n\x9a\n", "text/html", Charset::Windows1250,
         "<meta charset=windows-1250>\n\x9a"},
        // The server's word outranks the page's own.
        {"<meta charset=windows-1250>\r\xe9", "text/html; charset=utf-8", Charset::Utf8,
         "<meta charset=windows-1250>\r\xe9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Body);
        editor.SetText("old text");
        editor.ClearUndo();
        ASSERT_TRUE(document.ReplaceWithPage(PageFromResponse(row.Body, row.ContentType)));
        EXPECT_EQ(document.DocumentCharset(), row.Shown);
        EXPECT_EQ(host.Charsets.back(), row.Shown);
        EXPECT_EQ(UndoCodes(editor).front(), ucLoadFromWeb);
        const std::string path = folder.Path("page.htm");
        ASSERT_TRUE(document.SaveTo(path));
        EXPECT_EQ(Read(path), row.Saved);
        EXPECT_EQ(document.DocumentCharset(), row.Shown);  // saving keeps the server's word
        editor.Undo();
        EXPECT_EQ(Text(), "old text");
    }
    editor.ReadOnly = true;
    EXPECT_FALSE(document.ReplaceWithPage(PageFromResponse("new", "")));
    EXPECT_EQ(Text(), "old text");
    EXPECT_EQ(host.Notices.back(), kReadOnlyNotice);
}

}  // namespace
}  // namespace quinkle::testing

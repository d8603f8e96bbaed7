// The tag commands' texts and step backs, and how they land in the editor.
#include "engine/html/TagText.h"

#include <gtest/gtest.h>

#include "engine/editor/SourceEditor.h"

namespace quinkle {
namespace {

// Inserts as the main window's primitive does: replace the selection, and with no selection
// move the caret back by the step back count.
void Insert(SourceEditor& editor, const GeneratedText& generated) {
    bool empty = editor.SelLength() == 0;
    editor.ReplaceSel(generated.Text);
    if (empty) editor.SetSelStart(editor.SelStart() - generated.StepBack);
}

TEST(TagText, WrappingPutsTheCaretBetweenTheTagsOfAnEmptyPair) {
    EXPECT_EQ(WrapSelectionText(kBoldCommand.Tag, "", ""), (GeneratedText{"<b></b>", 4}));
    EXPECT_EQ(WrapSelectionText("b", "", "x"), (GeneratedText{"<b>x</b>", 4}));
    EXPECT_EQ(WrapSelectionText(kScriptCommand.Tag, kScriptAttributes, ""),
              (GeneratedText{"<script language=\"JavaScript\" "
                             "type=\"text/javascript\"></script>",
                             9}));
    EXPECT_EQ(AlignParagraphText("left", "a"), (GeneratedText{"<p align=left>a</p>", 4}));

    SourceEditor editor;
    editor.ReplaceSel("ab");
    editor.SetSel(1, 1);
    Insert(editor, WrapSelectionText("blink", "", ""));
    EXPECT_EQ(editor.GetText(), "a<blink></blink>b");
    EXPECT_EQ(editor.SelStart(), 8);
    editor.SetSel(8, 8);
    Insert(editor, CommentText());  // the caret lands on the blank middle line
    int32_t column = 0, line = 0;
    editor.GetCaretPos(column, line);
    EXPECT_EQ(line, 3);
    EXPECT_EQ(column, 7);
    EXPECT_EQ(editor.GetLine(line - 1), "       ");
}

TEST(TagText, ListsTakeOneItemPerNonEmptyLine) {
    EXPECT_EQ(ListText("ol", "one\r\ntwo")->Text, "<ol>\r\n <li>one\r\n <li>two\r\n</ol>\r\n");
    EXPECT_EQ(ListText("ul", "\r\none\r\n\r\n  \r\ntwo\r\n\r\n")->Text,
              "<ul>\r\n <li>one\r\n <li>  \r\n <li>two\r\n</ul>\r\n");
    // The editor hands out CR-only or LF-only line ends in its other line styles.
    EXPECT_EQ(ListText("ol", "a\rb\nc")->Text, "<ol>\r\n <li>a\r\n <li>b\r\n <li>c\r\n</ol>\r\n");
    EXPECT_EQ(ListText("ol", "x")->StepBack, 0);
    EXPECT_EQ(ListText("ol", ""), std::nullopt);
    EXPECT_EQ(kListNeedsTextMessage,
              "No lines are selected.\r\nSelect the lines to make into a list, then press the "
              "list button again.");
}

TEST(TagText, FontTagsCarryTheTickedOptionsOnly) {
    FontOptions all{true, "Arial", true, "clRed", true, "2"};
    EXPECT_EQ(FontText(all, "x"),
              (GeneratedText{"<font face=\"Arial\" color=\"#FF0000\" size=2>x</font>", 0}));
    FontOptions size;
    size.AddSize = true;
    EXPECT_EQ(FontText(size, ""), (GeneratedText{"<font size=0></font>", 7}));
    EXPECT_EQ(FontText(FontOptions{}, "x"), std::nullopt);
}

TEST(TagText, FixedInsertionsAndHeadingCaptions) {
    EXPECT_EQ(DateTimeText("07/03/2026", "14:05:09"), (GeneratedText{" 07/03/2026 14:05:09 ", 0}));
    EXPECT_EQ(BreakText().Text, "<br>");
    EXPECT_EQ(WbrText().Text, "<wbr>");
    EXPECT_EQ(CommentText(), (GeneratedText{"\r\n<!-- //\r\n       \r\n// -->\r\n", 9}));
    EXPECT_EQ(HeadingTag("<H1>"), "H1");
    EXPECT_EQ(HeadingTag("<H6>"), "H6");
    EXPECT_EQ(HeadingTag(""), "");
}

TEST(TagText, StrippingTagsKeepsEntitiesLineBreaksAndAnUnfinishedTag) {
    EXPECT_EQ(StripHtmlTags("<p>a &amp; b</p>"), "a &amp; b");
    EXPECT_EQ(StripHtmlTags("<b>x</b>\r<i>y</i>\r"), "x\ry\r");
    EXPECT_EQ(StripHtmlTags("a<b>c < d"), "ac < d");
    EXPECT_EQ(StripHtmlTags("a > b<"), "a > b<");
    EXPECT_EQ(StripHtmlTags("<<>>"), ">");
    EXPECT_EQ(StripHtmlTags(""), "");
}

TEST(TagText, CommandCodesCarryTheirLabels) {
    EXPECT_EQ(UndoGroupName(ucUnknownTag), "Unknown Tag");
    EXPECT_EQ(UndoGroupName(ucFormsTextArea), "Forms: TextArea");
    EXPECT_EQ(UndoGroupName(ucUnderLine), "UnderLine");
    EXPECT_EQ(UndoGroupName(ucPasteChar), "Paste Char");
    EXPECT_EQ(UndoGroupName(ucDragDrop), "Drag && Drop");
    EXPECT_EQ(UndoGroupName(ucDelNext), "Del Next");
    EXPECT_EQ(UndoGroupName(ucCalculator), "Calculator");
    EXPECT_EQ(UndoGroupName(ucLoadFromWeb), "Load From Web");
    for (int32_t code = 24; code <= 30; ++code) EXPECT_EQ(UndoGroupName(code), "") << code;
    for (int32_t code = 31; code <= ucLoadFromWeb; ++code) {
        EXPECT_FALSE(UndoGroupName(code).empty()) << code;
        EXPECT_LE(UndoGroupName(code).size(), 20u) << code;
    }
    EXPECT_EQ(UndoGroupName(ucLoadFromWeb + 1), "");
}

}  // namespace
}  // namespace quinkle

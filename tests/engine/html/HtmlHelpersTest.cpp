// The dialogs' shared helpers: attributes, colours, URLs and the cutting of file names.
#include "engine/html/HtmlHelpers.h"

#include <gtest/gtest.h>

#include "engine/html/FilePaths.h"

namespace quinkle {
namespace {

TEST(HtmlHelpers, AttributesAreTrimmedAndLeftOutWhenBlank) {
    EXPECT_EQ(FormatAttribute("bgcolor", "FFFFFF"), " bgcolor=\"FFFFFF\"");
    EXPECT_EQ(FormatAttribute("text", " \t00 00\r\n"), " text=\"00 00\"");
    EXPECT_EQ(FormatAttribute("link", "  \x01 "), "");
    EXPECT_EQ(FormatAttribute("vlink", ""), "");
}

TEST(HtmlHelpers, ColoursAreHashAndHexRgb) {
    // Colours are 0x00BBGGRR: pure red is 0x0000FF.
    struct Row {
        uint32_t Colour;
        const char* Html;
    };
    for (const Row& row :
         {Row{0x0000FF, "#FF0000"}, Row{0x0100FF, "#FF0001"}, Row{0x800000, "#000080"},
          Row{0xFFFFFF, "#FFFFFF"}, Row{0x000000, "#000000"}, Row{0x563412, "#123456"},
          Row{0x80000005, "#050000"}}) {
        EXPECT_EQ(ColourToHtml(row.Colour), row.Html) << std::hex << row.Colour;
    }
    struct Field {
        const char* Typed;
        const char* Html;
    };
    for (const Field& field :
         {Field{"FFFFFF", "#FFFFFF"}, Field{" 00ff80\t", "#00ff80"}, Field{"#123456", "#123456"},
          Field{"Maroon", "#800000"}, Field{"fuchsia", "#FF00FF"}, Field{"FFFFF", "FFFFF"},
          Field{"GGGGGG", "GGGGGG"}, Field{"Orange", "Orange"}, Field{"  ", ""}}) {
        EXPECT_EQ(HtmlColour(field.Typed), field.Html) << field.Typed;
    }
    EXPECT_EQ(ColourIdentToName("clRed"), "Red");
    EXPECT_EQ(ColourIdentToName("clMoneyGreen"), "MoneyGreen");
    EXPECT_EQ(ColourIdentToName("Red"), "Red");
    EXPECT_EQ(ColourIdentToName("close"), "close");
}

TEST(HtmlHelpers, TextAndAddressesAreEscapedKeepingTheReferencesTyped) {
    struct Row {
        const char* Typed;
        const char* Text;
        const char* Url;
    };
    for (const Row& row : {
             Row{"a<b>\"c\"", "a&lt;b&gt;&quot;c&quot;", "a%3Cb%3E%22c%22"},
             Row{"?x=1&y=2", "?x=1&amp;y=2", "?x=1&amp;y=2"},
             Row{"&amp; &#38; &#x26; &eacute;", "&amp; &#38; &#x26; &eacute;",
                 "&amp; &#38; &#x26; &eacute;"},
             Row{"& &; &#; &#x; &#1a; &ab", "&amp; &amp;; &amp;#; &amp;#x; &amp;#1a; &amp;ab",
                 "&amp; &amp;; &amp;#; &amp;#x; &amp;#1a; &amp;ab"},
             Row{"/Pics/my cat.jpg", "/Pics/my cat.jpg", "/Pics/my cat.jpg"},
         }) {
        EXPECT_EQ(EscapeHtml(row.Typed), row.Text) << row.Typed;
        EXPECT_EQ(UrlAttribute(row.Typed), row.Url) << row.Typed;
    }
}

TEST(HtmlHelpers, PathsBecomeUrlsWithoutQuotesDrivesOrBackslashes) {
    EXPECT_EQ(PathToUrl("C:\\web\\img\\bg.gif"), "/web/img/bg.gif");
    EXPECT_EQ(PathToUrl("\"C:\\My Pages\\back.gif\""), "/My Pages/back.gif");
    EXPECT_EQ(PathToUrl("bg.gif"), "bg.gif");
    EXPECT_EQ(PathToUrl("/home/me/web/bg.gif"), "/home/me/web/bg.gif");
    EXPECT_EQ(PathToUrl("\""), "");
}

TEST(FilePaths, QuotesGoOnlyWhenTheTextStartsWithOne) {
    EXPECT_EQ(StripQuotes("\"a b.htm\""), "a b.htm");
    EXPECT_EQ(StripQuotes("\"a b.htm"), "a b.htm");
    EXPECT_EQ(StripQuotes("a b.htm\""), "a b.htm\"");
    EXPECT_EQ(StripQuotes("\"\"x\"\""), "\"x\"");
    EXPECT_EQ(StripQuotes(""), "");
}

TEST(FilePaths, NamesAndFoldersAreCutAtAnySeparator) {
    EXPECT_EQ(FileNameOnly("/home/me/back.gif"), "back.gif");
    EXPECT_EQ(FileNameOnly("C:\\My Pages\\back.gif"), "back.gif");
    EXPECT_EQ(FileNameOnly("C:back.gif"), "back.gif");
    EXPECT_EQ(FileNameOnly("back.gif"), "back.gif");

    EXPECT_EQ(FolderToRemember("/home/me/page.htm"), "/home/me/");
    EXPECT_EQ(FolderToRemember("/page.htm"), "/");
    EXPECT_EQ(FolderToRemember("/ab/x"), "/ab/");  // short folders keep their separator
    EXPECT_EQ(FolderToRemember("C:\\web\\page.htm"), "C:\\web\\");
    EXPECT_EQ(FolderToRemember("C:\\page.htm"), "C:\\");
    EXPECT_EQ(FolderToRemember("page.htm"), std::nullopt);
}

TEST(FilePaths, BackupNamesTakeATildeAfterTheFileNamesLastDot) {
    EXPECT_EQ(BackupFileName("/web/page.htm"), "/web/page.~htm");
    EXPECT_EQ(BackupFileName("/web/index.html"), "/web/index.~html");
    EXPECT_EQ(BackupFileName("/web/a.b.c"), "/web/a.b.~c");
    EXPECT_EQ(BackupFileName("/web/README"), "/web/README~");
    EXPECT_EQ(BackupFileName("/my.site/README"), "/my.site/README~");
    EXPECT_EQ(BackupFileName("C:\\my.site\\README"), "C:\\my.site\\README~");
}

}  // namespace
}  // namespace quinkle

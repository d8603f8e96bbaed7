// The rich-text translator on small inputs: what each construct becomes, and that broken input
// still gives a page.
#include "engine/html/RtfToHtml.h"

#include <gtest/gtest.h>

#include <string>

namespace quinkle {
namespace {

const std::string kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss "
    "Arial;}{\\f2\\fcharset238 Arial CE;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\n";

std::string Body(const std::string& body) { return TranslateRtf(kHeader + body + "}").Body; }

struct Case {
    const char* What;
    const char* Rtf;       // after the header
    const char* Expected;  // the whole body
};

TEST(RtfToHtml, ConstructsBecomeTheirTags) {
    const Case cases[] = {
        {"plain text starts a paragraph", "Hello\\par", "\r\n<P>Hello</P>"},
        {"bold up to \\plain, and a paragraph end inside bold",
         "a \\b bold\\plain  b\\par \\b x\\par y\\par",
         "\r\n<P>a <B>bold</B> b</P>\r\n<P><B>x</B></P>\r\n<P><B>y</B></P>"},
        {"a group ends its formatting, \\b0 too", "{\\b one}{\\i two\\i0 three}\\par",
         "\r\n<P><B>one</B><I>two</I>three</P>"},
        {"tags stay nested when bold ends inside italic", "\\b a\\i b\\b0 c\\par",
         "\r\n<P><B>a<I>b</I></B><I>c</I></P>"},
        {"escapes inside a word and a mid-word ampersand", "caf\\'e9s a&b <c> \"d\"\\par",
         "\r\n<P>caf&eacute;s a&amp;b &lt;c&gt; &quot;d&quot;</P>"},
        {"colour index 0 is auto, index 1 the first real entry", "\\cf0 a\\cf1 b\\cf2 c\\par",
         "\r\n<P>a<FONT COLOR=\"#FF0000\">b</FONT><FONT COLOR=\"#008000\">c</FONT></P>"},
        {"font and size", "\\f1\\fs48 big\\f0\\fs24 normal\\fs20 small\\par",
         "\r\n<P><FONT FACE=\"Arial\" SIZE=\"6\">big</FONT>normal<FONT "
         "SIZE=\"3\">small</FONT></P>"},
        {"alignment", "\\qc c\\par\\pard\\qr r\\par\\pard l\\par",
         "\r\n<P ALIGN=CENTER>c</P>\r\n<P ALIGN=RIGHT>r</P>\r\n<P>l</P>"},
        {"an empty paragraph between two is a blank line", "a\\par\\par b\\par",
         "\r\n<P>a</P>\r\n<BR>\r\n<P>b</P>"},
        {"special characters",
         "\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\~\\-\\_\\tab x\\line "
         "y\\par",
         "\r\n<P>\xE2\x80\x94\xE2\x80\x93\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D"
         "\xE2\x80\xA2&nbsp;&shy;\xE2\x80\x91\tx<BR>\r\ny</P>"},
        {"\\u with its fallback skipped, \\uc2 and a surrogate pair",
         "\\u269?e{\\uc2\\u20013\\'3f\\'3fz}\\u-10179?\\u-8704?\\par",
         "\r\n<P>\xC4\x8D"
         "e\xE4\xB8\xAD"
         "z\xF0\x9F\x98\x80</P>"},
        {"code page of the file and of the font",
         "\\'e8{\\f2\\'e8}{\\lang1049\\'e8}\\par",  // 1252 e-grave, then 1250 c-caron
         "\r\n<P>&egrave;<FONT FACE=\"Arial CE\">\xC4\x8D</FONT>&egrave;</P>"},
        {"destinations without body text leave the text after them",
         "{\\*\\unknown x}{\\header H}{\\footer F}{\\pict\\bin3 {}x}{\\stylesheet{S;}}"
         "{\\object{\\*\\objdata 01}{\\result kept}}after\\par",
         "\r\n<P>keptafter</P>"},
        {"a HYPERLINK field becomes a link around its result",
         "see {\\field{\\*\\fldinst{HYPERLINK \"http://a.example/?x=1&y=2\"}}{\\fldrslt{\\ul "
         "here}}} and {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}\\par",
         "\r\n<P>see <A HREF=\"http://a.example/?x=1&amp;y=2\"><U>here</U></A> and 7</P>"},
        {"a table",
         "\\trowd\\cellx100\\cellx200\\pard\\intbl a\\cell b\\par c\\cell\\row\\pard x\\par",
         "\r\n<TABLE BORDER=1>\r\n<TR>\r\n<TD>a</TD>\r\n<TD>b<BR>\r\nc</TD>\r\n</TR>\r\n"
         "</TABLE>\r\n<P>x</P>"},
        {"list marker groups, bullets then numbers",
         "{\\listtext\\'95\\tab}\\ls1 one\\par{\\pntext 2.\\tab}\\ls1 two\\par\\pard after\\par",
         "\r\n<UL>\r\n<LI>one</LI>\r\n</UL>\r\n<OL>\r\n<LI>two</LI>\r\n</OL>\r\n<P>after</P>"},
        {"a hanging paragraph that starts with a marker and a tab is a list item",
         "{\\pard\\fi-360\\bullet\\tab one\\par}{\\pard\\fi-360 Note:\\tab text\\par}",
         "\r\n<UL>\r\n<LI>one</LI>\r\n</UL>\r\n<P>Note:\ttext</P>"},
        {"footnotes at the end, their marks in the text",
         "a{\\super\\chftn}{\\footnote{\\super\\chftn} the note\\par more}b\\par",
         "\r\n<P>a[1]b</P>\r\n<HR>\r\n<P>[1] the note more</P>"},
        {"hidden text", "a{\\v hidden}b\\par", "\r\n<P>ab</P>"},
    };
    for (const Case& test : cases) EXPECT_EQ(Body(test.Rtf), test.Expected) << test.What;
}

TEST(RtfToHtml, MissingFontsAndColoursFallBackToTheDefaultAndAreNoted) {
    const RtfTranslation result = TranslateRtf(kHeader + "\\f9 a\\cf7 b\\cf7 c\\par}");
    EXPECT_EQ(result.Body, "\r\n<P>abc</P>");
    ASSERT_EQ(result.Notes.size(), 2u);
    EXPECT_NE(result.Notes[0].find("Font 9"), std::string::npos);
    EXPECT_NE(result.Notes[1].find("Colour 7"), std::string::npos);
}

TEST(RtfToHtml, BrokenInputStillGivesItsText) {
    const Case cases[] = {
        {"truncated inside a group", "{\\b abc", "\r\n<P><B>abc</B></P>"},
        {"stray closing braces", "a}}}b\\par", "\r\n<P>ab</P>"},
        {"huge parameters", "\\fs99999999999999999999 a\\cf-99999999999 b\\u999999999 c\\par",
         "\r\n<P><FONT SIZE=\"6\">ab\xEF\xBF\xBD</FONT></P>"},
        {"\\bin longer than the file", "a\\bin999999999 xyz", "\r\n<P>a</P>"},
        {"a backslash at the very end", "a\\", "\r\n<P>a</P>"},
        {"a cell end in a paragraph outside a table", "a\\cell b",
         "\r\n<P>a</P>\r\n<TABLE BORDER=1>\r\n<TR>\r\n<TD></TD>\r\n</TR>\r\n</TABLE>\r\n<P>b</P>"},
    };
    for (const Case& test : cases) {
        // No closing brace is added: the input ends where the case says.
        EXPECT_EQ(TranslateRtf(kHeader + test.Rtf).Body, test.Expected) << test.What;
    }
    const std::string deep = kHeader + std::string(200000, '{') + "deep" + "\\par";
    EXPECT_EQ(TranslateRtf(deep).Body, "\r\n<P>deep</P>");
    EXPECT_EQ(TranslateRtf("").Body, "");
}

TEST(RtfToHtml, ThePageDeclaresUtf8AndTakesTheHeadAndBodyFields) {
    RtfTranslation translation = TranslateRtf("{\\rtf1{\\info{\\title Doc}}x\\par}");
    EXPECT_EQ(translation.Title, "Doc");
    const std::string page = BuildRtfPage(translation, "k", "T", "", BodyFields{});
    EXPECT_EQ(page.rfind("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n<head>\r\n"
                         "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">",
                         0),
              0u);
    EXPECT_NE(page.find("<title>T</title>"), std::string::npos);
    EXPECT_NE(page.find("<body bgcolor=\"#FFFFFF\""), std::string::npos);
    EXPECT_TRUE(page.ends_with(">\r\n\r\n<P>x</P>\r\n</body>\r\n</html>"));
}

}  // namespace
}  // namespace quinkle

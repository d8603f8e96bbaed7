// A scheme's effects in the HTML and RTF output of the text.
#include <gtest/gtest.h>

#include "engine/editor/SourceEditor.h"
#include "engine/scheme/SchemeOutputStyler.h"
#include "engine/text/TextOutput.h"

namespace quinkle {
namespace {

struct StyledText {
    SourceEditor editor;
    SchemeStyles styles;

    // "ab c" on one row: "a" token 1 and "b" token 2, both of effect 3 (bold red on white,
    // one run), " c" token 0 (the defaults).
    StyledText() {
        editor.SetText("ab c\rd");
        const uint8_t first[] = {1, 2, 0, 0, 0};
        editor.SetRowStyles(0, first);
        styles.Effects[3].Foreground = 0x0000FF;
        styles.Effects[3].Style = esBold | esUnderline;
        styles.Effects[0].ForegroundDefault = true;
        styles.Effects[0].Background = 0x80000005;  // a system colour
        styles.TokenEffect[1] = 3;
        styles.TokenEffect[2] = 3;
    }

    std::string Write(uint32_t mode) {
        SchemeOutputStyler styler(
            styles, [](uint32_t) { return 0xC0C0C0u; }, 0x102030, 0xFFFFFF, "Courier New", 10);
        return WriteText(editor.Store(), 0, editor.GetTextLen(), mode, &styler);
    }
};

TEST(SchemeOutputStyler, HtmlRunsCarryTheirEffectsAndSpansNeverNest) {
    StyledText text;
    const std::string html = text.Write(omHTML);
    EXPECT_EQ(html.rfind("<pre style=", 0), 0u);
    EXPECT_NE(html.find("<span style=\"color:#FF0000;background:#FFFFFF;font-weight:bold;"
                        "text-decoration:underline\">ab</span>"),
              std::string::npos)
        << html;
    // Effect 0: the default text colour and the resolved system background.
    EXPECT_NE(html.find("<span style=\"color:#302010;background:#C0C0C0\"> c"), std::string::npos)
        << html;
    EXPECT_EQ(html.substr(html.size() - 15), "</span></pre>\r\n");
    size_t opened = 0, closed = 0;
    for (size_t at = html.find("<span"); at != std::string::npos; at = html.find("<span", at + 1))
        ++opened;
    for (size_t at = html.find("</span>"); at != std::string::npos;
         at = html.find("</span>", at + 1))
        ++closed;
    EXPECT_EQ(opened, closed);
}

TEST(SchemeOutputStyler, RtfNamesEachEffectsColoursFromItsTable) {
    StyledText text;
    const std::string rtf = text.Write(omRTF);
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("{\\colortbl;"), std::string::npos);
    EXPECT_NE(rtf.find("\\cf7\\highlight8\\b\\ul ab"), std::string::npos) << rtf.substr(0, 80);
    EXPECT_EQ(rtf.back(), '}');
}

}  // namespace
}  // namespace quinkle

// Gradient text: the colour of every character, the characters' HTML forms and the colour
// list's file.
#include <gtest/gtest.h>

#include "engine/html/GradientText.h"

namespace quinkle {
namespace {

TEST(GradientText, CharactersRunThroughTheColours) {
    const std::vector<RgbColour> start{0x0000FF, 0x00FF00, 0xFF0000};
    const std::vector<RgbColour> blackWhite{0x000000, 0xFFFFFF};
    struct Row {
        const char* Name;
        std::vector<RgbColour> Colours;
        std::string Text;
        std::vector<RgbColour> Expected;
    };
    for (const Row& row : {
             Row{"one entry each", start, "ABC", start},
             // 63.75 rounds to 64, 127.5 to the even 128, 191.25 to 191.
             Row{"halves to even",
                 blackWhite,
                 "abcde",
                 {0x000000, 0x404040, 0x808080, 0xBFBFBF, 0xFFFFFF}},
             Row{"one colour throughout", {0x123456}, "xyz", {0x123456, 0x123456, 0x123456}},
             Row{"one character takes the first", start, "x", {0x0000FF}},
             // The marker and an accented letter are one character each in UTF-8.
             Row{"characters, not bytes",
                 blackWhite,
                 "\xC3\xA9\xC2\xA4z",
                 {0x000000, 0x808080, 0xFFFFFF}},
             Row{"a channel falling", {0xFF00FF, 0x00FF00}, "abc", {0xFF00FF, 0x808080, 0x00FF00}},
         }) {
        std::vector<RgbColour> colours;
        for (const GradientCell& cell : GradientCells(row.Text, row.Colours))
            colours.push_back(cell.Colour);
        EXPECT_EQ(colours, row.Expected) << row.Name;
    }
    EXPECT_TRUE(GradientCells("abc", {}).empty());
    EXPECT_EQ(BuildGradientHtml("abc", {}, {}), "");
}

TEST(GradientText, HeadingLevelsAndCharacterForms) {
    for (const auto& [points, level] : std::vector<std::pair<int, int>>{{24, 1},
                                                                        {22, 1},
                                                                        {21, 2},
                                                                        {20, 2},
                                                                        {19, 2},
                                                                        {18, 1},
                                                                        {17, 1},
                                                                        {16, 2},
                                                                        {15, 2},
                                                                        {12, 4},
                                                                        {11, 4},
                                                                        {9, 5},
                                                                        {8, 6},
                                                                        {7, 6},
                                                                        {2, 6}}) {
        EXPECT_EQ(GradientHeadingLevel(points), level) << points;
    }
    for (const auto& [character, html] :
         std::vector<std::pair<char32_t, std::string>>{{U'"', "&quot;"},
                                                       {U'&', "&amp;"},
                                                       {U'<', "&lt;"},
                                                       {U'>', "&gt;"},
                                                       {0xA4, "<br>"},
                                                       {0xE0, "&agrave;"},
                                                       {0xE9, "&eacute;"},
                                                       {0xFF, "&yuml;"},
                                                       {0xE1, "\xC3\xA1"},
                                                       {U'x', "x"},
                                                       {0x20AC, "\xE2\x82\xAC"}}) {
        EXPECT_EQ(GradientCharacterHtml(character), html) << int(character);
    }
}

TEST(GradientText, BlanksEndLinesAndTheMarkerBreaks) {
    GradientFont font;
    font.Face = "F";
    font.Points = 12;
    EXPECT_EQ(BuildGradientHtml("a \xC2\xA4", {0x000000, 0xFFFFFF}, font),
              "<FONT face=\"F\">\r\n<h4>\r\n<FONT COLOR=\"#000000\">a</FONT>"
              "<FONT COLOR=\"#808080\"> </FONT>\r\n<FONT COLOR=\"#FFFFFF\"><br></FONT>\r\n"
              "\r\n\r\n</h4>\r\n</FONT>\r\n");
}

TEST(GradientText, FilesRoundTripAndRejectWhatIsNoColour) {
    const std::vector<RgbColour> colours{0x0000FF, 0xABCDEF, 0x000001};
    const std::string file = WriteGradientFile(colours);
    EXPECT_EQ(file, "0000FF\r\nABCDEF\r\n000001\r\n");
    EXPECT_EQ(ReadGradientFile(file).Colours, colours);
    EXPECT_EQ(ReadGradientFile(file).BadLine, 0);
    struct Row {
        const char* Text;
        std::vector<RgbColour> Colours;
        int32_t BadLine;
    };
    for (const Row& row : {
             Row{"", {}, 0},
             Row{"ff0000\n\n #00ff00 \r00F", {}, 4},
             Row{"ff0000\n\n #00ff00 \r", {0xFF0000, 0x00FF00}, 0},
             Row{"12345G\r\n", {}, 1},
             Row{"1234567\r\n", {}, 1},
         }) {
        const GradientFile read = ReadGradientFile(row.Text);
        EXPECT_EQ(read.Colours, row.Colours) << row.Text;
        EXPECT_EQ(read.BadLine, row.BadLine) << row.Text;
    }
}

}  // namespace
}  // namespace quinkle

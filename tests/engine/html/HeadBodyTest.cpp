// The head section and the body start tag, line by line.
#include "engine/html/HeadBody.h"

#include <gtest/gtest.h>

namespace quinkle {
namespace {

const std::string kGenerator =
    "HTML Quinkle v1.18 - Copyright (c) 2026 The HTML Quinkle developers";

TEST(HeadSection, EmptyFieldsGiveFourLinesWithTheGeneratedTitle) {
    EXPECT_EQ(GeneratorText(), kGenerator);
    EXPECT_EQ(BuildHeadSection("", "", ""), "<head>\r\n<META Name=\"generator\" Content=\"" +
                                                kGenerator + "\">\r\n" + "<title>Generated with " +
                                                kGenerator + "</title>\r\n</head>\r\n");
}

TEST(HeadSection, FieldsPassUnchangedInTheirFixedOrder) {
    EXPECT_EQ(BuildHeadSection("a, \"b\"", " <T> ", "line 1\r\nline 2"),
              "<head>\r\n<META Name=\"generator\" Content=\"" + kGenerator + "\">\r\n" +
                  "<META Name=\"keywords\" Content=\"a, \"b\"\">\r\n" + "<title> <T> </title>\r\n" +
                  "<META Name=\"Description\" Content=\"line 1\r\nline 2\">\r\n</head>\r\n");
}

TEST(BodyTag, DefaultsGiveTheFourColourAttributesAsBrowsersReadThem) {
    EXPECT_EQ(BuildBodyTag(BodyFields{}),
              "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" "
              "vlink=\"#800080\">\r\n");
    BodyFields blank;
    blank.TxtCol = "   ";
    blank.BGCol = "";
    EXPECT_EQ(BuildBodyTag(blank), "<body link=\"#0000FF\" vlink=\"#800080\">\r\n");
}

TEST(BodyTag, TypedColoursGetTheirHashAndNamesTheirHexForm) {
    BodyFields fields;
    fields.BGCol = " abcdef ";
    fields.TxtCol = "#123456";
    fields.LinksCol = "red";
    fields.VLinksCol = "transparent";
    EXPECT_EQ(BuildBodyTag(fields),
              "<body bgcolor=\"#abcdef\" text=\"#123456\" link=\"#FF0000\" "
              "vlink=\"transparent\">\r\n");
}

TEST(BodyTag, TheGraphicIsAUrlAndTheSoundAddsTwoLines) {
    BodyFields fields;
    fields.BGCol = fields.TxtCol = fields.LinksCol = fields.VLinksCol = "";
    fields.BGGfx = "\"C:\\My Pages\\back.gif\"";
    EXPECT_EQ(BuildBodyTag(fields), "<body background=\"/My Pages/back.gif\">\r\n");

    fields.BGGfx = "";
    fields.BGMidi = "tune.mid";
    for (int plays : {0, 1}) {
        fields.MidiPlays = plays;
        EXPECT_EQ(BuildBodyTag(fields),
                  "<body>\r\n<bgsound src=\"tune.mid\">\r\n"
                  "<embed src=\"tune.mid\" autostart=TRUE hidden=true loop=FALSE>\r\n");
    }
    fields.MidiPlays = 3;
    EXPECT_EQ(BuildBodyTag(fields),
              "<body>\r\n<bgsound src=\"tune.mid\" loop=3>\r\n"
              "<embed src=\"tune.mid\" autostart=TRUE hidden=true loop=TRUE>\r\n");
    fields.BGMidi = "  ";  // names no file: no sound lines
    EXPECT_EQ(BuildBodyTag(fields), "<body>\r\n");
}

}  // namespace
}  // namespace quinkle

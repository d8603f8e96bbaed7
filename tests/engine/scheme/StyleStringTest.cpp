// The style string: its exact written form, tagged and positional reading, and bad texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/StyleString.h"

namespace quinkle {
namespace {

SchemeSettings Sample() {
    SchemeSettings s;
    s.Editor.Options = 0x3FFDBF0;
    s.Editor.Gutter = 30;
    s.GutterColor = {0x8000000F, true};
    s.Editor.WrapAtColumn = 72;
    s.Editor.SetIndentStep(2);
    s.Editor.WrapOverride = ">|";
    s.Font = {"Courier New", 10, 1, 0, 0};
    s.SelTextColor = {0x8000000E, false};
    s.SelTextBack = {0x00FF0000, true};
    s.Editor.SetTabColumns("9 17");
    s.Editor.SetTabDefault(8);
    s.Editor.Styles.Effects[1] = {
        esBold | esUnderline, 0x0000FF, 0xFFFFFF, false, true, false, true};
    s.Editor.Styles.Effects[7] = {
        esItalic | esStrikeout, 0x80000008, 0x10, true, false, true, true};
    s.MarginColor.UseDefault = false;
    s.Editor.RightMargin = 80;
    s.GutterFont = {"Arial", 8, 1, 0x808080, esItalic | esBold | esUnderline | esStrikeout};
    return s;
}

constexpr const char* kSampleText =
    "Marvox6:OPT#8#67099632GWD#2#30GCL#11#-2147483633WRC#2#72IDS#1#2WRO#2#>|FON#11#Courier "
    "NewFOS#2#10STC#11#-2147483634STB#8#16711680TBC#4#9 17TBD#1#8"
    "EFF#55#3,0,0,16777215,;1,255,16777215,XBU;7,-2147483640,16,YI;"
    "GDF#1#1MDF#1#0SDF#1#0BDF#1#1FOC#1#1RMG#2#80LNN#5#ArialLNS#1#8LNC#7#8421504LNT#0#LNE#4#IBUS"
    "#END#";

TEST(StyleString, WritesTheTaggedFormInItsFixedOrder) {
    EXPECT_EQ(WriteStyleString(Sample()), kSampleText);
}

TEST(StyleString, ReadsBackWhatItWrites) {
    SchemeSettings read;
    EXPECT_EQ(ParseStyleString(kSampleText, read), 6);
    EXPECT_EQ(WriteStyleString(read), kSampleText);
    EXPECT_EQ(read.Editor.TabColumns(), Sample().Editor.TabColumns());
    EXPECT_EQ(read.GutterFont.Style, esItalic | esBold | esUnderline | esStrikeout);

    // A compiled scheme's settings over fresh ones.
    CompiledScheme compiled;
    SchemeCompiler compiler(compiled);
    compiler.CompileFile(std::string(QUINKLE_TEST_DATA_DIR) + "/../../schemes/bench-html.sch");
    const std::string text = WriteStyleString(compiled.Settings);
    SchemeSettings fresh;
    ParseStyleString(text, fresh);
    EXPECT_EQ(WriteStyleString(fresh), text);
}

TEST(StyleString, EffectsKeepHotspotAndLoseStrikeout) {
    SchemeSettings read;
    read.Editor.Styles.Effects[7].Hotspot = true;
    read.Editor.Styles.Effects[7].Style = esStrikeout;
    read.Editor.Styles.Effects[7].BackgroundDefault = true;
    ParseStyleString("Marvox6:EFF#10#1,7,1,2,i;", read);
    const EffectDef& effect = read.Editor.Styles.Effects[7];
    EXPECT_TRUE(effect.Hotspot);
    EXPECT_TRUE(effect.Defined);
    EXPECT_EQ(effect.Style, esItalic);
    EXPECT_FALSE(effect.BackgroundDefault);
    EXPECT_EQ(effect.Foreground, 1u);
    EXPECT_EQ(effect.Background, 2u);

    // Missing colours default to black on white; letters in any case, ending at another
    // character, which the next entry then starts with.
    ParseStyleString("Marvox6:EFF#12#2,3,,,bXY4,,", read);
    EXPECT_EQ(read.Editor.Styles.Effects[3].Foreground, 0u);
    EXPECT_EQ(read.Editor.Styles.Effects[3].Background, 0xFFFFFFu);
    EXPECT_EQ(read.Editor.Styles.Effects[3].Style, esBold);
    EXPECT_TRUE(read.Editor.Styles.Effects[3].ForegroundDefault);
    EXPECT_TRUE(read.Editor.Styles.Effects[4].Defined);
}

TEST(StyleString, AllEffectsAreAnnouncedAs255) {
    SchemeSettings s;
    for (EffectDef& effect : s.Editor.Styles.Effects) effect.Defined = true;
    const std::string text = WriteStyleString(s);
    EXPECT_NE(text.find("EFF#"), std::string::npos);
    EXPECT_NE(text.find("#255,0,0,16777215,;"), std::string::npos);
    EXPECT_NE(text.find("255,0,16777215,;GDF"), std::string::npos);

    SchemeSettings read;
    read.Editor.Styles.Effects[255].Foreground = 0x42;
    ParseStyleString(text, read);
    EXPECT_TRUE(read.Editor.Styles.Effects[254].Defined);
    EXPECT_FALSE(read.Editor.Styles.Effects[255].Defined);
    EXPECT_EQ(read.Editor.Styles.Effects[255].Foreground, 0x42u);
}

TEST(StyleString, TaggedReadingSkipsUnknownKeysAndStopsAtTheEnd) {
    SchemeSettings read;
    ParseStyleString("Marvox7:ZZZ#3#abcGWD#2#40LNT#5#xxxxxRMG#2#60", read);
    EXPECT_EQ(read.Editor.Gutter, 40);
    EXPECT_EQ(read.Editor.RightMargin, 60);

    SchemeSettings stop;
    ParseStyleString("Marvox6:GWD#2#41#END#RMG#2#61", stop);
    EXPECT_EQ(stop.Editor.Gutter, 41);
    EXPECT_EQ(stop.Editor.RightMargin, SchemeSettings{}.Editor.RightMargin);

    SchemeSettings malformed;
    ParseStyleString("Marvox6:GWD#2#42RMG#10#62IDS#1#3", malformed);  // length runs past the end
    EXPECT_EQ(malformed.Editor.Gutter, 42);
    EXPECT_EQ(malformed.Editor.RightMargin, SchemeSettings{}.Editor.RightMargin);

    SchemeSettings flags;
    ParseStyleString("Marvox6:GDF#1#0MDF#1#1SDF#4#true", flags);
    EXPECT_FALSE(flags.GutterColor.UseDefault);
    EXPECT_TRUE(flags.MarginColor.UseDefault);
    EXPECT_FALSE(flags.SelTextColor.UseDefault);
}

TEST(StyleString, BadTextsFail) {
    for (const char* text :
         {"", "Marvox", "Marvox0:GWD#2#40", "Marvo6:GWD#2#40", "marvox6:", "Marvox:6",
          "Marvox6:GWD#2#4x", "Marvox6:EFF#7#1,256,;", "Marvox6:EFF#5#2,1,;", "Marvox6:EFF#4#1,-1",
          "Marvox6:FOS#11#99999999999", "Marvox3:1,2,3,4,0,0,10,0,0,1,x", "Marvox6:TBD#1#0"}) {
        SchemeSettings read;
        try {
            ParseStyleString(text, read);
            ADD_FAILURE() << "accepted " << text;
        } catch (const ESourceEditor& error) {
            if (std::string(text) != "Marvox6:TBD#1#0") {
                EXPECT_STREQ(error.what(), kInvalidStyleString) << text;
            }
        }
    }
}

TEST(StyleString, PositionalFormsFillInDefaults) {
    SchemeSettings v1;
    v1.Font.Name = "Other";
    v1.SelTextBack.Color = 5;
    EXPECT_EQ(ParseStyleString("Marvox1:123,40,70,3,2,>|,1,2,1,2,B;", v1), 1);
    EXPECT_EQ(v1.Editor.Options, 123u);
    EXPECT_EQ(v1.Editor.Gutter, 40);
    EXPECT_EQ(v1.Editor.WrapAtColumn, 70);
    EXPECT_EQ(v1.Editor.IndentStep(), 3);
    EXPECT_EQ(v1.Editor.WrapOverride, ">|");
    EXPECT_EQ(v1.Font.Name, "Courier New");
    EXPECT_EQ(v1.SelTextBack.Color, 0x8000000Du);
    EXPECT_EQ(v1.Editor.Styles.Effects[2].Foreground, 1u);
    EXPECT_EQ(v1.Editor.Styles.Effects[2].Style, esBold);

    SchemeSettings missing;  // even the colon
    ParseStyleString("Marvox2", missing);
    EXPECT_EQ(missing.Editor.Options, 0x3FFDBF0u);
    EXPECT_EQ(missing.Editor.Gutter, 34);
    EXPECT_EQ(missing.Editor.WrapOverride, "");
    EXPECT_EQ(missing.Font.Name, "");
    EXPECT_EQ(missing.Font.Size, 10);

    SchemeSettings v3;
    ParseStyleString("Marvox3:1,2,3,4,0,5,Arial,12,7,8,0", v3);
    EXPECT_EQ(v3.Font.Name, "Arial");
    EXPECT_EQ(v3.Font.Size, 12);
    EXPECT_EQ(v3.SelTextColor.Color, 7u);
    EXPECT_EQ(v3.SelTextBack.Color, 8u);

    SchemeSettings v4;
    ParseStyleString("Marvox4:1,2,3,4,25,abcdefghijklmnopqrstuvwxy,0,9,7,8,4,5 10,3,0", v4);
    EXPECT_EQ(v4.Editor.WrapOverride, "abcdefghijklmnopqrst");
    EXPECT_EQ(v4.Editor.TabColumns(), (std::vector<int32_t>{4, 9}));
    EXPECT_EQ(v4.Editor.TabDefault(), 3);
}

}  // namespace
}  // namespace quinkle

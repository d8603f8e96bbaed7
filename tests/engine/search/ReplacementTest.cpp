// Expansion of replacement texts in expression mode.
#include "engine/search/Replacement.h"

#include <gtest/gtest.h>

namespace quinkle {
namespace {

std::string Expand(std::string_view replacement) {
    // The text "key=value" matched as (key)=(value): list 0, 0, 3, 4, 9, 9.
    static const std::string text = "key=value";
    const std::vector<int32_t> matches = {0, 0, 3, 4, 9, 9};
    return ExpandReplacement(replacement, matches, [&](int32_t from, int32_t to) {
        return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    });
}

TEST(Replacement, PercentReferencesTakeTheTextBetweenMatchOffsets) {
    EXPECT_EQ(Expand("%3:%2:%4"), "=:key:value");
    EXPECT_EQ(Expand("%1|%5|%9"), "||");  // empty pieces, and a number past the list
    EXPECT_EQ(Expand("100%% %x %"), "100% x %");
    EXPECT_EQ(Expand("%0"), "0");
    EXPECT_EQ(Expand("%0022"), "0022");
    EXPECT_EQ(Expand("%256"), "6");  // %25 is past the list, then "6"
}

TEST(Replacement, BackslashEscapes) {
    EXPECT_EQ(Expand("a\\nb\\rc\\td\\se\\bf\\fg"), "a\rb\nc\td e\bf\fg");
    EXPECT_EQ(Expand("\\\\ \\q \\%"), "\\ q %");
    EXPECT_EQ(Expand("\\101\\60x\\7"), "A0x\x07");
    EXPECT_EQ(Expand("\\x41\\x4g\\xz"), "A\x04gxz");
    EXPECT_EQ(Expand("ab\\777cd"), "ab");  // an octal value of 256 or more ends the text
    EXPECT_EQ(Expand("end\\"), "end\\");
}

}  // namespace
}  // namespace quinkle

// The About window's texts and the Support window's mail links.
#include "engine/html/AboutTexts.h"

#include <gtest/gtest.h>

namespace quinkle {
namespace {

TEST(AboutTexts, BlocksAndMailLinks) {
    EXPECT_EQ(AboutProductText(),
              "HTML Quinkle v1.18 Copyright (c) 2026 The HTML Quinkle developers\r\n");
    EXPECT_EQ(AboutAuthorText(),
              "by\r\nThe HTML Quinkle developers \r\nE-mail: support@htmlquinkle.example.org\r\n"
              "Please send any bug reports to me at the address above.");
    EXPECT_EQ(
        SupportMailUrl(SupportMail::Suggestion),
        "mailto:support@htmlquinkle.example.org?subject=Suggestion:%20HTML%20Quinklev1.18%20beta");
    EXPECT_EQ(SupportMailUrl(SupportMail::BugReport),
              "mailto:support@htmlquinkle.example.org?subject=Bug%20Report:%20HTML%20Quinklev1.18%"
              "20beta");
}

}  // namespace
}  // namespace quinkle

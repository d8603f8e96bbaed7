// The keyword file's [Keywords] section written from the user's text.
#include <gtest/gtest.h>

#include "engine/store/IniFile.h"
#include "engine/store/KeywordFile.h"

namespace quinkle {
namespace {

TEST(KeywordFile, LinesBecomeEntriesAndABadLineIsLeftOutAlone) {
    IniFile keywords;
    const std::string problem = WriteKeywordLines(
        keywords, "table=Tables\r\n\r\n  \n;comment=no\nimg=Images=pictures\nbare");
    EXPECT_EQ(keywords.ReadString("Keywords", "table", "?"), "Tables");
    // Only the first "=" separates; a line without one is a value under the empty key.
    EXPECT_EQ(keywords.ReadString("Keywords", "img", "?"), "Images=pictures");
    EXPECT_EQ(keywords.ReadString("Keywords", "", "?"), "bare");
    // A key the file cannot hold is reported, and the lines after it are still written.
    EXPECT_NE(problem.find("';comment'"), std::string::npos) << problem;
    EXPECT_EQ(WriteKeywordLines(keywords, ""), "");
}

}  // namespace
}  // namespace quinkle

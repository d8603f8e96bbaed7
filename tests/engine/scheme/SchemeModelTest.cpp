// State sets, character groups and the keyword trie of a scheme.
#include <gtest/gtest.h>

#include "engine/scheme/CharGroup.h"
#include "engine/scheme/SchemeErrors.h"
#include "engine/scheme/StateSet.h"
#include "engine/scheme/SyntaxKeywords.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

TEST(SchemeStateSet, SetOperationsAcrossWords) {
    StateSet a{0, 63, 64, 200, 255};
    StateSet b{63, 200, 7};
    EXPECT_EQ(a & b, (StateSet{63, 200}));
    EXPECT_EQ(a | b, (StateSet{0, 7, 63, 64, 200, 255}));
    EXPECT_EQ(a - b, (StateSet{0, 64, 255}));
    EXPECT_TRUE(a.Intersects(b));
    EXPECT_FALSE((a - b).Intersects(b));
    EXPECT_TRUE(StateSet{}.Empty());
    EXPECT_EQ((StateSet{200, 130}).Lowest(), 130);
    EXPECT_EQ(StateSet{}.Lowest(), -1);
    EXPECT_EQ(StateSet::All().Count(), 256);
    StateSet c{300, -1};
    EXPECT_TRUE(c.Empty());
}

TEST(SchemeCharGroup, NegationEmptinessAndInterning) {
    CharGroup lower = CharGroup::Range('a', 'z');
    CharGroup notLower = CharGroup::Range('a', 'z', true);
    EXPECT_TRUE(lower.Contains('q'));
    EXPECT_FALSE(notLower.Contains('q'));
    EXPECT_TRUE(notLower.Contains(0));
    EXPECT_TRUE(CharGroup{}.Empty());
    EXPECT_FALSE(CharGroup{}.Contains('a'));
    EXPECT_TRUE(CharGroup{}.Admits('a'));
    EXPECT_FALSE(CharGroup::Any().Empty());

    CharGroupManager groups;
    int32_t a = groups.Intern(lower);
    int32_t b = groups.Intern(notLower);
    EXPECT_NE(a, b);
    EXPECT_EQ(groups.Intern(CharGroup::Range('a', 'z')), a);
    for (int i = 0; i < 40; ++i) groups.Intern(CharGroup::Of(std::string(1, char('A' + i))));
    EXPECT_EQ(groups.Count(), 42);
    EXPECT_TRUE(groups.Get(b).Contains('A'));
    try {
        groups.Get(42);
        FAIL();
    } catch (const ESourceEditor& e) {
        EXPECT_STREQ(e.what(), "Invalid Set ID (42)");
    }
    EXPECT_THROW(groups.Get(-1), ESourceEditor);
}

class SchemeKeywordsTest : public ::testing::Test {
protected:
    KeywordMatch Find(SyntaxKeywords& words, std::string_view text, StateSet active = {0}) {
        TextCursor cursor(text);
        KeywordMatch match = words.Lookup(cursor, active);
        EXPECT_EQ(cursor.Position(), match.Found ? match.Length : 0);
        return match;
    }
    CharGroupManager m_groups;
};

TEST_F(SchemeKeywordsTest, LongestWordValidInActiveStatesWins) {
    SyntaxKeywords words(m_groups);
    words.Add("<", -1, 1, {0});
    words.Add("<!--", -1, 2, {0});
    words.Add("<!", -1, 3, {5});
    words.Add("<a", -1, 4, {0});
    KeywordMatch m = Find(words, "<!-- x");
    EXPECT_TRUE(m.Found);
    EXPECT_EQ(m.Value, 2);
    EXPECT_EQ(m.Length, 4);
    // "<!-" is no word: the longest candidate on the way is "<".
    m = Find(words, "<!-x");
    EXPECT_EQ(m.Value, 1);
    EXPECT_EQ(m.Length, 1);
    m = Find(words, "<!-x", {5});
    EXPECT_EQ(m.Value, 3);
    EXPECT_FALSE(Find(words, "<a", {7}).Found);
    EXPECT_FALSE(Find(words, "", {0}).Found);
    EXPECT_EQ(Find(words, "<ab").Value, 4);
}

TEST_F(SchemeKeywordsTest, CaseRuleAndEndGroup) {
    int32_t notLower = m_groups.Intern(CharGroup::Range('a', 'z', true));
    SyntaxKeywords words(m_groups, false);
    words.Add("begin", notLower, 9, {0});
    EXPECT_EQ(Find(words, "BEGIN").Value, 9);
    EXPECT_EQ(Find(words, "Begin;").Length, 5);
    EXPECT_FALSE(Find(words, "beginning").Found);
    words.SetCaseSensitive(true);
    EXPECT_FALSE(Find(words, "BEGIN").Found);
    EXPECT_TRUE(Find(words, "begin").Found);
}

TEST_F(SchemeKeywordsTest, DuplicatesAreRefusedOnlyWhenStatesMeet) {
    SyntaxKeywords words(m_groups);
    words.Add("if", -1, 1, {0, 1});
    words.Add("if", -1, 2, {2});
    try {
        words.Add("if", -1, 3, {1, 9});
        FAIL();
    } catch (const EKeywords& e) {
        EXPECT_STREQ(e.what(), "Duplicate keyword - 'if'");
    }
    EXPECT_EQ(words.Entries().size(), 2u);
    EXPECT_EQ(Find(words, "if", {2}).Value, 2);
    EXPECT_THROW(words.Add("x", 77, 1, {0}), ESourceEditor);
    EXPECT_EQ(words.Entries().size(), 2u);
}

TEST_F(SchemeKeywordsTest, SiblingsInAnyInsertionOrder) {
    SyntaxKeywords words(m_groups);
    const char* list[] = {"zeta", "alpha", "mid", "al", "z", "alps", "m"};
    for (int i = 0; i < 7; ++i) words.Add(list[i], -1, static_cast<uint8_t>(i + 1), {0});
    for (int i = 0; i < 7; ++i) {
        KeywordMatch m = Find(words, std::string(list[i]) + "!");
        EXPECT_EQ(m.Value, i + 1) << list[i];
    }
    EXPECT_EQ(Find(words, "alp").Value, 4);
}

}  // namespace
}  // namespace quinkle

// Matching expressions: semantics of each construct, the match list, directions, pieces,
// long texts and the step budget of one attempt.
#include <gtest/gtest.h>

#include <random>

#include "ChoppedReader.h"
#include "engine/search/REParser.h"

namespace quinkle {
namespace {

using test::ChoppedReader;

/// The first match in `text` as "start-end", or "none".
std::string Find(std::string_view pattern, std::string_view text, bool matchCase = true) {
    REParser parser;
    parser.Compile(pattern, matchCase);
    StringReader reader(text);
    if (!parser.Search(reader, 0, reader.Length())) return "none";
    return std::to_string(parser.MatchStart()) + "-" + std::to_string(parser.MatchEnd());
}

/// The number of matches a find-all walks from the start, or -1 when the search gives up.
int CountMatches(std::string_view pattern, const std::string& text) {
    REParser parser;
    parser.Compile(pattern);
    StringReader reader(text);
    int count = 0;
    try {
        for (int32_t at = 0; at <= reader.Length(); ++count) {
            if (!parser.Search(reader, at, reader.Length())) break;
            at = std::max(parser.MatchEnd(), parser.MatchStart() + 1);
        }
    } catch (const ERegExpError& error) {
        EXPECT_STREQ(error.what(), "Expression is too complex") << pattern;
        return -1;
    }
    return count;
}

/// 100 KB on one line: 100 times 999 "a" and an "x".
std::string LongLine() {
    std::string text;
    for (int i = 0; i < 100; ++i) text += std::string(999, 'a') + 'x';
    return text;
}

TEST(RegexMatch, LinearExpressionsFindEveryMatchInLongTexts) {
    std::string line = LongLine();
    std::string runOfA(100000, 'a');
    struct Case {
        std::string Pattern;
        const std::string& Text;
        int Matches;
    };
    const Case cases[] = {
        {".{1,100}x", line, 100}, {"[^x]*x", line, 100},  {"[^x]*x", runOfA, 0}, {".*z", line, 0},
        {".*z", runOfA + "z", 1}, {"(a*)(b|z)", line, 0}, {"[a-z]+", line, 1},   {"a.*z", line, 0},
        {"a[^z]+x$", line, 1},    {"x(a+)y", line, 0},
    };
    for (const Case& test : cases)
        EXPECT_EQ(CountMatches(test.Pattern, test.Text), test.Matches)
            << test.Pattern.substr(0, 20);
    REParser parser;
    parser.Compile(".*z");
    StringReader reader(line);
    EXPECT_FALSE(parser.Search(reader, reader.Length(), 0));
}

TEST(RegexMatch, LiteralsSetsAndAnyByte) {
    EXPECT_EQ(Find("b", "abc"), "1-2");
    EXPECT_EQ(Find("a.c", "xxa\rc"), "2-5");  // "." takes any byte, the line end too
    EXPECT_EQ(Find("[0-9]+", "ab 123 c"), "3-6");
    EXPECT_EQ(Find("[^a-z ]", "ab c!"), "4-5");
    EXPECT_EQ(Find("[]x]", "a]"), "1-2");
    EXPECT_EQ(Find("[-x]", "a-"), "1-2");
    EXPECT_EQ(Find("q", "abc"), "none");
}

TEST(RegexMatch, EscapesAndQuotedRuns) {
    EXPECT_EQ(Find("a\\nb", "xa\rb"), "1-4");  // "\n" is the stored line end
    EXPECT_EQ(Find("\\r", "a\nb"), "1-2");
    EXPECT_EQ(Find("\\t\\b\\f", "x\t\b\f"), "1-4");
    EXPECT_EQ(Find("\\x41\\x4", "zA\x04"), "1-3");
    EXPECT_EQ(Find("\\101\\0", std::string_view("zA\0", 3)), "1-3");
    EXPECT_EQ(Find("a\\ b", "a b"), "0-3");
    EXPECT_EQ(Find("\\.\\*", "a.*"), "1-3");
    EXPECT_EQ(Find("\\d\\s\\w", "x1 _"), "1-4");
    EXPECT_EQ(Find("\\D\\S\\W", "1ab!"), "1-4");
    EXPECT_EQ(Find("\\s+", "a\r\n\t\f\b b"), "1-7");
    EXPECT_EQ(Find("\\w+", "-caf\xC3\xA9-"), "1-6");  // bytes of UTF-8 letters are word bytes
    EXPECT_EQ(Find("\"a.b*\"", "aab a.b*"), "4-8");
    EXPECT_EQ(Find("\"ab\"+c", "xababc"), "1-6");
    EXPECT_EQ(Find("\"\\\"\"", "say \"hi\""), "4-5");
}

TEST(RegexMatch, LinesAnchorsAndGroups) {
    EXPECT_EQ(Find("^b", "ab\rbc"), "3-4");
    EXPECT_EQ(Find("a$", "ab\rba\rc"), "4-5");
    EXPECT_EQ(Find("c$", "abc"), "2-3");
    EXPECT_EQ(Find("^$", "a\r\rb"), "2-2");
    EXPECT_EQ(Find("(ab|a)(c|bcd)", "abcd"), "0-3");  // the first alternative that works
    EXPECT_EQ(Find("(a|b)*c", "ababx abac"), "6-10");
    EXPECT_EQ(Find("x(ab){2}y", "xaby xababy"), "5-11");
}

TEST(RegexMatch, RepeatsAreGreedyAndBacktrack) {
    EXPECT_EQ(Find("a*", "aaa"), "0-3");
    EXPECT_EQ(Find("a+b", "caaab"), "1-5");
    EXPECT_EQ(Find("a?b", "ab"), "0-2");
    EXPECT_EQ(Find("<.*>", "<a><b>x"), "0-6");
    EXPECT_EQ(Find("a{2}", "a aa"), "2-4");
    EXPECT_EQ(Find("a{2,3}", "aaaa"), "0-3");
    EXPECT_EQ(Find("a{,2}b", "aaab"), "1-4");
    EXPECT_EQ(Find("a{2,}b", "ab aaaab"), "3-8");
    EXPECT_EQ(Find("x[a-z]*ing", "xsinging"), "0-8");
    EXPECT_EQ(Find("(ab)+abc", "abababc"), "0-7");
    EXPECT_EQ(Find("(a|b){2,3}c", "babac"), "1-5");
}

TEST(RegexMatch, CaseIsIgnoredWhenAsked) {
    EXPECT_EQ(Find("abc", "xABC", false), "1-4");
    EXPECT_EQ(Find("[a-c]+", "xABCd", false), "1-4");
    EXPECT_EQ(Find("[^a]", "AAb", false), "2-3");
    EXPECT_EQ(Find("abc", "xABC", true), "none");
}

TEST(RegexMatch, MatchListHoldsGroupBoundsBetweenStartAndEnd) {
    REParser parser;
    parser.Compile("(\\w+)=(\\d+)?;");
    StringReader text("x key=; y=12;");
    ASSERT_TRUE(parser.Search(text, 0, text.Length()));
    EXPECT_EQ(parser.Matches(), (std::vector<int32_t>{2, 2, 5, -1, -1, 7}));
    ASSERT_TRUE(parser.Search(text, 7, text.Length()));
    EXPECT_EQ(parser.Matches(), (std::vector<int32_t>{8, 8, 9, 10, 12, 13}));
    EXPECT_EQ(parser.MatchCount(), 6);
    EXPECT_EQ(parser.MatchPos(5), 13);
    EXPECT_THROW(parser.MatchPos(6), ERegExpError);
    EXPECT_THROW(parser.MatchPos(-1), ERegExpError);
    try {
        parser.MatchPos(9);
    } catch (const ERegExpError& error) {
        EXPECT_STREQ(error.what(), "Index range error");
    }
    EXPECT_FALSE(parser.Search(text, 12, text.Length()));
    EXPECT_EQ(parser.MatchCount(), 0);
}

TEST(RegexMatch, SearchesBackwardsAndWithinBounds) {
    REParser parser;
    parser.Compile("a[0-9]");
    StringReader text("a1 a2 a3");
    ASSERT_TRUE(parser.Search(text, 7, 0));
    EXPECT_EQ(parser.MatchStart(), 6);
    ASSERT_TRUE(parser.Search(text, 5, 0));
    EXPECT_EQ(parser.MatchStart(), 3);
    EXPECT_FALSE(parser.Search(text, 1, 2));
    ASSERT_TRUE(parser.Search(text, 1, 6));
    EXPECT_EQ(parser.MatchStart(), 3);
    ASSERT_TRUE(parser.MatchAt(text, 6));
    EXPECT_FALSE(parser.MatchAt(text, 5));
}

TEST(RegexMatch, EmptyMatchesAtTheEnd) {
    REParser parser;
    parser.Compile("$");
    StringReader text("ab");
    ASSERT_TRUE(parser.Search(text, 0, text.Length()));
    EXPECT_EQ(parser.MatchStart(), 2);
    EXPECT_EQ(parser.MatchEnd(), 2);
    StringReader empty("");
    ASSERT_TRUE(parser.Search(empty, 0, 0));
    parser.Compile("a");
    EXPECT_FALSE(parser.Search(empty, 0, 0));
}

TEST(RegexMatch, RunawayBacktrackingEndsAsTooComplex) {
    REParser parser;
    parser.Compile("(a|aa)+c");
    std::string text(5000, 'a');
    StringReader reader(text);
    try {
        parser.Search(reader, 0, reader.Length());
        FAIL() << "the search should have run out of steps";
    } catch (const ERegExpError& error) {
        EXPECT_STREQ(error.what(), "Expression is too complex");
    }
    parser.Compile("(x+x+)+y");
    std::string xs(3000, 'x');
    StringReader more(xs);
    EXPECT_THROW(parser.Search(more, 0, more.Length()), ERegExpError);
    EXPECT_EQ(CountMatches("(a+)+b", std::string(20000, 'a')), -1);
    // The same patterns finish where a match exists nearby.
    parser.Compile("(a|aa)+c");
    StringReader short_("aaaac");
    EXPECT_TRUE(parser.Search(short_, 0, short_.Length()));
}

TEST(RegexMatch, SkippingStartsFindsWhatTryingEveryStartFinds) {
    // The search skips starts by a match's possible first two bytes, its literal prefix and
    // its line anchor; trying each start in turn is the reference.
    const char* patterns[] = {"(class|id)=x", "a?bc",   "(ab)?c+d", "a*b",     "^ab|cd",
                              "[ab]{0,2}c",   "(a)?b?", "x(a|b)c",  "a$|b",    "\"ab\"|c",
                              "(a{0,1}b)+c",  "a\\nb",  "d{1,1}a",  "(a|bc)d", "c(d)?a",
                              "[^x]*x",       ".*c$",   "(a*)bd",   "[ab]+c",  "((b{2,}))d",
                              "[a-c]*(a|=)",  "x*$",    "b[ac]*d",  "a.*c$",   "c[^d]+a",
                              "(a|b)[^c]*d",  "x(a+)=", "(a*b)?a*c"};
    std::mt19937 random(3);
    const char alphabet[] = "abcdx=\r";
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        for (int i = 0, n = static_cast<int>(random() % 30); i < n; ++i)
            text += alphabet[random() % 7];
        const char* pattern = patterns[round % std::size(patterns)];
        REParser parser;
        parser.Compile(pattern);
        StringReader reader(text);
        int32_t expected = -1;
        for (int32_t at = 0; at <= reader.Length() && expected < 0; ++at)
            if (parser.MatchAt(reader, at)) expected = at;
        ASSERT_EQ(parser.Search(reader, 0, reader.Length()), expected >= 0)
            << pattern << " in '" << text << "'";
        if (expected >= 0) {
            ASSERT_EQ(parser.MatchStart(), expected) << pattern << " in '" << text << "'";
        }
    }
}

TEST(RegexMatch, PiecesDoNotChangeResults) {
    const char* patterns[] = {
        "ab",     "a[bc]*d",        "^b+",     "c$",  "(a|bc)+d", "\"a\\nb\"", "b{2,3}",
        "[^a]+a", "(ab|a)(c|bcd)?", "\\w+\\s", "a.c", "(b)(c)?a"};
    std::mt19937 random(11);
    const char alphabet[] = "abcd\r ";
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (int i = 0, n = static_cast<int>(random() % 60); i < n; ++i)
            text += alphabet[random() % 6];
        const char* pattern = patterns[round % std::size(patterns)];
        REParser whole;
        REParser chopped;
        whole.Compile(pattern);
        chopped.Compile(pattern);
        StringReader one(text);
        ChoppedReader many = ChoppedReader::Random(text, round, 1 + round % 4);
        auto from = static_cast<int32_t>(text.empty() ? 0 : random() % text.size());
        bool backwards = random() % 2;
        int32_t to = backwards ? 0 : one.Length();
        ASSERT_EQ(whole.Search(one, from, to), chopped.Search(many, from, to))
            << pattern << " in '" << text << "'";
        ASSERT_EQ(whole.Matches(), chopped.Matches()) << pattern << " in '" << text << "'";
    }
}

}  // namespace
}  // namespace quinkle

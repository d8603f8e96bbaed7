// Matching expressions: semantics of each construct, the match list, directions, pieces,
// long texts and the step budget of one attempt.
#include <gtest/gtest.h>

#include <random>

#include "ChoppedReader.h"
#include "PlainReference.h"
#include "engine/search/REParser.h"
#include "engine/search/RegexMatcher.h"

namespace quinkle {
namespace {

using test::PlainSearch;

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

/// `unit` repeated until the text holds `bytes`, then `tail`.
std::string Repeated(std::string_view unit, size_t bytes, std::string_view tail = {}) {
    std::string text;
    while (text.size() < bytes) text += unit;
    return text += tail;
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

TEST(RegexMatch, LinearExpressionsWorkOnTwentyMegabytes) {
    // One attempt may walk the whole text: its budget and its backtrack stack must allow it.
    std::string blocks = Repeated(std::string(999, 'a') + 'x', size_t{20} << 20);
    std::string pairs = Repeated("ab", size_t{20} << 20);
    EXPECT_EQ(CountMatches(".{1,100}x", blocks), 20972);
    EXPECT_EQ(CountMatches(".*z", blocks), 0);
    EXPECT_EQ(CountMatches("(a|b)*c", pairs), 0);
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
    parser.Compile("(x+x+)+y");
    std::string xs(3000, 'x');
    StringReader reader(xs);
    try {
        parser.Search(reader, 0, reader.Length());
        FAIL() << "the search should have run out of steps";
    } catch (const ERegExpError& error) {
        EXPECT_STREQ(error.what(), "Expression is too complex");
    }
    EXPECT_EQ(CountMatches("(a+)+b", std::string(20000, 'a')), -1);
    // The same patterns finish where a match exists nearby.
    parser.Compile("(x+x+)+y");
    StringReader short_("xxxxy");
    EXPECT_TRUE(parser.Search(short_, 0, short_.Length()));
}

TEST(RegexMatch, SearchesThroughLoopsTakeStepsInProportionToTheText) {
    // Each start of a search used to walk the loop through the rest of the text again, and
    // (a|aa)+ split a run of "a" in every possible way: the steps grew with the square of
    // the text, or faster. Loop entries that failed are now not walked again.
    std::string words;  // an alternation of 200 words, "w000" to "w199"
    for (int i = 0; i < 200; ++i) {
        std::string number = std::to_string(i);
        words += (i ? "|w" : "w") + std::string(3 - number.size(), '0') + number;
    }
    struct Case {
        std::string Pattern;
        std::string Text;
        int Matches;
    };
    const Case cases[] = {
        {"(a|b)*c", Repeated("ab", 20000), 0},
        {"(a|b)*c", Repeated("ab", 20000, "c"), 1},
        {"(ab|a)*c", Repeated("aab", 20000), 0},
        {"x(a|b|x)*y", Repeated("xab", 20000), 0},
        {"((a|b)c)*d", Repeated("acbc", 20000), 0},
        {"(a|aa)+c", std::string(20000, 'a'), 0},
        {"(<[^>]*>|[^<])*z", Repeated("<b>x</b>y", 20000), 0},
        {words, Repeated("w199 w000 x", 20000), 3638},
        {"w(0|1)(0|1|9)(9|0)", Repeated("w199 w000 x", 20000), 3638},
    };
    for (const Case& test : cases) {
        REParser parser;
        parser.Compile(test.Pattern);
        StringReader reader(test.Text);
        int count = 0;
        int64_t steps = 0;
        for (int32_t at = 0; parser.Search(reader, at, reader.Length()); ++count) {
            steps += parser.SearchSteps();
            at = std::max(parser.MatchEnd(), parser.MatchStart() + 1);
        }
        steps += parser.SearchSteps();
        EXPECT_EQ(count, test.Matches) << test.Pattern.substr(0, 20);
        // A few steps a byte, and at most a few a byte and node where the alternation of
        // words tries each word.
        auto nodes = static_cast<int64_t>(parser.Program().Code.size());
        EXPECT_LT(steps, (40 + nodes / 4) * static_cast<int64_t>(test.Text.size()))
            << test.Pattern.substr(0, 20);
    }
}

TEST(RegexMatch, SearchFindsWhatAPlainMatcherTryingEveryStartFinds) {
    // The search skips starts by a match's possible first two bytes, its literal prefix, its
    // line anchor and its leading run; the matcher leaves out alternatives and repeat counts
    // whose next byte cannot go on, and remembers failed loop entries and repeat runs over
    // the attempts of a search. None of it may change a match or its groups.
    const char* patterns[] = {
        "(class|id)=x",  "a?bc",          "(ab)?c+d",     "a*b",           "^ab|cd",
        "[ab]{0,2}c",    "(a)?b?",        "x(a|b)c",      "a$|b",          "\"ab\"|c",
        "(a{0,1}b)+c",   "a\\nb",         "d{1,1}a",      "(a|bc)d",       "c(d)?a",
        "[^x]*x",        ".*c$",          "(a*)bd",       "[ab]+c",        "((b{2,}))d",
        "[a-c]*(a|=)",   "x*$",           "b[ac]*d",      "a.*c$",         "c[^d]+a",
        "(a|b)[^c]*d",   "x(a+)=",        "(a*b)?a*c",    "(a|b)*c",       "(ab|a)*c",
        "x(a|b)*y",      "(a|ab)(c|bcd)", "((a|b)c)*d",   "(a|aa)+c",      "(a[bc]*)+d",
        "(b|a(b|c)*)*x", "(^a|b$)+",      "(a|b)*(b|c)*", "([ab]+c)*[^a]", "(a|B)+c"};
    std::mt19937 random(3);
    const char alphabet[] = "abcdx=\r";
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        for (int i = 0, n = static_cast<int>(random() % 30); i < n; ++i)
            text += alphabet[random() % 7];
        const char* pattern = patterns[round % std::size(patterns)];
        REParser parser;
        parser.Compile(pattern, round % 5 != 0);
        StringReader reader(text);
        auto from = static_cast<int32_t>(random() % (text.size() + 1));
        int32_t to = round % 3 == 0 ? 0 : reader.Length();
        std::vector<int32_t> expected = PlainSearch(parser.Program(), reader, from, to);
        ASSERT_EQ(parser.Search(reader, from, to), !expected.empty())
            << pattern << " in '" << text << "' from " << from << " to " << to;
        EXPECT_EQ(parser.Matches(), expected) << pattern << " in '" << text << "'";
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

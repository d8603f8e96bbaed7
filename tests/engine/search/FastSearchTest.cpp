// The search's shortcuts against the plain path: the start filter (both scan widths), the
// automaton that rules out starts, and the reused matcher, over random expressions and texts,
// whole and in pieces.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ChoppedReader.h"
#include "PlainReference.h"
#include "engine/search/REParser.h"
#include "engine/search/RegexAutomaton.h"
#include "engine/search/RegexMatcher.h"
#include "engine/search/RegexSyntax.h"
#include "engine/search/StartFilter.h"

namespace quinkle {
namespace {

using test::ChoppedReader;

/// A random expression over a small alphabet: literals, sets, any byte, groups, alternatives
/// and every kind of repeat, nested a little.
std::string RandomPattern(std::mt19937& random, int depth = 0) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string pattern;
    int atoms = 1 + pick(4);
    for (int i = 0; i < atoms; ++i) {
        std::string atom;
        switch (pick(depth < 2 ? 12 : 9)) {
            case 0:
            case 1:
            case 2:
                atom = std::string(1, "abc"[pick(3)]);
                break;
            case 3:
                atom = "[ab]";
                break;
            case 4:
                atom = "[^a]";
                break;
            case 5:
                atom = ".";
                break;
            case 6:
                atom = "\\d";
                break;
            case 7:
                atom = "\"c\\\"\"";  // a quoted run holding a double quote
                break;
            case 8:
                atom = "[b-c1]";
                break;
            case 9:
            case 10:
                atom = "(" + RandomPattern(random, depth + 1) + ")";
                break;
            default:
                atom = "(" + RandomPattern(random, depth + 1) + "|" +
                       RandomPattern(random, depth + 1) + ")";
                break;
        }
        static const char* const kRepeats[] = {"",    "",      "",      "*",    "+",  "?",
                                               "{2}", "{1,3}", "{0,2}", "{2,}", "{0}"};
        pattern += atom + kRepeats[pick(static_cast<int>(std::size(kRepeats)))];
    }
    return pattern;
}

std::string RandomText(std::mt19937& random, size_t length) {
    static const char kBytes[] = "aaabbbcc1\r\"-";
    std::string text;
    for (size_t i = 0; i < length; ++i) text += kBytes[random() % (sizeof kBytes - 1)];
    return text;
}

/// A random text of runs of one byte, up to 40 long: long stretches in which the automaton
/// stays in one state.
std::string RandomRuns(std::mt19937& random, size_t length) {
    std::string text = RandomText(random, length);
    for (size_t i = 0; i < text.size();) {
        size_t run = 1 + random() % 40;
        for (size_t j = i + 1; j < std::min(text.size(), i + run); ++j) text[j] = text[i];
        i += run;
    }
    return text;
}

/// Every match list of a find-all from the start: the next search begins at the end of a
/// match, one byte on after an empty one.
std::vector<std::vector<int32_t>> FindAll(REParser& parser, const CharReader& text) {
    std::vector<std::vector<int32_t>> all;
    for (int32_t at = 0; at <= text.Length();) {
        if (!parser.Search(text, at, text.Length())) break;
        all.push_back(parser.Matches());
        at = std::max(parser.MatchEnd(), parser.MatchStart() + 1);
    }
    return all;
}

std::vector<std::vector<int32_t>> PlainFindAll(const RegexProgram& program,
                                               const CharReader& text) {
    std::vector<std::vector<int32_t>> all;
    for (int32_t at = 0; at <= text.Length();) {
        std::vector<int32_t> found = test::PlainSearch(program, text, at, text.Length());
        if (found.empty()) break;
        at = std::max(found.back(), found.front() + 1);
        all.push_back(std::move(found));
    }
    return all;
}

class WideScan : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { StartFilter::AllowWideScan(GetParam()); }
    void TearDown() override { StartFilter::AllowWideScan(true); }
};

TEST_P(WideScan, FindAllGivesWhatThePlainMatcherGives) {
    // Texts long enough for whole blocks of starts, short pieces that cut candidates apart,
    // and patterns with and without the automaton (anchors and loops leave it out).
    std::mt19937 random(GetParam() ? 17 : 23);
    int compared = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string pattern = RandomPattern(random);
        if (round % 10 == 0) pattern = "^" + pattern;
        if (round % 10 == 1) pattern += "$";
        REParser parser;
        try {
            parser.Compile(pattern, round % 4 != 0);
        } catch (const ERegExpError&) {
            continue;
        }
        std::string text = round % 3 == 0   ? RandomText(random, random() % 20)
                           : round % 3 == 1 ? RandomText(random, random() % 400)
                                            : RandomRuns(random, random() % 400);
        StringReader whole(text);
        ChoppedReader pieces = ChoppedReader::Random(text, round, 1 + round % 40);
        std::vector<std::vector<int32_t>> expected;
        try {
            expected = PlainFindAll(parser.Program(), whole);
        } catch (const ERegExpError&) {
            continue;  // the plain matcher gave up: there is nothing to compare with
        }
        ASSERT_EQ(FindAll(parser, whole), expected) << pattern << " in '" << text << "'";
        ASSERT_EQ(FindAll(parser, pieces), expected) << pattern << " in pieces of '" << text << "'";
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

TEST_P(WideScan, FilterFindsTheFirstStartThatFitsItsSets) {
    // Sets of each form the block scan uses: a few values, all but a few, ranges, more ranges
    // than it can tell apart, rows of many kinds, and none at all.
    auto set = [](std::string_view members) {
        ByteSet bytes;
        for (char c : members) bytes.Add(static_cast<uint8_t>(c));
        return bytes;
    };
    ByteSet allButQuote = set("\"");
    allButQuote.Invert();
    ByteSet ranges;
    ranges.AddRange('a', 'c');
    ranges.AddRange('0', '1');
    ByteSet manyRanges;
    for (int c = 'a'; c <= 'z'; c += 3) manyRanges.Add(static_cast<uint8_t>(c));
    manyRanges.Add('"');
    ByteSet manyKinds;  // one byte in each of twelve rows, each at another column
    for (int row = 0; row < 12; ++row) manyKinds.Add(static_cast<uint8_t>(row << 4 | row));
    manyKinds.Add('a');
    const std::vector<std::vector<ByteSet>> cases = {
        {set("a")},
        {set("ab"), set("b")},
        {set("c"), allButQuote, set("\r")},
        {ranges, ranges, set("-")},
        {manyRanges, set("b"), manyRanges},
        {manyKinds},
        {set("b"), manyKinds, set("a"), set("c")},
        {ByteSet(), set("a")},
    };
    std::mt19937 random(GetParam() ? 5 : 6);
    for (size_t which = 0; which < cases.size(); ++which) {
        const std::vector<ByteSet>& offsets = cases[which];
        StartFilter filter(offsets);
        for (int round = 0; round < 60; ++round) {
            std::string text = RandomText(random, random() % 300);
            for (char& c : text)
                if (random() % 9 == 0) c = static_cast<char>(random() % 256);
            ChoppedReader pieces = ChoppedReader::Random(text, round, 1 + round % 50);
            ReaderCursor cursor(pieces);
            auto from = static_cast<int32_t>(random() % (text.size() + 1));
            auto to = static_cast<int32_t>(random() % (text.size() + 1));
            // The filter may test only some offsets, but never passes a start that misses
            // one it tests, and never skips a start that fits all of them.
            int32_t found = filter.Usable() ? filter.Next(cursor, from, to) : from;
            int32_t first = -1;
            for (int32_t at = from; at <= to && first < 0; ++at) {
                bool fits = true;
                for (size_t k = 0; k < offsets.size() && fits; ++k)
                    fits = static_cast<size_t>(at) + k < text.size() &&
                           offsets[k].Has(static_cast<uint8_t>(text[at + k]));
                if (fits) first = at;
            }
            if (first >= 0) {
                ASSERT_GE(found, from) << "case " << which << " in '" << text << "'";
                ASSERT_LE(found, first) << "case " << which << " in '" << text << "'";
            }
            if (found >= 0) {
                ASSERT_LE(found, to);
                ReaderCursor again(pieces);
                // Whatever it passes, it passes again from there.
                ASSERT_EQ(filter.Next(again, found, to), found);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FastSearch, WideScan, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Wide" : "Narrow";
                         });

TEST(FastSearch, AutomatonAgreesWithThePlainMatcherAtEveryStart) {
    std::mt19937 random(29);
    int decided = 0;
    for (int round = 0; round < 800; ++round) {
        std::string pattern = RandomPattern(random);
        RegexProgram program;
        try {
            program = CompileRegex(ParseRegex(pattern, round % 3 != 0));
        } catch (const ERegExpError&) {
            continue;
        }
        RegexAutomaton automaton(program);
        if (!automaton.Decides()) continue;
        bool runs = round % 2 == 0;
        std::string text =
            runs ? RandomRuns(random, random() % 150) : RandomText(random, random() % 40);
        ChoppedReader pieces = ChoppedReader::Random(text, round, 1 + round % (runs ? 90 : 7));
        ReaderCursor cursor(pieces);
        RegexMatcher plain(program, pieces, RegexMatcher::Mode::Plain);
        std::vector<ByteSet> offsets = automaton.OffsetBytes(8);
        for (int32_t start = 0; start <= pieces.Length(); ++start) {
            bool matches;
            try {
                matches = plain.MatchAt(start);
            } catch (const ERegExpError&) {
                continue;
            }
            int64_t read = 0;
            RegexAutomaton::Verdict verdict = automaton.MatchesAt(cursor, start, 1 << 20, read);
            ASSERT_EQ(verdict,
                      matches ? RegexAutomaton::Verdict::Match : RegexAutomaton::Verdict::NoMatch)
                << pattern << " at " << start << " in '" << text << "'";
            if (!matches) continue;
            ++decided;
            // Every match reaches the offsets given, with bytes of their sets.
            int32_t end = plain.End();
            ASSERT_LE(static_cast<int32_t>(offsets.size()), end - start) << pattern;
            for (size_t k = 0; k < offsets.size(); ++k)
                ASSERT_TRUE(offsets[k].Has(static_cast<uint8_t>(text[start + k])))
                    << pattern << " offset " << k << " in '" << text << "'";
        }
    }
    EXPECT_GT(decided, 500);
}

TEST(FastSearch, AutomatonStopsAtItsLimits) {
    // Reading past the limit, or a pattern that makes too many states, leaves the answer to
    // the matcher; too many positions leave the automaton out altogether.
    RegexProgram program = CompileRegex(ParseRegex("a[^x]*x", true));
    RegexAutomaton automaton(program);
    ASSERT_TRUE(automaton.Decides());
    std::string text = "a" + std::string(100, 'b') + "x";
    StringReader reader(text);
    ReaderCursor cursor(reader);
    int64_t read = 0;
    EXPECT_EQ(automaton.MatchesAt(cursor, 0, 50, read), RegexAutomaton::Verdict::Unknown);
    EXPECT_EQ(read, 50);
    EXPECT_EQ(automaton.MatchesAt(cursor, 0, 1000, read), RegexAutomaton::Verdict::Match);
    EXPECT_EQ(automaton.MatchesAt(cursor, 1, 1000, read), RegexAutomaton::Verdict::NoMatch);

    RegexProgram wide = CompileRegex(ParseRegex("[ab]{0,5000}c", true));
    EXPECT_FALSE(RegexAutomaton(wide).Usable());

    // (a|b)*a(a|b){10}: a state for every pattern of the last eleven bytes, over the limit.
    RegexProgram many = CompileRegex(ParseRegex("[ab]*a[ab]{12}c", true));
    RegexAutomaton growing(many);
    ASSERT_TRUE(growing.Decides());
    std::mt19937 random(1);
    std::string ab;
    for (int i = 0; i < 200000; ++i) ab += "ab"[random() % 2];
    StringReader abReader(ab);
    ReaderCursor abCursor(abReader);
    EXPECT_EQ(growing.MatchesAt(abCursor, 0, 1 << 30, read), RegexAutomaton::Verdict::Unknown);
    REParser parser;
    parser.Compile("[ab]*a[ab]{12}c");
    EXPECT_FALSE(parser.Search(abReader, 0, abReader.Length()));
}

TEST(FastSearch, LiteralProgramsKeepTheirUnusedGroups) {
    // A group repeated no times leaves a program of one literal, which the search completes
    // without the matcher; the match list must still hold the group, as taking no part.
    REParser parser;
    parser.Compile("(ab|c){0}y");
    StringReader text("xaby");
    ASSERT_TRUE(parser.Search(text, 0, text.Length()));
    EXPECT_EQ(parser.Matches(), (std::vector<int32_t>{3, -1, -1, 4}));
}

TEST(FastSearch, ReusedMatcherSeesAChangedText) {
    // The parser keeps its matcher between searches; what the matcher remembered of one text
    // must not leak into a search of another (or of the same reader after an edit).
    REParser parser;
    parser.Compile("(a|b)*c");
    std::string first = std::string(50, 'a') + "b";
    std::string second = std::string(50, 'a') + "c";
    StringReader one(first);
    StringReader two(second);
    EXPECT_FALSE(parser.Search(one, 0, one.Length()));
    ASSERT_TRUE(parser.Search(two, 0, two.Length()));
    EXPECT_EQ(parser.MatchStart(), 0);
    EXPECT_EQ(parser.MatchEnd(), 51);
    parser.Compile("x[ab]+y");
    std::string text = "xaaaz xab";
    StringReader before(text);
    EXPECT_FALSE(parser.Search(before, 0, before.Length()));
    text = "xaaay xab";  // the same reader object over changed bytes
    EXPECT_TRUE(parser.Search(before, 0, before.Length()));
    EXPECT_EQ(parser.MatchEnd(), 5);
}

}  // namespace
}  // namespace quinkle

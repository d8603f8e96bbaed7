// Fixed-text search: case, whole words, both directions, and matches across pieces.
#include "engine/search/PlainSearch.h"

#include <gtest/gtest.h>

#include <random>

#include "ChoppedReader.h"

namespace quinkle {
namespace {

using test::ChoppedReader;

ByteSet WordBytes() {
    ByteSet set;
    set.AddRange('a', 'z');
    set.AddRange('A', 'Z');
    set.AddRange('0', '9');
    set.Add('_');
    return set;
}

TEST(PlainSearch, FindsForwardsAndBackwardsWithAndWithoutCase) {
    StringReader text("one Two two TWO");
    PlainSearcher exact("two", true);
    EXPECT_EQ(exact.FindForward(text, 0, text.Length()), 8);
    EXPECT_EQ(exact.FindForward(text, 9, text.Length()), -1);
    EXPECT_EQ(exact.FindBackward(text, text.Length()), 8);
    EXPECT_EQ(exact.FindBackward(text, 8), -1);  // a match must start before the offset

    PlainSearcher anyCase("two", false);
    EXPECT_EQ(anyCase.FindForward(text, 0, text.Length()), 4);
    EXPECT_EQ(anyCase.FindForward(text, 5, text.Length()), 8);
    EXPECT_EQ(anyCase.FindBackward(text, text.Length()), 12);
    EXPECT_EQ(anyCase.FindBackward(text, 12), 8);
}

TEST(PlainSearch, LimitsEmptyPatternsAndShortTexts) {
    StringReader text("abcabc");
    PlainSearcher searcher("abc", true);
    EXPECT_EQ(searcher.FindForward(text, 1, 5), -1);  // the match at 3 would end past 5
    EXPECT_EQ(searcher.FindForward(text, 1, 6), 3);
    EXPECT_EQ(searcher.FindForward(text, -5, 100), 0);
    EXPECT_EQ(searcher.FindBackward(text, 100), 3);
    EXPECT_EQ(searcher.FindBackward(text, 3, 1), -1);
    EXPECT_EQ(PlainSearcher("", true).FindForward(text, 0, 6), -1);
    EXPECT_EQ(PlainSearcher("abcabcabc", true).FindForward(text, 0, 6), -1);
    StringReader empty("");
    EXPECT_EQ(searcher.FindForward(empty, 0, 0), -1);
    EXPECT_EQ(searcher.FindBackward(empty, 0), -1);
}

TEST(PlainSearch, WholeWordsSkipMatchesInsideWords) {
    StringReader text("cat concat cats cat_ (cat)");
    ByteSet words = WordBytes();
    PlainSearcher searcher("cat", true);
    searcher.SetWholeWords(&words);
    EXPECT_EQ(searcher.FindForward(text, 0, text.Length()), 0);
    EXPECT_EQ(searcher.FindForward(text, 1, text.Length()), 22);
    EXPECT_EQ(searcher.FindBackward(text, 22), 0);
}

TEST(PlainSearch, MatchesAcrossPiecesEqualANaiveSearch) {
    std::mt19937 random(7);
    const char alphabet[] = "abAB\r ";
    ByteSet words = WordBytes();
    for (int round = 0; round < 300; ++round) {
        std::string text;
        int size = static_cast<int>(random() % 200);
        for (int i = 0; i < size; ++i) text += alphabet[random() % 6];
        std::string pattern;
        for (int i = 0, n = 1 + static_cast<int>(random() % 4); i < n; ++i)
            pattern += alphabet[random() % 6];
        bool matchCase = random() % 2;
        bool whole = random() % 3 == 0;
        ChoppedReader reader = ChoppedReader::Random(text, round, 1 + round % 9);
        PlainSearcher searcher(pattern, matchCase);
        if (whole) searcher.SetWholeWords(&words);

        auto fold = [&](char c) { return matchCase ? c : static_cast<char>(toupper(c)); };
        auto matchesAt = [&](size_t at) {
            if (at + pattern.size() > text.size()) return false;
            for (size_t i = 0; i < pattern.size(); ++i)
                if (fold(text[at + i]) != fold(pattern[i])) return false;
            if (!whole) return true;
            bool before = at > 0 && words.Has(static_cast<uint8_t>(text[at - 1]));
            size_t end = at + pattern.size();
            bool after = end < text.size() && words.Has(static_cast<uint8_t>(text[end]));
            return !before && !after;
        };
        int32_t from = size ? static_cast<int32_t>(random() % size) : 0;
        int32_t expected = -1;
        for (size_t at = from; at < text.size() && expected < 0; ++at)
            if (matchesAt(at)) expected = static_cast<int32_t>(at);
        ASSERT_EQ(searcher.FindForward(reader, from, reader.Length()), expected)
            << "text '" << text << "' pattern '" << pattern << "' from " << from;
        expected = -1;
        for (int32_t at = from - 1; at >= 0 && expected < 0; --at)
            if (matchesAt(static_cast<size_t>(at))) expected = at;
        ASSERT_EQ(searcher.FindBackward(reader, from), expected)
            << "text '" << text << "' pattern '" << pattern << "' before " << from;
    }
}

TEST(PlainSearch, LongTextsInSmallPiecesFindFarMatches) {
    std::string text(300000, 'x');
    text.replace(299990, 5, "needl");
    text.replace(100, 6, "needle");
    text.replace(250000, 6, "needle");
    ChoppedReader reader = ChoppedReader::Random(text, 3, 90);
    PlainSearcher searcher("needle", true);
    EXPECT_EQ(searcher.FindForward(reader, 0, reader.Length()), 100);
    EXPECT_EQ(searcher.FindForward(reader, 101, reader.Length()), 250000);
    EXPECT_EQ(searcher.FindForward(reader, 250001, reader.Length()), -1);
    EXPECT_EQ(searcher.FindBackward(reader, reader.Length()), 250000);
    EXPECT_EQ(searcher.FindBackward(reader, 250000), 100);
}

}  // namespace
}  // namespace quinkle

// The scanner's derived tables (per-state dispatch, remembered state changes, group runs,
// keyword child tables) never change a result: random schemes scan alike with and without
// the shortcuts, and states, tables and words follow a plain model.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "SchemeTestKit.h"
#include "engine/scheme/Recognizers.h"
#include "engine/scheme/SyntaxKeywords.h"
#include "engine/scheme/TextScan.h"

namespace quinkle {
namespace {

using namespace testkit;

constexpr std::string_view kAlphabet = "ab<>/-= \"\r";

struct Random {
    explicit Random(uint32_t seed) : engine(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
    bool Chance(int percent) { return Below(100) < percent; }
    char Char() { return kAlphabet[Below(static_cast<int>(kAlphabet.size()))]; }
    std::string Text(int length) {
        std::string text;
        for (int i = 0; i < length; ++i) text += Char();
        return text;
    }
    CharGroup Group() {
        CharGroup group;
        for (char c : kAlphabet)
            if (Chance(40)) group.Add(static_cast<uint8_t>(c));
        group.Negated = Chance(30);
        return group;
    }
    StateSet States(int highest) {
        StateSet states;
        for (int i = 0, n = 1 + Below(3); i < n; ++i) states.Set(Below(highest + 1));
        return states;
    }
    std::mt19937 engine;
};

TokenEnd RandomEnd(SyntaxScheme& scheme, Random& random) {
    TokenEnd end;
    end.Present = random.Chance(90);
    end.Include = random.Chance(50);
    end.Count = static_cast<uint8_t>(random.Below(4));
    for (int i = 0; i < end.Count; ++i) end.Groups[i] = scheme.AddCharGroup(random.Group());
    return end;
}

// Tokens with group bodies and ends, recognizers, keywords with handlers, state changes with
// pushes, pops and containers, own tables: over states 0-3 and 70 (past the first word).
void BuildRandomScheme(SyntaxScheme& scheme, Random& random) {
    scheme.Reset();
    scheme.SetCaseSensitive(random.Chance(50));
    const int states[] = {0, 1, 2, 3, 70};
    for (int i = 0; i < 8; ++i) {
        TokenDef def;
        if (random.Chance(15)) {
            def = RecognizerToken(scheme, random.Chance(50) ? rcHtmlString : rcIdentifier, 0);
        } else {
            def.Start = GroupPart(scheme.AddCharGroup(random.Group()));
            def.Body = GroupPart(scheme.AddCharGroup(random.Group()), random.Chance(50));
            def.End = RandomEnd(scheme, random);
        }
        def.Value = static_cast<uint8_t>(1 + random.Below(12));
        def.Valid = random.Chance(70) ? StateSet::All() : random.States(3);
        const int state = random.Chance(60) ? SyntaxScheme::kDefaultTable : states[random.Below(5)];
        scheme.AddToken(def, state);
    }
    for (int i = 0; i < 6; ++i) {
        const std::string word = random.Text(1 + random.Below(3));
        const int32_t end = random.Chance(50) ? -1 : scheme.AddCharGroup(random.Group());
        const auto value = static_cast<uint8_t>(20 + random.Below(6));
        try {
            scheme.AddKeyword(word, end, value, random.States(3));
        } catch (const std::exception&) {
            // a duplicate word: left out
        }
        HandlerDef handler;
        handler.Start = GroupPart(scheme.AddCharGroup(random.Group()), random.Chance(50));
        handler.End = RandomEnd(scheme, random);
        if (random.Chance(50)) scheme.SetHandler(value, handler);
    }
    for (int value = 1; value < 26; ++value) {
        if (!random.Chance(35)) continue;
        TokenStateInfo info;
        info.Add = random.States(3);
        info.Remove = random.States(3);
        if (random.Chance(20)) info.Add.Set(70);
        info.Container = random.Chance(15);
        if (random.Chance(15)) info.Stack = random.Chance(50) ? saPushAfter : saPopBefore;
        if (random.Chance(10)) info.Valid = random.States(3);
        scheme.SetTokenStateInfo(static_cast<uint8_t>(value), info);
        if (random.Chance(30)) scheme.SetContextState(static_cast<uint8_t>(value), {1});
    }
}

TEST(ScannerShortcuts, RandomSchemesScanAlikeWithAndWithoutThem) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Random random(seed);
        SyntaxScheme scheme;
        BuildRandomScheme(scheme, random);
        const std::string text = random.Text(600);
        std::vector<uint8_t> fast(text.size()), slow(text.size());
        const TextScanTotals fastTotals = ScanTextValues(scheme, text, fast.data());
        scheme.SetShortcuts(false);
        const TextScanTotals slowTotals = ScanTextValues(scheme, text, slow.data());
        ASSERT_EQ(fast, slow);
        ASSERT_EQ(fastTotals.Tokens, slowTotals.Tokens);
        ASSERT_EQ(fastTotals.Errors, slowTotals.Errors);
    }
}

// Keywords "wa", "wb", ... change the states (no stack) over 0-99, so a scan goes through far
// more sets than the scanner keeps dispatches for; 'x' has entries of its own in states 5, 70
// and 90. After each token the states and the value of an 'x' follow the plain model.
TEST(ScannerShortcuts, StatesAndTablesFollowTheModelThroughManySets) {
    Random random(7);
    SyntaxScheme scheme;
    std::vector<TokenStateInfo> changes;
    for (int i = 0; i < 26; ++i) {
        const auto value = static_cast<uint8_t>(100 + i);
        scheme.AddKeyword(std::string("w") + char('a' + i), -1, value, StateSet::All());
        TokenStateInfo info;
        info.Add = random.States(99);
        info.Remove = random.States(99);
        scheme.SetTokenStateInfo(value, info);
        changes.push_back(info);
    }
    const int32_t x = scheme.AddCharGroup(CharGroup::Of("x"));
    const int32_t none = scheme.AddCharGroup(CharGroup{});
    const auto entry = [&](uint8_t value) {
        return GroupToken(x, none, false, GroupEnd({}, false), value, StateSet::All());
    };
    scheme.AddToken(entry(1));
    scheme.AddToken(entry(5), 5);
    scheme.AddToken(entry(70), 70);
    scheme.AddToken(entry(90), 90);
    const auto expectedX = [](const StateSet& active) -> uint8_t {
        for (int state : {5, 70, 90})
            if (active.Test(state)) return static_cast<uint8_t>(state);
        return active.Empty() ? 0 : 1;
    };

    std::string line;
    std::vector<int> words;
    for (int i = 0; i < 4000; ++i) {
        words.push_back(random.Below(26));
        line += std::string("w") + char('a' + words.back()) + "x";
    }
    scheme.SetLineContext(0);
    StateSet model{0};
    TextCursor cursor(line);
    int32_t length = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        SCOPED_TRACE(i);
        const uint8_t value = scheme.ScanToken(cursor, length);
        if (model.Empty()) {
            ASSERT_EQ(value, 0);  // no word is valid in no state: 'w' alone, then 'a'..'z'
            scheme.ScanToken(cursor, length);
        } else {
            ASSERT_EQ(value, 100 + words[i]);
            model |= changes[words[i]].Add;
            model -= changes[words[i]].Remove;
        }
        ASSERT_EQ(scheme.ActiveStates(), model);
        ASSERT_EQ(scheme.ScanToken(cursor, length), expectedX(model));
    }
}

// A scan that goes back and forth between a few sets makes the dispatch of each once, also
// when the sets differ only in high state numbers (a style sheet's 10+50, 10+52, 10+53).
TEST(ScannerShortcuts, SetsVisitedAgainKeepTheirDispatch) {
    const std::vector<std::vector<StateSet>> groups = {
        {StateSet{0}, StateSet{10, 50}, StateSet{10, 52}, StateSet{10, 53}},
        {StateSet{60}, StateSet{61}, StateSet{62}, StateSet{63}},
        {StateSet{0, 200}, StateSet{0, 201}, StateSet{0, 202}, StateSet{0, 203}},
        {StateSet{1}, StateSet{2}, StateSet{3}, StateSet{4}, StateSet{5}},
    };
    for (const std::vector<StateSet>& sets : groups) {
        SyntaxScheme scheme;
        std::string line;
        for (size_t i = 0; i < sets.size(); ++i) {
            const auto value = static_cast<uint8_t>(100 + i);
            scheme.AddKeyword(std::string(1, static_cast<char>('a' + i)), -1, value,
                              StateSet::All());
            TokenStateInfo info;
            info.Add = sets[i];
            info.Remove = StateSet::All();
            info.Remove -= sets[i];
            scheme.SetTokenStateInfo(value, info);
        }
        for (int round = 0; round < 50; ++round)
            for (size_t i = 0; i < sets.size(); ++i) line += static_cast<char>('a' + i);
        scheme.SetLineContext(0);
        const int64_t before = scheme.DispatchesMade();
        TextCursor cursor(line);
        int32_t length = 0;
        while (!cursor.AtEnd()) scheme.ScanToken(cursor, length);
        EXPECT_EQ(scheme.ActiveStates(), sets.back());
        EXPECT_LE(scheme.DispatchesMade() - before, static_cast<int64_t>(sets.size()))
            << "sets from " << sets.front().Lowest();
    }
}

TEST(ScannerShortcuts, TablesChangedAfterAScanApplyToTheNextOne) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    auto values = [&](std::string_view text) {
        std::vector<uint8_t> out(text.size());
        ScanTextValues(scheme, text, out.data());
        return out;
    };
    EXPECT_EQ(values("abc"), std::vector<uint8_t>(3, mvIdent));

    scheme.AddKeyword("abc", -1, 40);
    EXPECT_EQ(values("abc"), std::vector<uint8_t>(3, 40)) << "a new word";

    scheme.SetCaseSensitive(false);
    EXPECT_EQ(values("ABC"), std::vector<uint8_t>(3, 40)) << "a new case rule";

    const int32_t any = scheme.AddCharGroup(CharGroup::Any());
    scheme.AddToken(GroupToken(any, any, true, GroupEnd({}, false), 41, StateSet{6}), 6);
    EXPECT_EQ(values("x y"), (std::vector<uint8_t>{mvIdent, mvBlank, mvIdent}));
    TokenStateInfo enter;
    enter.Add = StateSet{6};
    enter.Remove = StateSet{0};
    scheme.SetTokenStateInfo(mvBlank, enter);
    EXPECT_EQ(values("x y"), (std::vector<uint8_t>{mvIdent, mvBlank, 41}))
        << "a state change on a value that had none, into an own table";

    TokenStateInfo refused;
    refused.Valid = StateSet{9};
    scheme.SetTokenStateInfo(mvBlank, refused);
    EXPECT_EQ(values("x y"), (std::vector<uint8_t>{mvIdent, 0, mvIdent})) << "a new state change";
}

// The longest word whose states meet the active ones and whose end group admits the next
// character (0 at the end); of equal words the first added.
KeywordMatch LongestWord(const std::vector<KeywordEntry>& entries, const CharGroupManager& groups,
                         bool caseSensitive, std::string_view text, const StateSet& active) {
    const auto fold = [&](char c) {
        return !caseSensitive && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    };
    KeywordMatch best;
    for (const KeywordEntry& entry : entries) {
        const std::string& word = entry.Word;
        if (word.size() > text.size() || static_cast<int32_t>(word.size()) <= best.Length) continue;
        if (!std::equal(word.begin(), word.end(), text.begin(),
                        [&](char a, char b) { return fold(a) == fold(b); }))
            continue;
        const auto next = static_cast<uint8_t>(word.size() < text.size() ? text[word.size()] : 0);
        if (!entry.States.Intersects(active)) continue;
        if (entry.EndGroup >= 0 && !groups.Get(entry.EndGroup).Admits(next)) continue;
        best = KeywordMatch{true, entry.Value, static_cast<int32_t>(word.size())};
    }
    return best;
}

TEST(ScannerShortcuts, KeywordLookupFindsTheLongestValidWord) {
    for (bool caseSensitive : {true, false}) {
        SCOPED_TRACE(caseSensitive);
        Random random(caseSensitive ? 11 : 12);
        CharGroupManager groups;
        SyntaxKeywords words(groups, caseSensitive);
        // Short words over many letters, so nodes get more children than a sibling list
        // keeps; states reach past 64.
        const std::string letters = "abcdefghijkABCDEFGHIJK<";
        auto word = [&] {
            std::string text;
            for (int i = 0, n = 1 + random.Below(3); i < n; ++i)
                text += letters[random.Below(static_cast<int>(letters.size()))];
            return text;
        };
        for (int i = 0; i < 400; ++i) {
            const int32_t end = random.Chance(50) ? -1 : groups.Intern(random.Group());
            try {
                words.Add(word(), end, static_cast<uint8_t>(random.Below(256)), random.States(100));
            } catch (const std::exception&) {
                // a duplicate word: left out
            }
        }
        for (int i = 0; i < 5000; ++i) {
            const std::string text = word() + word();
            const StateSet active = random.States(100);
            TextCursor cursor(text);
            const KeywordMatch got = words.Lookup(cursor, active);
            const KeywordMatch expected =
                LongestWord(words.Entries(), groups, caseSensitive, text, active);
            ASSERT_EQ(got.Found, expected.Found) << text;
            ASSERT_EQ(got.Length, expected.Length) << text;
            ASSERT_EQ(got.Value, expected.Value) << text;
            ASSERT_EQ(cursor.Position(), got.Length);
            if (got.Found) {
                ASSERT_TRUE(words.MayStartWith(static_cast<uint8_t>(text[0]), active));
            }
        }
    }
}

// Long lines: runs of one character group, words and strings longer than the scanner's
// sixteen-byte steps. Values with and without shortcuts; the same text with its line ends
// written as CR, LF or CR LF (both bytes of a pair get the line end's value).
TEST(ScannerShortcuts, LongLinesScanAlikeWithAndWithoutThemUnderAnyLineEnds) {
    constexpr std::string_view kPieces[] = {"aaaaaaaaaaaaaaaaaaaaaaaaaa",
                                            "\"bbbbbbbbbbbbbbbbbbbbbbbbb\"",
                                            "\"ab<>/-= ab<>/-= ab",
                                            " ",
                                            "<",
                                            ">",
                                            "/",
                                            "-",
                                            "=",
                                            "\r",
                                            "ab",
                                            "\""};
    for (uint32_t seed = 1; seed <= 100; ++seed) {
        SCOPED_TRACE(seed);
        Random random(seed);
        SyntaxScheme scheme;
        BuildRandomScheme(scheme, random);
        std::string text;
        for (int i = 0; i < 80; ++i)
            text += kPieces[random.Below(static_cast<int>(std::size(kPieces)))];
        std::vector<uint8_t> fast(text.size()), slow(text.size());
        const TextScanTotals fastTotals = ScanTextValues(scheme, text, fast.data());
        scheme.SetShortcuts(false);
        const TextScanTotals slowTotals = ScanTextValues(scheme, text, slow.data());
        ASSERT_EQ(fast, slow);
        ASSERT_EQ(fastTotals.Tokens, slowTotals.Tokens);
        ASSERT_EQ(fastTotals.Lines, slowTotals.Lines);

        scheme.SetShortcuts(true);
        std::string ends;
        std::vector<size_t> where;  // the offset in `ends` of each byte of `text`
        for (char c : text) {
            where.push_back(ends.size());
            if (c != '\r') {
                ends += c;
                continue;
            }
            // A lone LF right after a lone CR would join it into one line end.
            int style = random.Below(3);
            if (style == 1 && !ends.empty() && ends.back() == '\r') style = 2;
            ends += style == 1 ? "\n" : style == 2 ? "\r\n" : "\r";
        }
        std::vector<uint8_t> written(ends.size());
        const TextScanTotals writtenTotals = ScanTextValues(scheme, ends, written.data());
        ASSERT_EQ(writtenTotals.Tokens, fastTotals.Tokens);
        for (size_t i = 0; i < text.size(); ++i) {
            ASSERT_EQ(written[where[i]], fast[i]) << "byte " << i;
            if (ends.compare(where[i], 2, "\r\n") == 0) ASSERT_EQ(written[where[i] + 1], fast[i]);
        }
    }
}

// The quoted-string recognizers against a character-by-character model: from every start in
// random texts of quotes, backslashes, CRs and long runs.
TEST(ScannerShortcuts, QuotedStringsEndWhereTheModelEnds) {
    struct Form {
        int32_t Entry;
        char Quote;
        bool Escapes;
        bool Doubled;
    };
    const Form forms[] = {{rcHtmlString, '"', false, false},
                          {rcCString, '"', true, false},
                          {rcCChar, '\'', true, false},
                          {rcCStringSingleQuote, '\'', true, false},
                          {rcPascalString, '\'', false, true}};
    const auto model = [](std::string_view text, int32_t start, const Form& form) -> int32_t {
        if (start >= static_cast<int32_t>(text.size()) || text[start] != form.Quote) return -1;
        size_t at = start + 1;
        while (at < text.size() && text[at] != '\r') {
            const char c = text[at++];
            if (c == form.Quote) {
                if (form.Doubled && at < text.size() && text[at] == form.Quote) {
                    ++at;
                    continue;
                }
                break;
            }
            if (form.Escapes && c == '\\' && at < text.size() && text[at] != '\r') ++at;
        }
        return static_cast<int32_t>(at);
    };
    constexpr std::string_view kPieces[] = {"\"", "'", "\\", "\r", "x", "xxxxxxxxxxxxxxxxxxx", " "};
    Random random(5);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0, n = random.Below(30); i < n; ++i)
            text += kPieces[random.Below(static_cast<int>(std::size(kPieces)))];
        for (const Form& form : forms) {
            for (int32_t start = 0; start <= static_cast<int32_t>(text.size()); ++start) {
                TextCursor cursor(text, start);
                int32_t length = 3;
                const bool accepted = RunRecognizer(form.Entry, cursor, length);
                const int32_t end = model(text, start, form);
                ASSERT_EQ(accepted, end >= 0) << text << " from " << start;
                ASSERT_EQ(cursor.Position(), accepted ? end : start) << text << " from " << start;
                ASSERT_EQ(length, accepted ? 3 + end - start : 3);
            }
        }
    }
}

// A keyword decided by its first two characters gives what a lookup gives, for every pair.
TEST(ScannerShortcuts, WordsDecidedByTwoCharactersMatchTheLookup) {
    for (bool caseSensitive : {true, false}) {
        SCOPED_TRACE(caseSensitive);
        Random random(caseSensitive ? 21 : 22);
        CharGroupManager groups;
        SyntaxKeywords words(groups, caseSensitive);
        const std::string letters = "abcdefgABCDEFG<";
        for (int i = 0; i < 120; ++i) {
            std::string word;
            for (int k = 0, n = 1 + random.Below(3); k < n; ++k)
                word += letters[random.Below(static_cast<int>(letters.size()))];
            const int32_t end = random.Chance(50) ? -1 : groups.Intern(random.Group());
            try {
                words.Add(word, end, static_cast<uint8_t>(random.Below(256)), random.States(100));
            } catch (const std::exception&) {
                // a duplicate word: left out
            }
        }
        for (int i = 0; i < 40; ++i) {
            const StateSet active = random.States(100);
            for (char first : letters) {
                const auto c = static_cast<uint8_t>(first);
                if (!words.MayStartWith(c, active)) continue;
                for (int next = 0; next < 256; ++next) {
                    int16_t value = 0;
                    if (!words.DecidedBySecond(c, static_cast<uint8_t>(next), active, value))
                        continue;
                    for (const char third : std::string_view("aA< ")) {
                        const std::string text = {first, static_cast<char>(next), third};
                        TextCursor cursor(text);
                        const KeywordMatch got = words.Lookup(cursor, active);
                        ASSERT_EQ(got.Found, value >= 0) << text;
                        if (got.Found) {
                            ASSERT_EQ(got.Length, 1) << text;
                            ASSERT_EQ(got.Value, value) << text;
                        }
                    }
                }
            }
        }
    }
}

// Random schemes whose lines hand states on: a text cut into pieces scanned at once (each
// from a guessed start, put right afterwards) gives every byte the effect and the same totals
// a single scan gives, for any number of pieces and any line ends.
TEST(ScannerShortcuts, TextScannedInPiecesAtOnceGivesTheSingleScan) {
    std::array<uint8_t, 256> effects{};
    for (int v = 0; v < 256; ++v) effects[v] = static_cast<uint8_t>(v * 7 + 3);
    for (uint32_t seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        Random random(seed);
        SyntaxScheme whole;
        BuildRandomScheme(whole, random);
        std::string text = random.Text(400 + random.Below(400));
        for (char& c : text)
            if (c == '\r' && random.Chance(30)) c = '\n';
        if (random.Chance(30)) text += "\r\n";
        std::vector<uint8_t> expected(text.size());
        const TextScanTotals single = ScanTextEffects(whole, effects, text, expected.data());

        for (size_t parts = 1; parts <= 5; ++parts) {
            SCOPED_TRACE(parts);
            std::vector<std::unique_ptr<SyntaxScheme>> copies(parts);
            const auto schemeFor = [&](size_t piece) -> SyntaxScheme& {
                Random again(seed);
                copies[piece] = std::make_unique<SyntaxScheme>();
                BuildRandomScheme(*copies[piece], again);
                return *copies[piece];
            };
            std::vector<uint8_t> got(text.size(), 0xEE);
            const TextScanTotals totals = ScanTextEffectsInParallel(
                parts, schemeFor, effects, text,
                [&](size_t offset, const uint8_t* bytes, size_t size) {
                    EXPECT_LE(offset + size, got.size());
                    std::copy(bytes, bytes + size, got.begin() + static_cast<ptrdiff_t>(offset));
                    return true;
                });
            ASSERT_EQ(got, expected);
            ASSERT_EQ(totals.Lines, single.Lines);
            ASSERT_EQ(totals.Tokens, single.Tokens);
            ASSERT_EQ(totals.Errors, single.Errors);
            ASSERT_TRUE(totals.Written);
        }
    }
}

// A comment that runs over many thousand lines past the cuts: the pieces after them are put
// right line by line as far as their first lines were recorded, and past that as a whole.
TEST(ScannerShortcuts, CommentOverManyLinesAcrossThePiecesGivesTheSingleScan) {
    std::array<uint8_t, 256> effects{};
    for (int v = 0; v < 256; ++v) effects[v] = static_cast<uint8_t>(v + 1);
    for (const std::string_view end : {"\r", "\n", "\r\n"}) {
        std::string text;
        for (int i = 0; i < 2000; ++i) text += "a 1" + std::string(end);
        text += "b /* x" + std::string(end);
        for (int i = 0; i < 12000; ++i) text += (i % 7 == 0 ? "* y" : "y") + std::string(end);
        text += "*/ c" + std::string(end);
        for (int i = 0; i < 3000; ++i) text += "d 22 /* e */" + std::string(end);
        SyntaxScheme whole;
        BuildMiniScheme(whole);
        std::vector<uint8_t> expected(text.size());
        const TextScanTotals single = ScanTextEffects(whole, effects, text, expected.data());
        for (size_t parts = 2; parts <= 4; ++parts) {
            SCOPED_TRACE(parts);
            std::vector<std::unique_ptr<SyntaxScheme>> copies(parts);
            std::vector<uint8_t> got(text.size(), 0xEE);
            const TextScanTotals totals = ScanTextEffectsInParallel(
                parts,
                [&](size_t piece) -> SyntaxScheme& {
                    copies[piece] = std::make_unique<SyntaxScheme>();
                    BuildMiniScheme(*copies[piece]);
                    return *copies[piece];
                },
                effects, text,
                [&](size_t offset, const uint8_t* bytes, size_t size) {
                    std::copy(bytes, bytes + size, got.begin() + static_cast<ptrdiff_t>(offset));
                    return true;
                });
            ASSERT_EQ(got, expected);
            ASSERT_EQ(totals.Lines, single.Lines);
            ASSERT_EQ(totals.Tokens, single.Tokens);
            ASSERT_EQ(totals.Errors, single.Errors);
        }
    }
}

}  // namespace
}  // namespace quinkle

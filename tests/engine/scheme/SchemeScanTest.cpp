// The scanner: tokens, keywords, handlers, recognizers and state changes on single lines.
#include <gtest/gtest.h>

#include "SchemeTestKit.h"
#include "engine/scheme/SchemeErrors.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

using namespace testkit;

class SchemeScanTest : public ::testing::Test {
protected:
    void SetUp() override { BuildMiniScheme(m_scheme); }
    SyntaxScheme m_scheme;
};

TEST_F(SchemeScanTest, CharacterStartingNothingIsOneCharacterOfValueZero) {
    EXPECT_EQ(Tokens(m_scheme, "a@@b"),
              (TokenList{{"a", mvIdent}, {"@", 0}, {"@", 0}, {"b", mvIdent}}));
    EXPECT_EQ(Tokens(m_scheme, "12.5e3 x\r"),
              (TokenList{{"12.5e3", mvNumber}, {" ", mvBlank}, {"x", mvIdent}, {"\r", mvBlank}}));
    TextCursor end("");
    int32_t length = 9;
    EXPECT_EQ(m_scheme.ScanToken(end, length), 0);
    EXPECT_EQ(length, 0);
}

TEST_F(SchemeScanTest, KeywordOfAnotherStateFallsThroughToTheTables) {
    m_scheme.AddKeyword("only", -1, 9, StateSet{3});
    EXPECT_EQ(Tokens(m_scheme, "only"), (TokenList{{"only", mvIdent}}));
    m_scheme.SetActiveStates(StateSet{3});
    TextCursor cursor("only");
    int32_t length = 0;
    EXPECT_EQ(m_scheme.ScanToken(cursor, length), 9);
    EXPECT_EQ(length, 4);
}

TEST_F(SchemeScanTest, CaseRuleOfKeywords) {
    EXPECT_EQ(Tokens(m_scheme, "BEGIN"), (TokenList{{"BEGIN", mvIdent}}));
    SyntaxScheme insensitive;
    BuildMiniScheme(insensitive, false);
    EXPECT_EQ(Tokens(insensitive, "BEGIN;"), (TokenList{{"BEGIN", mvKeyword}, {";", 0}}));
}

TEST_F(SchemeScanTest, EndGroupKeepsWordsInsideLongerWords) {
    EXPECT_EQ(Tokens(m_scheme, "beginning begin"),
              (TokenList{{"beginning", mvIdent}, {" ", mvBlank}, {"begin", mvKeyword}}));
    EXPECT_EQ(Tokens(m_scheme, "end_x end"),
              (TokenList{{"end_x", mvIdent}, {" ", mvBlank}, {"end", mvKeyword}}));
}

TEST_F(SchemeScanTest, LineContextFromTheValueBefore) {
    m_scheme.SetStartStates(StateSet{0, 3});
    m_scheme.SetLineContext(mvIdent);  // no ContextState entry: the start set
    EXPECT_EQ(m_scheme.ActiveStates(), (StateSet{0, 3}));
    m_scheme.SetLineContext(mvComment);
    EXPECT_EQ(m_scheme.ActiveStates(), StateSet{1});
    EXPECT_EQ(Tokens(m_scheme, "a b */ c", mvComment),
              (TokenList{{"a b ", mvComment}, {"*/", mvClose}, {" ", mvBlank}, {"c", mvIdent}}));
    EXPECT_EQ(Tokens(m_scheme, "* x", mvOpen), (TokenList{{"*", mvComment}, {" x", mvComment}}));
}

TEST_F(SchemeScanTest, TokenRefusedByItsStateInfoIsOneCharacterOfValueZero) {
    TokenStateInfo info;
    info.Valid = StateSet{7};
    m_scheme.SetTokenStateInfo(mvNumber, info);
    EXPECT_EQ(Tokens(m_scheme, "12 x"),
              (TokenList{{"1", 0}, {"2", 0}, {" ", mvBlank}, {"x", mvIdent}}));
}

TEST_F(SchemeScanTest, PopOnEmptyStackFailsWithStackUnderflow) {
    TokenStateInfo info;
    info.Stack = saPopBefore;
    m_scheme.SetTokenStateInfo(mvKeyword, info);
    m_scheme.SetLineContext(0);
    TextCursor cursor("end");
    int32_t length = 0;
    try {
        m_scheme.ScanToken(cursor, length);
        FAIL();
    } catch (const ESourceEditor& e) {
        EXPECT_STREQ(e.what(), "Stack underflow");
    }
}

TEST_F(SchemeScanTest, PushAndPopRestoreTheStates) {
    m_scheme.AddKeyword("{", -1, 30, StateSet{0, 4});
    m_scheme.AddKeyword("}", -1, 31, StateSet{0, 4});
    m_scheme.AddKeyword("x", -1, 32, StateSet{4});
    TokenStateInfo open;
    open.Stack = saPushBefore;
    open.Add = StateSet{4};
    open.Remove = StateSet{0};
    m_scheme.SetTokenStateInfo(30, open);
    TokenStateInfo close;
    close.Stack = saPopAfter;
    m_scheme.SetTokenStateInfo(31, close);
    EXPECT_EQ(
        Tokens(m_scheme, "{{x}x}x"),
        (TokenList{
            {"{", 30}, {"{", 30}, {"x", 32}, {"}", 31}, {"x", 32}, {"}", 31}, {"x", mvIdent}}));
    EXPECT_EQ(m_scheme.StackDepth(), 0u);
    EXPECT_EQ(m_scheme.ActiveStates(), StateSet{0});
    // An unbalanced close at the line's start pops an empty stack.
    EXPECT_THROW(Tokens(m_scheme, "}", 0), ESourceEditor);
    m_scheme.SetLineContext(0);
    EXPECT_EQ(m_scheme.StackDepth(), 0u);
}

TEST_F(SchemeScanTest, HandlerEndIncludedOrLeftOut) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    scheme.AddKeyword("(*", -1, 40);
    scheme.AddKeyword("{", -1, 41);
    HandlerDef comment;
    comment.Start = GroupPart(scheme.AddCharGroup(CharGroup::Any()), true);
    comment.End = GroupEnd(
        {scheme.AddCharGroup(CharGroup::Of("*")), scheme.AddCharGroup(CharGroup::Of(")"))}, true);
    EXPECT_TRUE(scheme.SetHandler(40, comment));
    EXPECT_FALSE(scheme.SetHandler(40, comment));
    HandlerDef brace = comment;
    brace.End = GroupEnd({scheme.AddCharGroup(CharGroup::Of("}"))}, false);
    scheme.SetHandler(41, brace);
    EXPECT_EQ(Tokens(scheme, "(* a *)b"), (TokenList{{"(* a *)", 40}, {"b", mvIdent}}));
    EXPECT_EQ(Tokens(scheme, "(**)b"), (TokenList{{"(**)", 40}, {"b", mvIdent}}));
    EXPECT_EQ(Tokens(scheme, "(* open"), (TokenList{{"(* open", 40}}));
    EXPECT_EQ(Tokens(scheme, "{ a }b"), (TokenList{{"{ a ", 41}, {"}", 0}, {"b", mvIdent}}));
}

TEST_F(SchemeScanTest, HandlerWithWholeTokenRecognizerOrNoEnd) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    scheme.AddKeyword("//", -1, 43);
    HandlerDef line;
    line.Start.IsRecognizer = true;
    line.Start.Number = rcJsLineComment;
    scheme.SetHandler(43, line);
    EXPECT_EQ(
        Tokens(scheme, "// x --> y"),
        (TokenList{{"// x ", 43}, {"-", 0}, {"-", 0}, {">", 0}, {" ", mvBlank}, {"y", mvIdent}}));
    // A body without an end takes one step; a refused step refuses the whole token.
    scheme.AddKeyword("0x", -1, 44);
    HandlerDef hex;
    hex.Start = GroupPart(scheme.AddCharGroup(CharGroup::Of("0123456789abcdef")));
    scheme.SetHandler(44, hex);
    EXPECT_EQ(Tokens(scheme, "0xff"), (TokenList{{"0xf", 44}, {"f", mvIdent}}));
    EXPECT_EQ(Tokens(scheme, "0xz"), (TokenList{{"0", 0}, {"xz", mvIdent}}));
}

TEST_F(SchemeScanTest, BodyAndEndNumbersSelectRecognizerSevenHigher) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    int32_t quote = scheme.AddCharGroup(CharGroup::Of("'"));
    TokenDef pascal;
    pascal.Start = GroupPart(quote);
    pascal.Body.IsRecognizer = true;
    pascal.Body.Number = 0;  // one Pascal string character
    pascal.End = GroupEnd({quote}, true);
    pascal.Value = 50;
    pascal.Valid = StateSet{0};
    ASSERT_TRUE(scheme.AddToken(pascal));
    EXPECT_FALSE(scheme.AddToken(pascal));
    EXPECT_EQ(Tokens(scheme, "'ab'x"), (TokenList{{"'ab'", 50}, {"x", mvIdent}}));

    SyntaxScheme other;
    BuildMiniScheme(other);
    TokenDef bad = pascal;
    bad.Start.Group = other.AddCharGroup(CharGroup::Of("'"));
    bad.End.Groups[0] = bad.Start.Group;
    bad.Body.Number = 14;  // entry 21 does not exist: never accepts
    other.AddToken(bad);
    // Refused at once; a start at the end of the text completes.
    EXPECT_EQ(Tokens(other, "'a'"), (TokenList{{"'", 0}, {"a", mvIdent}, {"'", 50}}));
}

TEST_F(SchemeScanTest, ExtraKeywordTables) {
    KeywordTableDef table;
    table.States = StateSet{0};
    table.EndGroup = m_scheme.AddCharGroup(CharGroup::Range('a', 'z', true));
    table.Words = {{60, "read"}, {61, "write"}};
    m_scheme.AddKeywordTable(table);
    TokenStateInfo never;
    never.Valid = StateSet{99};
    m_scheme.SetTokenStateInfo(60, never);  // words of extra tables skip the valid test
    EXPECT_EQ(Tokens(m_scheme, "READ reads"),
              (TokenList{{"READ", 60}, {" ", mvBlank}, {"reads", mvIdent}}));

    KeywordTableDef overlapping = table;
    overlapping.States = StateSet{0, 1};
    try {
        m_scheme.AddKeywordTable(overlapping);
        FAIL();
    } catch (const EKeywords& e) {
        EXPECT_STREQ(e.what(), "Ambiguous key table state definition");
    }
    KeywordTableDef replacing = table;
    replacing.Words = {{62, "stored"}};
    m_scheme.AddKeywordTable(replacing);
    EXPECT_EQ(Tokens(m_scheme, "read stored")[2], (std::pair<std::string, int>{"stored", 62}));
    EXPECT_EQ(Tokens(m_scheme, "read")[0].second, mvIdent);
    for (int i = 1; i < 20; ++i) {
        KeywordTableDef more;
        more.States = StateSet{100 + i};
        m_scheme.AddKeywordTable(more);
    }
    KeywordTableDef tooMany;
    tooMany.States = StateSet{200};
    EXPECT_THROW(m_scheme.AddKeywordTable(tooMany), EKeywords);
    EXPECT_EQ(m_scheme.KeywordTables().size(), 20u);
}

TEST_F(SchemeScanTest, CustomParseDecidesMatchBodies) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    scheme.AddKeyword("$", -1, 70);
    HandlerDef custom;
    custom.Start.Match = true;
    custom.Start.Number = 5;
    scheme.SetHandler(70, custom);
    EXPECT_TRUE(scheme.HasCustomMatch());
    EXPECT_EQ(Tokens(scheme, "$ab"), (TokenList{{"$", 0}, {"ab", mvIdent}}));
    int calls = 0;
    scheme.OnCustomParse = [&](SyntaxScheme&, int32_t id, TextCursor& stream, int32_t& length,
                               uint8_t& value) {
        ++calls;
        EXPECT_EQ(id, 5);
        while (stream.Current() == 'a') {
            stream.Advance();
            ++length;
        }
        value = 71;
        return length > 1;
    };
    EXPECT_EQ(Tokens(scheme, "$aab"), (TokenList{{"$aa", 71}, {"b", mvIdent}}));
    EXPECT_EQ(Tokens(scheme, "$b"), (TokenList{{"$", 0}, {"b", mvIdent}}));
    EXPECT_EQ(calls, 2);
}

TEST_F(SchemeScanTest, OwnStartTableOfTheLowestActiveState) {
    int32_t digits = m_scheme.AddCharGroup(CharGroup::Range('0', '9'));
    int32_t none = m_scheme.AddCharGroup(CharGroup{});
    ASSERT_TRUE(m_scheme.AddToken(GroupToken(digits, none, false, GroupEnd({}, false), 80, {}), 9));
    EXPECT_TRUE(m_scheme.OwnTableStates().Test(9));
    EXPECT_TRUE(m_scheme.StartEntry(9, '5')->Valid.Test(9));
    m_scheme.SetActiveStates(StateSet{1, 9});  // state 1's table comes first
    TextCursor cursor("5");
    int32_t length = 0;
    EXPECT_EQ(m_scheme.ScanToken(cursor, length), mvComment);
    m_scheme.SetActiveStates(StateSet{9, 20});
    cursor.SetPosition(0);
    EXPECT_EQ(m_scheme.ScanToken(cursor, length), 80);
}

struct RecognizerCase {
    int32_t Entry;
    const char* Text;
    int32_t Start;
    int32_t LengthBefore;
    bool Accepted;
    int32_t Taken;
};

TEST(SchemeRecognizers, EachEntryTakesWhatItShould) {
    const RecognizerCase cases[] = {
        {rcPascalChar, "ab", 0, 0, true, 1},
        {rcPascalChar, "''x", 0, 0, true, 2},
        {rcPascalChar, "'x", 0, 0, false, 0},
        {rcPascalChar, "\r", 0, 0, false, 0},
        {rcWebChar, "http://a.b/c. x", 0, 0, true, 12},
        {rcWebChar, ". x", 0, 0, false, 0},
        {rcWebChar, "a?b=1&c=%", 0, 0, true, 8},
        {rcOriginalChar, "rest of it\rx", 0, 0, true, 10},
        {rcOriginalChar, "ab rest\r", 3, 0, false, 0},
        {rcOriginalChar, "ab rest\r", 3, 3, true, 4},
        {rcIdentifier, "_a1 b", 0, 0, true, 3},
        {rcIdentifier, "1a", 0, 0, false, 0},
        {rcNumberOrFP, "12.5e3x", 0, 0, true, 6},
        {rcNumberOrFP, "5.x", 0, 0, true, 1},
        {rcNumberOrFP, ".5", 0, 0, true, 2},
        {rcNumberOrFP, "1e", 0, 0, true, 1},
        {rcNumberOrFP, "1e-5", 0, 0, true, 1},
        {rcNumberOrFP, ".x", 0, 0, false, 0},
        {rcPascalString, "'it''s' x", 0, 0, true, 7},
        {rcPascalString, "'abc\rd'", 0, 0, true, 4},
        {rcCString, "\"a\\\"b\" x", 0, 0, true, 6},
        {rcCString, "\"ab\\\r", 0, 0, true, 4},
        {rcCChar, "'\\''", 0, 0, true, 4},
        {rcCChar, "\"x\"", 0, 0, false, 0},
        {rcCNumberOrFPSigned, "-1.5e-3 ", 0, 0, true, 7},
        {rcCNumberOrFPSigned, "+x", 0, 0, false, 0},
        {rcCNumberOrFPSigned, "1E+2", 0, 0, true, 4},
        {rcNumber, "123a", 0, 0, true, 3},
        {rcNumber, "a", 0, 0, false, 0},
        {rcMailUrl, "joe.b@example.com. x", 0, 0, true, 17},
        {rcMailUrl, "example.com", 0, 0, false, 0},
        {rcHtmlString, "\"a\\\"b", 0, 0, true, 4},
        {rcHtmlString, "\"ab\rc\"", 0, 0, true, 3},
        {rcJsLineComment, "// c --> x", 0, 0, true, 5},
        {rcJsLineComment, "// a - b\r", 0, 0, true, 8},
        {rcJsLineComment, "x--->", 0, 0, true, 1},
        {rcJsLineComment, "a->b", 0, 0, true, 4},
        {rcCStringSingleQuote, "'a\\'b' ", 0, 0, true, 6},
        {6, "abc", 0, 0, false, 0},
        {21, "abc", 0, 0, false, 0},
    };
    for (const RecognizerCase& c : cases) {
        TextCursor cursor(c.Text, c.Start);
        int32_t length = c.LengthBefore;
        bool accepted = RunRecognizer(c.Entry, cursor, length);
        SCOPED_TRACE(std::to_string(c.Entry) + " over '" + c.Text + "'");
        EXPECT_EQ(accepted, c.Accepted);
        EXPECT_EQ(cursor.Position() - c.Start, c.Taken);
        EXPECT_EQ(length - c.LengthBefore, c.Taken);
    }
}

TEST(SchemeRecognizers, FirstCharacters) {
    EXPECT_TRUE(RecognizerFirstChars(rcIdentifier).Contains('_'));
    EXPECT_FALSE(RecognizerFirstChars(rcIdentifier).Contains('1'));
    EXPECT_TRUE(RecognizerFirstChars(rcCNumberOrFPSigned).Contains('-'));
    EXPECT_TRUE(RecognizerFirstChars(rcNumberOrFP).Contains('.'));
    EXPECT_TRUE(RecognizerFirstChars(rcJsLineComment).Contains('/'));
    EXPECT_TRUE(RecognizerFirstChars(rcMailUrl).Contains('7'));
    EXPECT_TRUE(RecognizerFirstChars(rcPascalChar).Empty());
}

}  // namespace
}  // namespace quinkle

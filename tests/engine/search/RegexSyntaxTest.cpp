// Compiling expressions: every error message, and the node programs of typical patterns.
#include <gtest/gtest.h>

#include "engine/search/REParser.h"

namespace quinkle {
namespace {

std::string ErrorOf(std::string_view pattern) {
    try {
        REParser parser;
        parser.Compile(pattern);
    } catch (const ERegExpError& error) {
        return error.what();
    }
    return "compiled";
}

TEST(RegexSyntax, EachFaultHasItsMessage) {
    struct Case {
        const char* Pattern;
        const char* Message;
    };
    const Case cases[] = {
        {"", "Invalid parameter"},
        {"[z-a]", "Invalid range"},
        {"[a-]", "Invalid range"},
        {"[\\d-z]", "Invalid range"},
        {"[ab", "Unmatched bracket"},
        {"[", "Unmatched bracket"},
        {"[]", "Unmatched bracket"},
        {"(ab", "Unmatched parenthesis"},
        {"ab)", "Unmatched parenthesis"},
        {"(a))", "Unmatched parenthesis"},
        {"a**", "Nested repeat"},
        {"a+?", "Nested repeat"},
        {"a{2}*", "Nested repeat"},
        {"*a", "Invalid repeat"},
        {"a|+b", "Invalid repeat"},
        {"(*)", "Invalid repeat"},
        {"{2}", "Invalid repeat"},
        {"(a*)*", "Invalid repeat"},
        {"(a|)+", "Invalid repeat"},
        {"^*", "Invalid repeat"},
        {"()?", "Invalid repeat"},
        {"\"\"*", "Invalid repeat"},
        {"a{}", "Invalid range"},
        {"a{,}", "Invalid range"},
        {"a{3,2}", "Invalid range"},
        {"a{2", "Invalid range"},
        {"a{x}", "Invalid range"},
        {"a{99999}", "Invalid range"},
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "Too many sub-expressions"},
        {"\\x", "Hex digit expected"},
        {"\\xg", "Hex digit expected"},
        {"ab\\", "Unexpected end of input"},
        {"[a\\", "Unexpected end of input"},
        {"\"abc", "' expected"},
        {"(abc){20000}", "Expression is too complex"},
        {"((a|b){100}){100}", "Expression is too complex"},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.Pattern), c.Message) << c.Pattern;
}

TEST(RegexSyntax, WellFormedPatternsCompile) {
    for (const char* pattern :
         {"a",       "a|",         "|a",   "()",         "(a)(b)(c)(d)(e)(f)(g)(h)(i)",
          "[]a]",    "[-a]",       "[^]]", "a{0}",       "a{,3}",
          "a{2,}",   "x{65535}",   "\\ ",  "\\q",        "\\0",
          "\\777",   "}",          "]",    "\"a\\\"b\"", "\"ab\"+",
          "(a|b)*c", "[\\d\\s_]+", "^$",   "a\\nb"})
        EXPECT_EQ(ErrorOf(pattern), "compiled") << pattern;
}

TEST(RegexSyntax, ErrorsPointAtTheFault) {
    try {
        REParser parser;
        parser.Compile("ab[z-a]");
        FAIL();
    } catch (const ERegExpError& error) {
        EXPECT_EQ(error.Position(), 6);
    }
}

TEST(RegexSyntax, ProgramsUseTheClassicNodes) {
    REParser parser;
    parser.Compile("<td[^>]*>");
    EXPECT_EQ(parser.Program().Dump(),
              "0 EXACTLY \"<td\"\n1 STAR [\\x00-=?-\\xFF]\n2 EXACTLY \">\"\n3 END\n");
    EXPECT_EQ(parser.Program().Prefix, "<td");

    parser.Compile("^(ab|c)+$");
    EXPECT_EQ(parser.Program().Dump(),
              "0 BOL\n1 OPEN 1\n2 BRANCH ->5\n3 EXACTLY \"ab\"\n4 JUMP ->6\n5 EXACTLY \"c\"\n"
              "6 CLOSE 1\n7 BRANCH ->15\n8 OPEN 1\n9 BRANCH ->12\n10 EXACTLY \"ab\"\n"
              "11 JUMP ->13\n12 EXACTLY \"c\"\n13 CLOSE 1\n14 BACK ->7\n15 EOL\n16 END\n");
    EXPECT_TRUE(parser.Program().AnchoredAtLineStart);

    parser.Compile("x{2,3}(yz){1,2}", false);
    EXPECT_EQ(parser.Program().Dump(),
              "0 REPEAT [Xx] {2,3}\n1 OPEN 1\n2 EXACTLY \"YZ\" nocase\n3 CLOSE 1\n"
              "4 BRANCH ->8\n5 OPEN 1\n6 EXACTLY \"YZ\" nocase\n7 CLOSE 1\n8 END\n");
}

TEST(RegexSyntax, AFailedCompileLeavesNoExpression) {
    REParser parser;
    parser.Compile("a");
    EXPECT_THROW(parser.Compile("("), ERegExpError);
    EXPECT_FALSE(parser.Compiled());
    StringReader text("a");
    EXPECT_THROW(parser.Search(text, 0, 1), ERegExpError);
}

}  // namespace
}  // namespace quinkle

// The scheme script lexer and preprocessor: directives, macros, strings, escapes, specifiers.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/scheme/CompileError.h"
#include "engine/scheme/ScriptLexer.h"
#include "engine/scheme/ScriptStrings.h"

namespace quinkle {
namespace {

/// The kinds of all tokens of `text`, strings as their raw text and numbers as their value.
std::string Tokens(const std::string& text, IncludeResolver resolver = nullptr) {
    ScriptLexer lexer(text, "/s", std::move(resolver));
    std::string out;
    for (lexer.Next(); lexer.Kind() != tkEnd; lexer.Next()) {
        if (!out.empty()) out += ' ';
        if (lexer.Kind() == tkString)
            out += "'" + lexer.Raw() + "'";
        else if (lexer.Kind() == tkNumber)
            out += std::to_string(lexer.Number());
        else
            out += "k" + std::to_string(lexer.Kind());
    }
    return out;
}

std::string ErrorOf(const std::string& text, IncludeResolver resolver = nullptr) {
    try {
        Tokens(text, std::move(resolver));
    } catch (const ESchemeCompileError& error) {
        return error.what();
    }
    return "no error";
}

TEST(ScriptLexer, CommentsAndBlanksAreSkipped) {
    EXPECT_EQ(Tokens("1 /* two\n ** */ 3 // four\n\t5\xA0 6"), "1 3 5 6");
    EXPECT_EQ(Tokens("/* unterminated"), "");
}

TEST(ScriptLexer, KeywordsMatchLongestAndNotInsideWords) {
    EXPECT_EQ(Tokens("OR or %%Words"), "k" + std::to_string(tkOr) + " k" + std::to_string(tkOr) +
                                           " k" + std::to_string(tkWords));
    EXPECT_EQ(Tokens("guttercolor"), "k" + std::to_string(tkGutterColor));
    EXPECT_EQ(ErrorOf("orange"), "** ERROR near line 1, Column 1: Identifier \"orange\" Unknown");
}

TEST(ScriptLexer, UnknownCharacterNamesItsCode) {
    EXPECT_EQ(ErrorOf("1\n  ?"),
              "** ERROR near line 2, Column 3: Unknown character in input "
              "stream: #$3f");
}

TEST(ScriptLexer, MacrosExpandAndShadowKeywords) {
    EXPECT_EQ(Tokens("#define A (1)\nA a"), "k4 1 k5 k4 1 k5");
    EXPECT_EQ(Tokens("#define or 7\nor"), "7");
    EXPECT_EQ(Tokens("clRed F12 caGOTOBOOKMARK9 __DEFAULT_OPTIONS OEM_CHARSET"),
              "255 123 39 67099632 255");
    // A definition equal to its name (ignoring case) defines nothing.
    EXPECT_EQ(ErrorOf("#define X x\nX"),
              "** ERROR near line 2, Column 1: Identifier \"X\" Unknown");
    // A later definition replaces an earlier one; trailing blanks are dropped.
    EXPECT_EQ(Tokens("#define V 1\n#define V 2   \nV"), "2");
}

TEST(ScriptLexer, RecursiveMacrosAreReportedInLowerCase) {
    EXPECT_EQ(ErrorOf("#define Self (1 + SELF)\nSelf"),
              "** ERROR near line 2, Column 10: Recursive expansion of macro 'self'");
    EXPECT_EQ(ErrorOf("#define A B\n#define B A\nA"),
              "** ERROR near line 3, Column 3: Recursive expansion of macro 'a'");
}

TEST(ScriptLexer, ExponentialExpansionIsStopped) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + " M" +
                std::to_string(i + 1) + "\n";
    text += "#define M40 1\nM0";
    EXPECT_NE(ErrorOf(text).find("Recursive expansion of macro"), std::string::npos);
}

TEST(ScriptLexer, PositionsRunThroughExpansions) {
    // The expansion's text counts as if it stood in the line.
    EXPECT_EQ(ErrorOf("#define LONG 1 2 3\nLONG ?"),
              "** ERROR near line 2, Column 11: Unknown character in input stream: #$3f");
}

TEST(ScriptLexer, Conditionals) {
    EXPECT_EQ(Tokens("#ifdef ver200\n1\n#else\n2\n#endif"), "1");
    EXPECT_EQ(Tokens("#ifndef ver200\n1\n#else\n2\n#endif"), "2");
    // A skipped region skips nested conditionals and evaluates none of their operands.
    EXPECT_EQ(Tokens("#ifdef NOPE\n#ifndef NOPE\n1\n#else\n2 ? 'x\n#endif\n3\n#else\n4\n#endif"),
              "4");
    EXPECT_EQ(Tokens("#ifdef NOPE\n#define ZZ 1\n#endif\n#ifdef ZZ\n5\n#endif 6"), "6");
    // Directives are lower-case words right after '#'.
    EXPECT_EQ(ErrorOf("#Define X 1"),
              "** ERROR near line 1, Column 1: Unknown character in input stream: #$23");
    EXPECT_EQ(ErrorOf("# define X 1"),
              "** ERROR near line 1, Column 1: Unknown character in input stream: #$23");
}

TEST(ScriptLexer, DirectiveErrors) {
    const std::map<std::string, std::string> cases = {
        {"#define 1", "** ERROR near line 1, Column 9: Macro name expected"},
        {"#ifdef (", "** ERROR near line 1, Column 8: Macro name expected after #ifdef"},
        {"#ifndef", "** ERROR near line 1, Column 8: Macro name expected after #ifdef"},
        {"1\n#endif", "** ERROR near line 2, Column 1: Script syntax error"},
        {"#else", "** ERROR near line 1, Column 1: Script syntax error"},
        {"#include x.sch",
         "** ERROR near line 1, Column 10: #include filename not enclosed in "
         "\"...\" or <...>"},
        {"#include \"x.sch\n",
         "** ERROR near line 1, Column 16: #include filename missing "
         "terminating \""},
        {"#include <x.sch",
         "** ERROR near line 1, Column 16: #include filename missing "
         "terminating >"},
        {"#include <x.sch>",
         "** ERROR near line 1, Column 1: Unable to open #include file "
         "<x.sch>"},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(ErrorOf(text), message) << text;
}

TEST(ScriptLexer, IncludesResolveBesideTheIncludingFile) {
    std::map<std::string, std::string> files = {
        {"/s/a.sch", "#include \"sub/b.sch\"\n1"},
        {"/s/sub/b.sch", "#include <c.sch>\n2"},
        {"/s/sub/c.sch", "3"},
        {"/s/self.sch", "#include \"self.sch\""},
    };
    auto resolver = [&](const std::string& path, std::string& text) {
        auto found = files.find(path);
        if (found == files.end()) return false;
        text = found->second;
        return true;
    };
    EXPECT_EQ(Tokens("#include <a.sch>\n4", resolver), "3 2 1 4");
    EXPECT_EQ(ErrorOf("#include \"self.sch\"", resolver),
              "** ERROR near line 1, Column 20: Recursive expansion of macro '-file-: "
              "/s/self.sch'");
    // Lines of an included file count as lines of the script.
    files["/s/bad.sch"] = "1\n2\n?";
    EXPECT_EQ(ErrorOf("#include <bad.sch>\n", resolver),
              "** ERROR near line 3, Column 1: Unknown character in input stream: #$3f");
}

TEST(ScriptLexer, StringsKeepEscapesRawAndJoinLines) {
    EXPECT_EQ(Tokens("'a\\'b' 'c\r\nd'"), "'a\\'b' 'c\rd'");
    EXPECT_EQ(Tokens("'joined \\\n     \\line' 'x\\\n  y'"), "'joined line' 'xy'");
    EXPECT_EQ(Tokens("'open"), "'open'");
}

TEST(ScriptStrings, Escapes) {
    EXPECT_EQ(Unescape("a\\nb"), "a\rb");
    EXPECT_EQ(Unescape("\\r\\R"), "\n\n");
    EXPECT_EQ(Unescape("\\x41\\101\\S\\T\\e\\b\\\\\\'\\q"), "AA \t\x1b\b\\'q");
    EXPECT_EQ(Unescape("\\0"), std::string(1, '\0'));
    EXPECT_EQ(Unescape("\\x4142"), "\x42");  // all hex digits count; the low byte stays
}

TEST(ScriptStrings, Specifiers) {
    std::vector<CharGroup> groups = ParseSpecifiers("a-c[^\\x01-\\s]x[\\u41-C_]");
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0], CharGroup::Range('a', 'c'));
    EXPECT_EQ(groups[1], CharGroup::Range(1, ' ', true));
    EXPECT_EQ(groups[2], CharGroup::Of("x"));
    EXPECT_EQ(groups[3], CharGroup::Of("ABC_"));
    EXPECT_TRUE(ParseSpecifiers("").empty());
    EXPECT_EQ(ParseSpecifiers("-").size(), 1u);
    EXPECT_THROW(ParseSpecifiers("z-a"), ESpecifier);
    EXPECT_THROW(ParseSpecifiers("[z-a]"), ESpecifier);
}

}  // namespace
}  // namespace quinkle

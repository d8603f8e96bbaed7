// The scheme compiler's sections: what each entry puts into the model, and every error.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SchemeDump.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {
namespace {

class SchemeCompilerTest : public ::testing::Test {
protected:
    void Compile(const std::string& script) {
        SchemeCompiler compiler(m_compiled);
        compiler.SetIncludeResolver(nullptr);
        compiler.Compile(script);
    }
    std::string ErrorOf(const std::string& script) {
        try {
            Compile(script);
        } catch (const ESchemeCompileError& error) {
            return error.what();
        }
        return "no error";
    }
    /// (length, value) of each token of one line after `context`.
    std::vector<std::pair<int, int>> Scan(std::string_view line, uint8_t context = 0) {
        SyntaxScheme& scheme = m_compiled.Scheme;
        scheme.SetLineContext(context);
        TextCursor cursor(line);
        std::vector<std::pair<int, int>> tokens;
        int32_t length = 0;
        while (!cursor.AtEnd()) {
            uint8_t value = scheme.ScanToken(cursor, length);
            tokens.emplace_back(length, value);
            if (length < 1) break;
        }
        return tokens;
    }
    SyntaxScheme& Scheme() { return m_compiled.Scheme; }
    SchemeSettings& Settings() { return m_compiled.Settings; }

    CompiledScheme m_compiled;
};

using Tokens = std::vector<std::pair<int, int>>;

TEST_F(SchemeCompilerTest, StartAnchorAndBoundSets) {
    Compile("%%language startstate = 3");
    EXPECT_EQ(Scheme().StartStates(), (StateSet{0, 3}));
    Compile("%%language startstate = [3]");
    EXPECT_EQ(Scheme().StartStates(), (StateSet{3}));
    Compile("%%language anchor = []");
    EXPECT_EQ(Scheme().GetAnchorSet(), (StateSet{0}));
    Compile("%%language anchor = [4 5] boundstates = 2 boundstates = 7");
    EXPECT_EQ(Scheme().GetAnchorSet(), (StateSet{4, 5}));
    EXPECT_EQ(Scheme().BoundStates(), (StateSet{2, 7}));
}

TEST_F(SchemeCompilerTest, ContextStatesDefaultToTheStartSet) {
    Compile("%%language startstate = [2] contextstates = (5 6 [1]), (7)");
    EXPECT_EQ(Scheme().ContextState(5), (StateSet{1}));
    EXPECT_EQ(Scheme().ContextState(6), (StateSet{1}));
    EXPECT_EQ(Scheme().ContextState(7), (StateSet{2}));
    EXPECT_EQ(Scheme().ContextState(200), (StateSet{2}));
    EXPECT_EQ(ErrorOf("%%language contextstates = (5 [1]), (6, 5)"),
              "Token value 5 re-specified in ContextState");
}

TEST_F(SchemeCompilerTest, LanguageSettings) {
    Compile(
        "%%language name = '1234567890123456789012345678901234567890' case = 0 "
        "options = __OPT_WORDWRAP or 1 wordwrapcolumn = 70 gutter = 40 indentstep = 2 "
        "seltextcolor = * clRed guttercolor = [*] 5 fontname = 'Mono' fontsize = 9 "
        "fontcharset = GREEK_CHARSET tabcolumns = '3 7' tabdefault = 2 "
        "GutterFontStyle = [fsBold, fsStrikeout]");
    EXPECT_EQ(Settings().Name, "12345678901234567890123456789012345");
    EXPECT_FALSE(Scheme().CaseSensitive());
    EXPECT_EQ(Settings().Editor.Options, 1025u);
    EXPECT_EQ(Settings().Editor.WrapAtColumn, 70);
    EXPECT_EQ(Settings().Editor.Gutter, 40);
    EXPECT_EQ(Settings().Editor.IndentStep(), 2);
    EXPECT_EQ(Settings().SelTextColor, (SchemeColor{255, true}));
    EXPECT_EQ(Settings().GutterColor, (SchemeColor{5, true}));
    EXPECT_EQ(Settings().Font.Name, "Mono");
    EXPECT_EQ(Settings().Font.CharSet, 161);
    EXPECT_EQ(Settings().Editor.TabColumns(), (std::vector<int32_t>{2, 6}));
    EXPECT_EQ(Settings().Editor.TabDefault(), 2);
    EXPECT_EQ(Settings().GutterFont.Style, 1 | 8);
}

TEST_F(SchemeCompilerTest, EditableStylesAreLimitedTo25) {
    std::string script = "%%language editablestyles = ('s', 0)";
    for (int i = 1; i < 25; ++i) script += ", ('s', 1)";
    Compile(script);
    EXPECT_EQ(m_compiled.Settings.Editor.Styles.EditableStyles.size(), 25u);
    EXPECT_EQ(ErrorOf(script + ", ('t', 2)"),
              "** ERROR near line 1, Column 279: Too many editable styles");
    EXPECT_EQ(ErrorOf("%%language editablestyles = ('s', 256)"),
              "** ERROR near line 1, Column 35: Value must be 0..255");
}

TEST_F(SchemeCompilerTest, WordsHonourCaseEndGroupAndStates) {
    Compile("%%language case = __insensitive\n%%words 'begin' '[^a-z]' 4 'x' '' 5 [3]");
    EXPECT_EQ(Scan("BEGIN"), (Tokens{{5, 4}}));
    EXPECT_EQ(Scan("beginning").front(), (std::pair<int, int>{1, 0}));
    EXPECT_EQ(Scan("x"), (Tokens{{1, 0}}));
    Scheme().SetActiveStates(StateSet{3});
    EXPECT_EQ(Scheme().Keywords().Entries().size(), 2u);
    Compile("%%language case = __sensitive\n%%words 'begin' '' 4");
    EXPECT_EQ(Scan("BEGIN").front(), (std::pair<int, int>{1, 0}));
    // Escapes apply to the word.
    Compile("%%words 'a\\x42' '' 4");
    EXPECT_EQ(Scheme().Keywords().Entries()[0].Word, "aB");
}

TEST_F(SchemeCompilerTest, TokensOfEveryForm) {
    Compile(
        "%%tokens\n"
        "1 '[\\x01-\\s]' '[\\x01-\\s]' * '[^\\x01-\\s]' 0\n"
        "2 __STD_IDENTIFIER\n"
        "3 '\"' '[^\"]' '\"' 1\n"
        "4 '#' 6 '' 0\n"
        "InState 2 ( 5 'a' 'b' * 'c' 1 [7] )");
    EXPECT_EQ(Scan("ab  \"q r\" x"), (Tokens{{2, 2}, {2, 1}, {5, 3}, {1, 1}, {1, 2}}));
    const TokenDef* own = Scheme().StartEntry(2, 'a');
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->Valid, (StateSet{2, 7}));
    EXPECT_TRUE(Scheme().StartEntry(SyntaxScheme::kDefaultTable, '#')->Body.IsRecognizer);
    EXPECT_EQ(Scheme().StartEntry(SyntaxScheme::kDefaultTable, '#')->Body.Number, 6);
}

TEST_F(SchemeCompilerTest, HandlersContinueKeywords) {
    Compile("%%words '/*' '' 3\n%%handlers 3 '[^\\n]' '*/' 1\n");
    EXPECT_EQ(Scan("/* a */b"), (Tokens{{7, 3}, {1, 0}}));
    EXPECT_EQ(ErrorOf("%%handlers 3 '[a]' 3 '[b]'"),
              "** ERROR near line 1, Column 20: Duplicate entry in %%handler table");
    Compile("%%handler 7 match(2) 8 __STD_NUMBER 9 1 'x' 0");
    EXPECT_TRUE(Scheme().Handler(7)->Start.Match);
    EXPECT_FALSE(Scheme().Handler(7)->End.Present);
    EXPECT_EQ(Scheme().Handler(8)->Start.Number, 16);
    EXPECT_TRUE(Scheme().Handler(9)->End.Present);
}

TEST_F(SchemeCompilerTest, StateChangesAndContainers) {
    Compile("%%states 5 push ( +1 -0 +[2 3] ) 5 ( -4 )\n6 ( +1 ) pop\n%%containers 7 ( +2 )");
    const TokenStateInfo* five = Scheme().GetTokenStateInfo(5);
    ASSERT_NE(five, nullptr);
    EXPECT_EQ(five->Add, (StateSet{1, 2, 3}));
    EXPECT_EQ(five->Remove, (StateSet{0, 4}));
    EXPECT_EQ(five->Stack, saPushBefore);
    const TokenStateInfo* six = Scheme().GetTokenStateInfo(6);
    EXPECT_EQ(six->Stack, saPopAfter);
    EXPECT_TRUE(six->Add.Empty());
    EXPECT_TRUE(Scheme().GetTokenStateInfo(7)->Container);
}

TEST_F(SchemeCompilerTest, EffectsAndMap) {
    Compile(
        "%%effects 0 [] 1 2 0 [fsBold] 3 4 5 [fsItalic fsUnderline] clRed * clWhite "
        "'HOTSPOT'\n%%map 9 5");
    const EffectDef& five = m_compiled.Settings.Editor.Styles.Effects[5];
    EXPECT_EQ(five.Style, 2 | 4);
    EXPECT_TRUE(five.ForegroundDefault);
    EXPECT_FALSE(five.BackgroundDefault);
    EXPECT_TRUE(five.Hotspot);
    EXPECT_EQ(m_compiled.Settings.Editor.Styles.Effects[0].Style, 1);
    EXPECT_EQ(m_compiled.Settings.Editor.Styles.TokenEffect[9], 5);
    EXPECT_EQ(ErrorOf("%%effects 5 [] 0 0 5 [] 0 0"),
              "** ERROR near line 1, Column 20: Duplicate %%effect entry");
    EXPECT_EQ(ErrorOf("%%effects 5 [8] 0 0"),
              "** ERROR near line 1, Column 14: Bad font style specifier");
}

TEST_F(SchemeCompilerTest, KeysTemplatesAndAutoReplace) {
    Compile(
        "%%keys caCOPY ([ctrl] 'c' | [shift, alt] INSERT) 'Copy it' 60 ([ctrl] 'k', 'x')\n"
        "%%autoreplace 'teh' = 'the' actionkeys = ' '\n"
        "%%templates 'p' ('para') = '<p>\\n' hotkey = ([ctrl] 'j')");
    KeyboardActionController& keys = Settings().Editor.Keys;
    std::vector<KeyBinding> bindings = keys.Bindings();
    ASSERT_EQ(bindings.size(), 3u);
    EXPECT_EQ(keys.CommandName(13), "Copy it");
    EXPECT_EQ(keys.FirstBinding(60).First, 0x4000 + 'K');
    const EditorSettings& editor = Settings().Editor;
    EXPECT_EQ(editor.AutoCorrect.Entries(), (std::vector<CodeTemplate>{{"teh", "", "the"}}));
    EXPECT_EQ(editor.AutoCorrect.ActivationKeyList(), std::vector<uint16_t>{VK_SPACE});
    EXPECT_EQ(editor.Templates.Entries(), (std::vector<CodeTemplate>{{"p", "para", "<p>\r"}}));
    EXPECT_EQ(editor.Templates.HotKey, 0x4000 + 'J');
}

TEST_F(SchemeCompilerTest, KeywordTables) {
    Compile("%%kwtables forstate [] endswith '[^a-z]' ( 20 is 'alpha', 'beta' 21 is 'gamma' )");
    ASSERT_EQ(Scheme().KeywordTables().size(), 1u);
    EXPECT_EQ(Scheme().KeywordTables()[0].States, (StateSet{0}));
    EXPECT_EQ(Scan("beta"), (Tokens{{4, 20}}));
    EXPECT_EQ(ErrorOf("%%kwtables forstate [1 2] (1 is 'a') forstate [2 3] (2 is 'b')"),
              "** ERROR near line 1, Column 38: Ambiguous key table state definition");
}

TEST_F(SchemeCompilerTest, EveryMessageWithItsPosition) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"%%language name 'x'", "1, Column 17: '=' expected"},
        {"%%language editablestyles = 'x'", "1, Column 29: '(' expected"},
        {"%%language editablestyles = ('x' 1)", "1, Column 34: ',' expected"},
        {"%%language editablestyles = ('x', 1", "1, Column 36: ')' expected"},
        {"%%effects 1 0", "1, Column 13: '[' expected"},
        {"%%language anchor = [1 'x']", "1, Column 24: ']' expected"},
        {"%%language name = 5", "1, Column 19: String value expected"},
        {"name", "1, Column 1: Script syntax error"},
        {"%%language gutter = (1 + )", "1, Column 26: Expression expected"},
        {"%%language gutter = ((((1)))", "1, Column 29: Expression expected"},
        {"%%words 'a' '' 1 'a' '' 2", "1, Column 18: Duplicate entry in %%word table"},
        {"%%words 'a' 'bc' 1", "1, Column 13: Single character specifier expected"},
        {"%%tokens 1 'ab' 'a' 'b' 0", "1, Column 12: Single character specifier expected"},
        {"%%tokens 1 'a' 'b' 'abcde' 0", "1, Column 20: Maximum of 4 character specifier allowed"},
        {"%%tokens 1 'a' 'z-a' '' 0",
         "1, Column 16: Characters not in correct order for range specifier"},
        {"%%tokens 1 'a' 'b' '' 0 2 '[a-c]' 'b' '' 0",
         "1, Column 25: Ambiguous start set in %%token table"},
        {"%%tokens 1 9", "1, Column 12: Script syntax error"},
        {"%%tokens 1 21", "1, Column 12: Script syntax error"},
        {"%%keys 1 ('')", "1, Column 11: Single character specifier expected"},
        {"%%keys 1 (=)", "1, Column 11: Key name or code required"},
        {"%%keys 1 (2) ''", "1, Column 14: Key function name cannot be blank"},
        {"%%keys 1 (65) 2 (65)", "1, Column 15: "},  // the key map's own message
        // Found by fuzzing: a refused tab-stop text escaped as a bare editor error.
        {"%%language tabcolumns = 'x'", "1, Column 25: Tab stop column value expected"},
    };
    for (const auto& [script, message] : cases) {
        std::string error = ErrorOf(script);
        EXPECT_EQ(error.rfind("** ERROR near line " + message, 0), 0u)
            << script << "\n  gave " << error;
    }
}

TEST_F(SchemeCompilerTest, RangeErrorsCarryNoPrefix) {
    EXPECT_EQ(ErrorOf("%%language anchor = [256]"), "Range error, value outwith 0 .. 255");
    EXPECT_EQ(ErrorOf("%%tokens 1 'a' 14 '' 0"), "Range error, value outwith 0 .. 13");
    EXPECT_EQ(ErrorOf("%%tokens 1 'a' 'b' 14 0"), "Range error, value outwith 0 .. 13");
    EXPECT_EQ(ErrorOf("%%handlers 1 21"), "Range error, value outwith 0 .. 20");
    try {
        Compile("\n\n   %%map 300 1");
    } catch (const ESchemeCompileError& error) {
        EXPECT_FALSE(error.Prefixed());
        EXPECT_EQ(error.Line(), 3);
        EXPECT_EQ(error.Column(), 10);
    }
}

TEST_F(SchemeCompilerTest, AFailedCompileKeepsWhatWasBuiltAndARecompileResets) {
    EXPECT_NE(ErrorOf("%%words 'a' '' 1 %%map ?"), "no error");
    EXPECT_EQ(Scheme().Keywords().Entries().size(), 1u);
    Compile("");
    EXPECT_TRUE(Scheme().Keywords().Empty());
}

TEST_F(SchemeCompilerTest, MissingIncludeIsACompileError) {
    SchemeCompiler compiler(m_compiled);
    compiler.SetIncludeResolver([](const std::string&, std::string&) { return false; });
    EXPECT_THROW(compiler.Compile("#include \"none.sch\""), ESchemeCompileError);
    EXPECT_EQ(compiler.LastLine(), 1);
}

}  // namespace
}  // namespace quinkle

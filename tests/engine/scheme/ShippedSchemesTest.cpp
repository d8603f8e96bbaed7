// The scheme scripts shipped in schemes/: each compiles, carries the shared settings, and
// highlights the cases its language depends on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SchemeDump.h"

namespace quinkle {
namespace {

namespace fs = std::filesystem;

fs::path SchemesDir() { return fs::path(QUINKLE_TEST_DATA_DIR) / ".." / ".." / "schemes"; }

struct Shipped {
    const char* File;
    const char* Name;
    size_t EditableStyles;
    bool CaseSensitive;
    size_t Bindings;
    size_t BoundActions;
};

const Shipped kShipped[] = {
    {"html.sch", "HTML / JS / VBS", 24, false, 46, 46},
    {"pascal.sch", "Object Pascal", 7, false, 45, 43},
    {"cscript.sch", "ANSI C", 8, true, 46, 46},
    {"sql.sch", "PL/SQL", 16, false, 46, 46},
    {"vbscript.sch", "Visual Basic Script", 6, false, 46, 46},
    {"plaintext.sch", "Plain text", 1, false, 46, 46},
};

class ShippedSchemesTest : public ::testing::Test {
protected:
    void Load(const char* file) {
        SchemeCompiler compiler(m_compiled);
        compiler.CompileFile((SchemesDir() / file).string());
    }
    std::string Tokens(std::string_view text) {
        return DumpTokens(m_compiled.Scheme, m_compiled.Settings.Editor.Styles, text);
    }
    const SchemeSettings& Settings() const { return m_compiled.Settings; }

    CompiledScheme m_compiled;
};

bool HasLine(const std::string& dump, const std::string& line) {
    return dump.find("\n" + line + "\n") != std::string::npos;
}

TEST_F(ShippedSchemesTest, EveryScriptCompilesWithItsNameStylesAndSharedSettings) {
    for (const Shipped& shipped : kShipped) {
        SCOPED_TRACE(shipped.File);
        ASSERT_NO_THROW(Load(shipped.File));
        EXPECT_EQ(Settings().Name, shipped.Name);
        EXPECT_EQ(Settings().Editor.Styles.EditableStyles.size(), shipped.EditableStyles);

        const std::string dump = DumpScheme(m_compiled);
        EXPECT_TRUE(HasLine(dump, "options 0x3FFDBF0"));
        EXPECT_TRUE(HasLine(dump, "font 'Courier New' 10 charset 1"));
        EXPECT_TRUE(HasLine(dump, "gutterfont 'MS Sans Serif' 8 color 0x80000008 style 0"));
        EXPECT_TRUE(HasLine(dump, "gutter 34"));
        EXPECT_TRUE(HasLine(dump, "rightmargin 80"));
        EXPECT_TRUE(HasLine(dump, "wrapoverride '>|:'"));
        EXPECT_TRUE(HasLine(dump, "margincolor 0xFFFFFF"));
        EXPECT_TRUE(HasLine(dump, "hotkey 0x404A"));  // Ctrl+J
        EXPECT_NE(
            dump.find(shipped.CaseSensitive ? "words case-sensitive" : "words case-insensitive"),
            std::string::npos);

        const auto bindings = Settings().Editor.Keys.Bindings();
        EXPECT_EQ(bindings.size(), shipped.Bindings);
        std::set<int32_t> actions;
        for (const KeyBinding& binding : bindings) actions.insert(binding.Command);
        EXPECT_EQ(actions.size(), shipped.BoundActions);
        EXPECT_EQ(Settings().Editor.Keys.Commands().size(), shipped.BoundActions);  // named ones

        // Every editable style names an effect the scheme defines.
        for (const EditableStyle& style : Settings().Editor.Styles.EditableStyles)
            EXPECT_NE(dump.find("\neffect " + std::to_string(style.Effect) + " "),
                      std::string::npos)
                << style.Name;
    }
}

TEST_F(ShippedSchemesTest, PascalKeepsItsOwnColoursAndMargin) {
    Load("pascal.sch");
    const std::string dump = DumpScheme(m_compiled);
    EXPECT_TRUE(HasLine(dump, "marginwidth 8"));
    EXPECT_TRUE(HasLine(dump, "guttercolor 0xFFFF"));
    EXPECT_TRUE(HasLine(dump, "seltextback 0xFF0000"));
    EXPECT_EQ(Settings().Editor.AutoCorrect.Entries().size(), 4u);
    EXPECT_EQ(Settings().Editor.Templates.Entries().size(), 5u);
}

TEST_F(ShippedSchemesTest, HtmlAnchorTagColoursNameAttributeAndEndButNotBlankOrEquals) {
    Load("html.sch");
    EXPECT_EQ(Tokens("<a href=\"x\">\nplain\n"),
              "1:1 2 51 50\n"   // <a
              "1:3 1 0 0\n"     // blank: the anchor state has no entry for it
              "1:4 4 50 50\n"   // href
              "1:8 1 0 0\n"     // =
              "1:9 3 7 7\n"     // "x"
              "1:12 1 52 50\n"  // >
              "1:13 1 0 0\n"
              "2:1 5 0 0\n"  // the next line is document text again
              "2:6 1 0 0\n");
}

TEST_F(ShippedSchemesTest, HtmlScriptStateLastsFromLineToLineUntilItsEndTag) {
    Load("html.sch");
    const std::string dump = Tokens(
        "<script>var x = new\n"  // ends in a keyword
        "foo(1)\n"               // ends in a symbol
        "bar\n"                  // ends in an identifier
        "'s' // -->\n"           // ends in a string, a line comment and the end of a wrapping
        "\n"
        "var</script>\n"
        "var\n");
    for (const char* token : {"1:9 3 30 30\n",  // var
                              "2:1 3 36 36\n",  // foo, still script
                              "2:5 1 37 37\n",  // 1
                              "3:1 3 36 36\n",  // bar
                              "4:1 3 34 34\n",  // 's'
                              "4:8 3 14 12\n",  // -->: a comment, not the block's end
                              "6:1 3 30 30\n",  // var, after an empty line
                              "6:4 9 11 9\n",   // </script>
                              "7:1 3 0 0\n"})   // plain text again
        EXPECT_NE(dump.find(token), std::string::npos) << token << dump;
}

TEST_F(ShippedSchemesTest, HtmlBlocksCommentsEntitiesAndStyleSheets) {
    Load("html.sch");
    const std::string dump = Tokens(
        "<!-- c --> &amp; <td width=2> <img src='a'> <% x %> <cfif a>\n"
        "<style>p { color: #FF0000; }</style>\n");
    for (const char* token : {"1:1 10 12 12\n",    // comment
                              "1:12 5 17 17\n",    // &amp;
                              "1:18 3 61 60\n",    // <td
                              "1:22 5 60 60\n",    // width
                              "1:28 1 1 1\n",      // 2
                              "1:31 4 71 70\n",    // <img
                              "1:40 3 7 7\n",      // 'a'
                              "1:45 7 104 104\n",  // ASP block
                              "1:53 3 81 80\n",    // <cf
                              "2:1 7 121 120\n",   // <style>
                              "2:8 1 131 131\n",   // p
                              "2:10 1 135 150\n",  // {
                              "2:12 5 133 133\n",  // color
                              "2:17 1 137 150\n",  // :
                              "2:19 7 105 134\n",  // #FF0000
                              "2:26 1 138 150\n",  // ;
                              "2:28 1 136 150\n",  // }
                              "2:29 8 122 120\n"})
        EXPECT_NE(dump.find(token), std::string::npos) << token << dump;
}

TEST_F(ShippedSchemesTest, HtmlScansRealDocumentsWithoutErrors) {
    Load("html.sch");
    std::vector<fs::path> pages;
    std::error_code error;
    for (fs::recursive_directory_iterator it("/usr/share/doc", error), end;
         it != end && pages.size() < 8; it.increment(error)) {
        if (error) break;
        if (it->is_regular_file(error) && it->path().extension() == ".html")
            pages.push_back(it->path());
    }
    if (pages.empty()) GTEST_SKIP() << "no HTML files under /usr/share/doc";
    for (const fs::path& page : pages) {
        SCOPED_TRACE(page.string());
        std::ifstream in(page, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const TokenCounts counts = CountTokens(m_compiled.Scheme, text.str());
        EXPECT_EQ(counts.Errors, 0);
        EXPECT_GT(counts.PerValue[5] + counts.PerValue[51] + counts.PerValue[61], 0);
    }
}

TEST_F(ShippedSchemesTest, ExampleTextsScanWithoutErrors) {
    for (const Shipped& shipped : kShipped) {
        SCOPED_TRACE(shipped.File);
        Load(shipped.File);
        EXPECT_EQ(CountTokens(m_compiled.Scheme, Settings().ExampleText).Errors, 0);
    }
}

TEST_F(ShippedSchemesTest, PlainTextIsAllDefaultAndCorrectsSymbolsAndMisspellings) {
    Load("plaintext.sch");
    EXPECT_EQ(Tokens("<b>int x; // (c)\n\tteh end"), "1:1 17 0 0\n2:1 8 0 0\n");
    const AutoReplace& correct = Settings().Editor.AutoCorrect;
    EXPECT_EQ(correct.ActivationKeys(), ";,:.=[]\\{Return}\\{Tab}\\{Space}");
    auto lookup = [&](const std::string& from) -> std::string {
        std::string to = "(none)";
        correct.LookupWord(from, to);
        return to;
    };
    EXPECT_EQ(lookup("(c)"), "\xC2\xA9");
    EXPECT_EQ(lookup("(r)"), "\xC2\xAE");
    EXPECT_EQ(lookup("(tm)"), "\xE2\x84\xA2");
    EXPECT_EQ(lookup("..."), "\xE2\x80\xA6");
    EXPECT_EQ(lookup("teh"), "the");
    EXPECT_EQ(lookup("recieve"), "receive");
    EXPECT_GT(correct.Entries().size(), 500u);
    // Entries are looked up without regard to case, so a name written twice in the script
    // (in any case) would silently replace the first: every entry line must give an entry.
    std::ifstream script(SchemesDir() / "plaintext.sch");
    size_t entryLines = 0;
    for (std::string line; std::getline(script, line);)
        if (line.starts_with("    '") && line.find("' = '") != std::string::npos) ++entryLines;
    EXPECT_EQ(correct.Entries().size(), entryLines);
    for (const CodeTemplate& entry : correct.Entries()) EXPECT_NE(entry.Name, entry.Text);
}

}  // namespace
}  // namespace quinkle

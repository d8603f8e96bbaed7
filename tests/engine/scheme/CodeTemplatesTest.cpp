// Tests of the word tables: lookup before the caret, activation keys, the template file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/scheme/CodeTemplates.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

TEST(CodeTemplatesTable, NamesAreUniqueInAnyCaseAndTheLongestNameBeforeTheCaretWins) {
    CodeTemplates table;
    table.AddTemplate("If", "", "if (|)");
    table.AddTemplate("elif", "", "elif");
    table.AddTemplate("(c)", "", "\xC2\xA9");
    table.AddTemplate("IF", "if statement", "if |\r\nend");  // replaces "If"
    table.AddTemplate("", "", "ignored");
    ASSERT_EQ(table.Entries().size(), 3u);
    EXPECT_EQ(table.Entries()[2], (CodeTemplate{"if", "if statement", "if |\rend"}));
    EXPECT_EQ(table.LongestName(), 4u);

    struct Case {
        const char* Before;
        const char* Found;  // null: none
    } cases[] =
        {
            {"x = if", "if"}, {"ELIF", "elif"}, {"  elif", "elif"}, {"eli", nullptr},
            {"if ", nullptr}, {"", nullptr},    {"(C)", "(c)"},     {"a(c)", "(c)"},
            {"gif", "if"},  // boundaries are the editor's business
        };
    for (const Case& c : cases) {
        const CodeTemplate* entry = table.MatchBefore(c.Before);
        if (!c.Found)
            EXPECT_EQ(entry, nullptr) << c.Before;
        else
            EXPECT_TRUE(entry && entry->Name == c.Found) << c.Before;
    }

    EXPECT_TRUE(table.DeleteTemplate("ELIF"));
    EXPECT_FALSE(table.DeleteTemplate("elif"));
    EXPECT_EQ(table.MatchBefore("elif")->Name, "if");  // the trie follows the change
    std::string expansion;
    EXPECT_TRUE(table.LookupWord("(C)", expansion));
    EXPECT_EQ(expansion, "\xC2\xA9");
    EXPECT_FALSE(table.LookupWord("(c", expansion));

    // A copy keeps its own entries.
    CodeTemplates copy = table;
    copy.Clear();
    EXPECT_EQ(copy.MatchBefore("if"), nullptr);
    EXPECT_NE(table.MatchBefore("if"), nullptr);
}

TEST(CodeTemplatesTable, AssignTakesOnlyTheSameKindOfTable) {
    AutoReplace from;
    from.AddTemplate("teh", "", "the");
    from.SetActivationKeys(" ");
    AutoReplace to;
    to.Assign(from);
    EXPECT_EQ(to.Entries(), from.Entries());
    EXPECT_EQ(to.ActivationKeyList(), std::vector<uint16_t>{VK_SPACE});

    CodeTemplates templates;
    try {
        templates.Assign(from);
        FAIL() << "assigned across kinds";
    } catch (const ESourceEditor& error) {
        EXPECT_STREQ(error.what(), "Cannot assign AutoReplace to CodeTemplates");
    }
    EXPECT_TRUE(templates.Empty());
}

TEST(CodeTemplatesTable, PickListTypeAheadRestartsWithTheLastCharacterWhenNothingMatches) {
    CodeTemplates table;
    for (const char* name : {"for", "forall", "form", "table", "td"})
        table.AddTemplate(name, "", "");
    EXPECT_EQ(table.FirstContaining("fo"), 0);
    EXPECT_EQ(table.FirstContaining("ALL"), 1);
    EXPECT_EQ(table.FirstContaining("x"), -1);

    PickListSearch search;
    struct Step {
        char Typed;
        int32_t Selected;
        const char* Text;
    } steps[] = {{'f', 0, "f"}, {'o', 0, "fo"}, {'R', 0, "foR"}, {'m', 2, "foRm"},
                 {'t', 3, "t"}, {'d', 4, "td"}, {'x', -1, "x"}};
    for (const Step& step : steps) {
        EXPECT_EQ(search.Type(table, step.Typed), step.Selected) << step.Typed;
        EXPECT_EQ(search.Text(), step.Text);
    }
}

TEST(ActivationKeys, EachCharacterOrEscapeGivesItsKeyOnce) {
    struct Case {
        const char* Text;
        std::vector<uint16_t> Keys;
    } cases[] = {
        {kDefaultActivationKeys.data(),
         {VK_OEM_1, VK_OEM_COMMA, VK_OEM_1 | kShiftKey, VK_OEM_PERIOD, VK_OEM_PLUS, '9' | kShiftKey,
          '0' | kShiftKey, VK_OEM_4, VK_OEM_6, VK_RETURN, VK_TAB, VK_SPACE}},
        {"aA1!", {'A', 'A' | kShiftKey, '1', '1' | kShiftKey}},
        {"\\n\\r\\s\\t \t", {VK_RETURN, VK_SPACE, VK_TAB}},
        {"\\{F1}\\{f12}\\{PageDown}\\{BACKSPACE}\\{nokey}\\{f13}\\{}",
         {VK_F1, VK_F12, VK_NEXT, VK_BACK}},
        {"\\:\\\\", {VK_OEM_1, VK_OEM_5}},  // escaped characters lose their Shift
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseActivationKeys(c.Text), c.Keys) << c.Text;
}

TEST(ActivationKeys, AMissingClosingBraceIsABadKeySpecifierAndChangesNothing) {
    AutoReplace table;
    for (const char* text : {"\\{Return", ".\\{", "\\{tab}\\{space"}) {
        try {
            table.SetActivationKeys(text);
            ADD_FAILURE() << text;
        } catch (const ESourceEditor& error) {
            EXPECT_STREQ(error.what(), "Bad key specifier");
        }
    }
    EXPECT_EQ(table.ActivationKeys(), kDefaultActivationKeys);
    EXPECT_TRUE(table.IsTrigger(VK_SPACE));
    EXPECT_FALSE(table.IsTrigger(VK_SPACE | kCtrlKey));
    table.SetActivationKeys("");
    EXPECT_FALSE(table.IsTrigger(VK_SPACE));
}

TEST(TemplateFile, ReadsNamesDescriptionsAndExpansionLines) {
    struct Case {
        const char* File;
        std::vector<CodeTemplate> Entries;
    } cases[] = {
        {"[if | if statement]\r\nif (|)\r\n[for|loop]\r\nfor\r\n  x\r\n",
         {{"if", "if statement", "if (|)"}, {"for", "loop", "for\r\n  x"}}},
        // Text before the first "[" is skipped, as is the rest of a header line; any line
        // ends; a line starting with "[" ends an expansion, one with "[" inside does not.
        {"junk\n  [ a ]rest\nx[1]\n\n[b|d\r[c]",
         {{"a", "", "x[1]\r\n"}, {"b", "d", ""}, {"c", "", ""}}},
        {"[|nameless]\nbody\n[ok|]", {{"ok", "", ""}}},
        {"[name", {{"name", "", ""}}},
        {"no brackets at all", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseTemplateFile(c.File), c.Entries) << c.File;
}

class TemplateFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("quinkle-templates-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    std::string Path(const char* name) const { return (m_folder / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path m_folder;
};

TEST_F(TemplateFileOnDisk, SavingAndLoadingGivesTheSameTable) {
    CodeTemplates table;
    table.AddTemplate("html", "Document", "<html>\r  |\r</html>");
    table.AddTemplate("Br", "", "<br>");
    table.AddTemplate("gap", "Blank lines kept", "a\r\rb\r");
    table.AddTemplate("nothing", "Empty", "");
    const std::string path = Path("templates.tpl");
    table.SaveTemplatesToFile(path);
    EXPECT_EQ(Read(path).substr(0, 32), "[br | ]\r\n<br>\r\n[gap | Blank line");

    CodeTemplates loaded;
    loaded.AddTemplate("stale", "", "replaced by the file");
    loaded.LoadTemplatesFromFile(path);
    EXPECT_EQ(loaded.Entries(), table.Entries());

    // An empty table leaves no file behind, so the next load keeps the scheme's own.
    CodeTemplates().SaveTemplatesToFile(path);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(TemplateFileOnDisk, AMissingFileCannotBeOpenedAndLeavesTheTable) {
    CodeTemplates table;
    table.AddTemplate("kept", "", "x");
    const std::string path = Path("missing.tpl");
    try {
        table.LoadTemplatesFromFile(path);
        FAIL() << "loaded a missing file";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.what(), "Cannot open file \"" + path + "\" for reading");
    }
    EXPECT_EQ(table.Entries().size(), 1u);
}

}  // namespace
}  // namespace quinkle

#include "engine/store/QuickButtons.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/store/StoreTestFolder.h"

namespace quinkle {
namespace {

TEST(QuickButtonsTest, HintsTravelBetweenEditorFieldAndStore) {
    struct Case {
        const char* editorText;  // what the user typed in the hint editor
        const char* field;       // the hint field afterwards
        const char* decoded;     // the hint read back from the store
    };
    const Case cases[] = {
        {"", "", ""},
        {"one line", "one line", "one line"},
        {"two\r\nlines", "two\\nlines", "two\r\nlines"},
        {"two\nlines\n", "two\\nlines", "two\r\nlines"},
        {"a\r\n\r\nb", "a\\n\\nb", "a\r\n\r\nb"},
        {"a\r\n\r\n", "a\\n", "a\r\n"},
        {"\r\nb", "\\nb", "\r\nb"},
        {"typed \\n by hand", "typed \\n by hand", "typed \r\n by hand"},
        {"x\ry", "x\\ny", "x\r\ny"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editorText);
        const std::string field = JoinHintLines(c.editorText);
        EXPECT_EQ(field, c.field);
        IniFile ini;
        WriteQuickButton(ini, 2, {"Cap", DecodeHint(field), "x"});
        EXPECT_EQ(ini.ReadString("Quick Buttons", "B2Help", "?"), field);
        EXPECT_EQ(ReadQuickButton(ini, 2).Hint, c.decoded);
    }
}

TEST(QuickButtonsTest, ButtonsReadTheirOwnKeysWithDefaults) {
    const IniFile ini = IniFile::FromText(
        "[quick buttons]\n"
        "B0Disp=Header\nB0File=\"header.txt\"\n"
        "B5Disp=Bold\nB5Help=Make it\\nbold\nB5File=<b>\\n</b>\n"
        "B9File=<hr>\n"
        "B7Disp=Hidden\n");
    const QuickButton expected[kQuickButtonCount] = {
        {"Header", "No Help Assigned", "\"header.txt\""},
        {"", "No Help Assigned", ""},
        {"", "No Help Assigned", ""},
        {"", "No Help Assigned", ""},
        {"", "No Help Assigned", ""},
        {"Bold", "Make it\r\nbold", "<b>\\n</b>"},  // payloads are never converted
        {"", "No Help Assigned", ""},
        {"Hidden", "No Help Assigned", ""},
        {"", "No Help Assigned", ""},
        {"", "No Help Assigned", "<hr>"},
    };
    for (int i = 0; i < kQuickButtonCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ReadQuickButton(ini, i), expected[i]);
    }
    EXPECT_EQ(QuickButtonKey(0, "File"), "B0File");
    EXPECT_EQ(QuickButtonKey(9, "Disp"), "B9Disp");
}

TEST(QuickButtonsTest, FilePathsAndInsertedText) {
    const struct {
        const char* payload;
        const char* path;
    } paths[] = {
        {"", ""},
        {"\"\"", ""},
        {"header.txt", "/opt/q/header.txt"},
        {"\"header.txt\"", "/opt/q/header.txt"},
        {"\"sub/a b.txt", "/opt/q/sub/a b.txt"},
        {"/home/u/t.txt\"", "/home/u/t.txt"},
    };
    for (const auto& c : paths) EXPECT_EQ(QuickFilePath(c.payload, "/opt/q/"), c.path) << c.payload;

    const struct {
        const char* content;
        const char* inserted;
    } texts[] = {
        {"", ""},
        {"no break", "no break\r\n"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\r\nb", "a\r\nb\r\n"},
        {"a\r\rb\r", "a\r\n\r\nb\r\n"},
        {"\n", "\r\n"},
    };
    for (const auto& c : texts) EXPECT_EQ(TextFileInsertion(c.content), c.inserted);
}

TEST(QuickButtonsTest, MasksSelectAndSortTheFolder) {
    const struct {
        const char* name;
        const char* masks;
        bool matches;
    } cases[] = {
        {"index.htm", "*.htm;*.txt", true},
        {"INDEX.HTM", "*.htm", true},
        {"index.html", "*.htm", false},
        {"index.html", "*.htm; *.html ", true},
        {"notes", "*.*", true},
        {"notes", "*.txt", false},
        {"a.txt", ";;", false},
        {"a.txt", "", false},
        {"page1.htm", "page?.htm", true},
        {"page10.htm", "page?.htm", false},
        {"x.tar.gz", "*.gz", true},
        {"abcabd", "*ab*abd", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesFileMask(c.name, c.masks), c.matches) << c.name << " " << c.masks;

    testing::StoreTestFolder folder;
    for (const char* name : {"b.htm", "A.txt", "c.css", "a.htm", "skip.png"})
        std::ofstream(folder.Path(name)) << "x";
    std::filesystem::create_directory(folder.Path("dir.htm"));
    EXPECT_EQ(ListQuickFiles(folder.Path(), "*.htm;*.txt"),
              (std::vector<std::string>{"a.htm", "A.txt", "b.htm"}));
    EXPECT_EQ(ListQuickFiles(folder.Path(), "*.*").size(), 5u);
    EXPECT_TRUE(ListQuickFiles(folder.Path("missing"), "*.*").empty());

    IniFile ini;
    EXPECT_EQ(QuickFileMask(ini, false, "*.htm;*.html"), "*.htm;*.html");
    ini.WriteString("Config", "QFileLoad", "*.*");
    EXPECT_EQ(QuickFileMask(ini, false, "*.htm"), "*.*");
    ini.WriteString("Config", "QFileLoad", "*.js");
    EXPECT_EQ(QuickFileMask(ini, true, "*.htm"), "*.*");
}

}  // namespace
}  // namespace quinkle

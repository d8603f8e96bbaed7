// The settings catalogue: defaults from an empty file, values kept through the file's text,
// one place per section and key, and the per-reader and per-key variants.
#include "engine/store/ProgramSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <variant>
#include <vector>

#include "engine/store/StoreTestFolder.h"
#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

using AnySetting = std::variant<const IntSetting*, const BoolSetting*, const TextSetting*>;

// The settings of the program's ini file, except the variants that only change a reader's
// default.
const std::vector<AnySetting> kProgramFile = {
    &kDefaultStartup,
    &kStartFile,
    &kBackups,
    &kBackground,
    &kMenusLook,
    &kShowHints,
    &kDefaultBrowser,
    &kKeywordFile,
    &kProgramFont,
    &kToolbarIconSize,
    &kWbrKey,
    &kRecentMax,
    &kRecentFullPath,
    &kQuickFileMask,
    &kQuickFileAll,
    &kWindowStatus,
    &kWindowTop,
    &kWindowLeft,
    &kWindowWidth,
    &kWindowHeight,
    &kToolbarState,
    &kTidyIndent,
    &kTidyOmitOptionalTags,
    &kTidyWrap,
    &kTidyShowErrorLog,
    &kTidyUpperCaseTags,
    &kTidyReplacePresentational,
    &kTidyWrapColumn,
};
// The settings of a keyword file, an ini file of its own.
const std::vector<AnySetting> kKeywordFileSettings = {&kKeywordHelpFile};

std::string NameOf(const AnySetting& any) {
    return std::visit([](auto* s) { return std::string(s->Section) + "/" + std::string(s->Key); },
                      any);
}

// A value other than the default, as it reads back.
int32_t OtherValue(const IntSetting& s) { return s.Default == -5 ? 7 : -5; }
bool OtherValue(const BoolSetting& s) { return !s.Default; }
std::string OtherValue(const TextSetting& s) { return std::string(s.Default) + " other; =x"; }

TEST(ProgramSettings, EachSettingReadsItsDefaultAndKeepsAWrittenValue) {
    std::vector<AnySetting> all = kProgramFile;
    all.insert(all.end(), kKeywordFileSettings.begin(), kKeywordFileSettings.end());
    for (const AnySetting& any : all) {
        SCOPED_TRACE(NameOf(any));
        std::visit(
            [](auto* setting) {
                IniFile empty;
                EXPECT_EQ(Read(empty, *setting), setting->Default);
                IniFile ini;
                Write(ini, *setting, OtherValue(*setting));
                EXPECT_TRUE(ini.Modified());
                // Through the file's text, as the next start of the program reads it.
                IniFile reread = IniFile::FromText(ini.ToText());
                EXPECT_EQ(Read(reread, *setting), OtherValue(*setting));
                EXPECT_TRUE(reread.ValueExists(setting->Section, setting->Key));
            },
            any);
    }
}

TEST(ProgramSettings, EachSectionAndKeyIsNamedOnce) {
    std::set<std::string> seen;
    for (const AnySetting& any : kProgramFile) {
        // Sections and keys match without regard to case, so they must differ beyond case.
        EXPECT_TRUE(seen.insert(LowerAsciiText(NameOf(any))).second) << NameOf(any);
    }
    for (std::string_view group : {kLastPaths.Section, kKeywords.Section}) {
        for (const std::string& name : seen) EXPECT_FALSE(name.starts_with(LowerAsciiText(group)));
    }
}

TEST(ProgramSettings, StoredFilesReadAsTheyWereWritten) {
    // Keys are found without regard to case, as files written by hand spell them.
    IniFile ini = IniFile::FromText(
        "[config]\ndefault startup=3\nWBR=w\nBackups=0\nQFileLoad=*.txt\nShow Hints=0\n"
        "[TIDY]\nWrap At Col=72\n[Toolbars]\nState=AAA=\n");
    EXPECT_EQ(Read(ini, kDefaultStartup), 3);
    EXPECT_EQ(Read(ini, kWbrKey), "w");
    EXPECT_EQ(Read(ini, kBackups), 0);
    EXPECT_EQ(Read(ini, kBackupsProposed), 0);
    EXPECT_EQ(Read(ini, kQuickFileMask), "*.txt");
    EXPECT_FALSE(Read(ini, kShowHints));
    EXPECT_EQ(Read(ini, kTidyWrapColumn), 72);
    EXPECT_EQ(Read(ini, kToolbarState), "AAA=");
}

TEST(ProgramSettings, ReadersWithTheirOwnDefaultReadTheSameValue) {
    // A fresh installation: no backups at save time, while the Configure dialog proposes them.
    IniFile fresh;
    EXPECT_NE(Read(fresh, kBackups), 0);
    EXPECT_EQ(Read(fresh, kBackupsProposed), 0);
    EXPECT_EQ(Read(fresh, kStartFileProposed), "ReadMe.txt");
    Write(fresh, kStartFileProposed, "/docs/start.htm");
    EXPECT_EQ(Read(fresh, kStartFile), "/docs/start.htm");

    IniFile placed = IniFile::FromText("[Config]\nTop=40\n");
    EXPECT_EQ(Read(placed, WithDefault(kWindowTop, 99)), 40);
    EXPECT_EQ(Read(placed, WithDefault(kWindowLeft, 99)), 99);
}

TEST(ProgramSettings, GroupsTakeTheKeyFromTheCaller) {
    IniFile ini;
    const std::string programDir = "/home/u/.local/share/quinkle/";
    EXPECT_EQ(Read(ini, WithDefault(Entry(kLastPaths, "DocPath"), programDir)), programDir);
    Write(ini, Entry(kLastPaths, "DocPath"), "/docs/");
    Write(ini, Entry(kLastPaths, "QTFPath"), "/texts/");
    IniFile reread = IniFile::FromText(ini.ToText());
    EXPECT_EQ(Read(reread, Entry(kLastPaths, "docpath")), "/docs/");
    EXPECT_EQ(Read(reread, Entry(kLastPaths, "QTFPath")), "/texts/");
    EXPECT_EQ(reread.ReadSection("LastPaths"), (std::vector<std::string>{"DocPath", "QTFPath"}));
    // A key the file cannot hold is refused rather than written as something else.
    EXPECT_THROW(Write(ini, Entry(kKeywords, "a=b"), "topic"), EStoreError);
    EXPECT_THROW(Write(ini, Entry(kKeywords, ";note"), "topic"), EStoreError);
}

// Until the user chooses a keyword file, the shipped one serves; choosing none is kept.
TEST(ProgramSettings, TheShippedKeywordFileServesUntilTheUserChooses) {
    IniFile ini;
    EXPECT_EQ(KeywordFileOrShipped(ini, "/opt/q/"), "/opt/q/html.key");
    Write(ini, kKeywordFile, "");
    EXPECT_EQ(KeywordFileOrShipped(ini, "/opt/q/"), "");
    Write(ini, kKeywordFile, "/home/me/php.key");
    EXPECT_EQ(KeywordFileOrShipped(ini, "/opt/q/"), "/home/me/php.key");
}

TEST(ProgramSettings, ProgramFilesAreReadFromTheUsersFolderElseFromTheShippedOne) {
    testing::StoreTestFolder folder;
    const std::string user = folder.Path("user/");
    const std::string shipped = folder.Path("shipped/");
    std::filesystem::create_directories(user);
    std::filesystem::create_directories(shipped + "templates.tpl");  // a folder is no file
    testing::StoreTestFolder::Write(shipped + "autoreplace.tpl", "[teh]\nthe");
    testing::StoreTestFolder::Write(user + "templates.tpl", "");
    struct Case {
        std::string_view Name;
        std::string ShippedDir;
        std::string Expected;
    } cases[] = {
        {kTemplatesFileName, shipped, user + "templates.tpl"},
        {kAutoReplaceFileName, shipped, shipped + "autoreplace.tpl"},
        {kAutoReplaceFileName, "", ""},
        {"missing.tpl", shipped, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgramFileOrShipped(user, c.ShippedDir, c.Name), c.Expected) << c.Name;
    std::filesystem::remove(user + "templates.tpl");
    EXPECT_EQ(ProgramFileOrShipped(user, shipped, kTemplatesFileName), "");
}

}  // namespace
}  // namespace quinkle

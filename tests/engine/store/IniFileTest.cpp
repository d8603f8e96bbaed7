// The ini file store: readers and their defaults, names, odd input, layout and atomic saving.
#include "engine/store/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "engine/store/StoreTestFolder.h"

namespace quinkle {
namespace {

using testing::ScopedEnvironment;
using testing::StoreTestFolder;
using Strings = std::vector<std::string>;

std::string SaveError(IniFile& ini) {
    try {
        ini.UpdateFile();
    } catch (const EStoreError& e) {
        return e.what();
    }
    return "";
}

TEST(IniFileRead, EachReaderGivesItsOwnDefaultForMissingOrUnreadableValues) {
    IniFile ini = IniFile::FromText("[Config]\nMax=7\nStart File=\nShow Hints=0\n");
    EXPECT_EQ(ini.ReadInteger("Config", "Max", 5), 7);
    EXPECT_EQ(ini.ReadInteger("Config", "Default Startup", 2), 2);
    EXPECT_EQ(ini.ReadString("Tidy", "Element", "d"), "d");
    EXPECT_FALSE(ini.ReadBool("Config", "Show Hints", true));
    // Present but empty: the text is empty, while a number falls back to the default.
    EXPECT_EQ(ini.ReadString("Config", "Start File", "ReadMe.txt"), "");
    EXPECT_EQ(ini.ReadInteger("Config", "Start File", 3), 3);
    EXPECT_TRUE(ini.ReadBool("Config", "Start File", true));

    ini = IniFile::FromText(
        "[Good]\n0=42\n1= -7\t\n2=+3\n3=$1F\n4=0x1f\n5=-$10\n6=0x80000008\n7=$FFFFFFFF\n"
        "8=2147483647\n9=-2147483648\n"
        "[Bad]\na=12abc\nb=1.5\nc=2147483648\nd=-2147483649\ne=0x100000000\nf=$\ng=0x\n"
        "h=--1\ni=1 2\nj=true\nk=99999999999999999999\n");
    const std::vector<int32_t> good = {
        42, -7, 3, 31, 31, -16, static_cast<int32_t>(0x80000008u), -1, INT32_MAX, INT32_MIN};
    for (size_t i = 0; i < good.size(); ++i) {
        EXPECT_EQ(ini.ReadInteger("Good", std::to_string(i), 99), good[i]) << i;
        EXPECT_TRUE(ini.ReadBool("Good", std::to_string(i), false)) << i;
    }
    for (const std::string& key : ini.ReadSection("Bad")) {
        EXPECT_EQ(ini.ReadInteger("Bad", key, 99), 99) << ini.ReadString("Bad", key, "");
        EXPECT_FALSE(ini.ReadBool("Bad", key, false)) << key;
    }
    ini.WriteBool("Bad", "a", false);
    ini.WriteBool("Bad", "b", true);
    EXPECT_EQ(ini.ReadString("Bad", "a", ""), "0");
    EXPECT_EQ(ini.ReadString("Bad", "b", ""), "1");
}

TEST(IniFileNames, MatchWithoutCaseAndKeepTheFirstSpelling) {
    IniFile ini = IniFile::FromText("[Quick Buttons]\nB0Disp=Home\n");
    EXPECT_EQ(ini.ReadString("  QUICK BUTTONS\t", " b0disp ", ""), "Home");
    EXPECT_TRUE(ini.ValueExists("quick buttons", "B0DISP"));
    ini.WriteString("QUICK BUTTONS", "B0DISP", "Start");
    ini.WriteString("quick buttons", "b0help", "No Help Assigned");
    EXPECT_EQ(ini.ToText(), "[Quick Buttons]\nB0Disp=Start\nb0help=No Help Assigned\n");
    // Only ASCII letters fold; other bytes must match exactly.
    ini.WriteString("S", "\xC3\x89t\xC3\xA9", "1");
    EXPECT_FALSE(ini.ValueExists("s", "\xC3\xA9t\xC3\xA9"));
    EXPECT_TRUE(ini.ValueExists("s", "\xC3\x89T\xC3\xA9"));
}

TEST(IniFileNames, ThoseTheFileCannotHoldAreRefusedAndAnEmptyKeyIsFine) {
    IniFile ini = IniFile::FromText("");
    for (std::string key : {"a=b", ";comment", " [x]", "two\nlines"}) {
        EXPECT_THROW(ini.WriteString("Keywords", key, "v"), EStoreError) << key;
    }
    EXPECT_THROW(ini.WriteString("a]b", "k", "v"), EStoreError);
    try {
        ini.WriteString("Keywords", "x=y", "v");
    } catch (const EStoreError& e) {
        EXPECT_STREQ(e.what(), "Cannot use 'x=y' as a key name in settings file ''");
    }
    EXPECT_FALSE(ini.Modified());
    ini.WriteString("Keywords", "", "a keyword line without an equals sign");
    EXPECT_EQ(IniFile::FromText(ini.ToText()).ReadString("Keywords", "", "?"),
              "a keyword line without an equals sign");
}

TEST(IniFileParse, TakesAnyLineEndsKeepsValuesAsWrittenAndSkipsLinesThatAreNotSettings) {
    std::string text =
        "x=before any section\r\n"
        "[A] ; trailing comment\r\n"
        "  spaced key\t=  a=b \r\n"
        "just text\r\n"
        "; comment=not a key\r"
        "[B without a bracket\r"
        "[x=1\n"
        "\n"
        "[ C ]\n"
        "empty=\n"
        "last=no newline";
    IniFile ini = IniFile::FromText(text);
    EXPECT_EQ(ini.ReadSections(), (Strings{"A", "C"}));
    EXPECT_EQ(ini.ReadSection("A"), (Strings{"spaced key"}));
    EXPECT_EQ(ini.ReadSectionValues("a"), (Strings{"spaced key=  a=b "}));
    EXPECT_EQ(ini.ReadSectionValues("C"), (Strings{"empty=", "last=no newline"}));
    EXPECT_EQ(ini.ReadString("", "x", "none"), "none");
    EXPECT_TRUE(ini.ReadSection("Missing").empty());
    // Every line survives a rewrite, with LF line ends.
    EXPECT_EQ(ini.ToText(),
              "x=before any section\n[A] ; trailing comment\n  spaced key\t=  a=b \n"
              "just text\n; comment=not a key\n[B without a bracket\n[x=1\n\n[ C ]\nempty=\n"
              "last=no newline\n");

    // A value is one line: a line break ends it, as reading the file back would.
    ini.WriteString("C", "multi", "first\r\nsecond");
    EXPECT_EQ(ini.ReadString("C", "multi", ""), "first");
}

TEST(IniFileParse, TheFirstOfDuplicateSectionsAndKeysWins) {
    IniFile ini = IniFile::FromText("[A]\nk=1\nK=2\n[a]\nk=3\nj=4\n[B]\n");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
    EXPECT_EQ(ini.ReadSection("A"), (Strings{"k"}));
    EXPECT_FALSE(ini.ValueExists("A", "j"));
    EXPECT_EQ(ini.ReadSections(), (Strings{"A", "B"}));

    ini.WriteString("a", "K", "9");
    EXPECT_EQ(ini.ToText(), "[A]\nk=9\nK=2\n[a]\nk=3\nj=4\n[B]\n");
    EXPECT_TRUE(ini.DeleteKey("A", "K"));  // every line of the key goes
    EXPECT_FALSE(ini.DeleteKey("A", "k"));
    EXPECT_EQ(ini.ToText(), "[A]\n[a]\nk=3\nj=4\n[B]\n");
    EXPECT_TRUE(ini.EraseSection("a"));  // every section of the name goes
    EXPECT_FALSE(ini.EraseSection("A"));
    EXPECT_EQ(ini.ToText(), "[B]\n");
    EXPECT_TRUE(ini.SectionExists("b"));  // a section exists by its header, even when empty
}

TEST(IniFileWrite, NewSectionsAndKeysGoWhereAPersonWouldPutThem) {
    IniFile ini;
    ini.WriteString("A", "x", "1");
    ini.WriteString("B", "y", "2");
    ini.WriteString("A", "z", "3");
    EXPECT_EQ(ini.ToText(), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");

    // Keys join their section after its last line that is not blank.
    ini = IniFile::FromText("; settings\n[A]\nx=1\n; end of A\n\n\n[B]\n");
    ini.WriteString("A", "new", "n");
    ini.WriteString("B", "b", "m");
    ini.WriteString("C", "c", "o");
    EXPECT_EQ(ini.ToText(), "; settings\n[A]\nx=1\n; end of A\nnew=n\n\n\n[B]\nb=m\n\n[C]\nc=o\n");
    EXPECT_EQ(ini.ReadSectionValues("A"), (Strings{"x=1", "new=n"}));
    EXPECT_TRUE(ini.DeleteKey("A", "x"));
    EXPECT_EQ(ini.ReadString("A", "new", ""), "n");
    ini = IniFile::FromText("; only a comment");
    ini.WriteString("FromWeb", "count", "-1");
    EXPECT_EQ(ini.ToText(), "; only a comment\n\n[FromWeb]\ncount=-1\n");

    // Writing the value a key already holds changes nothing, not even its spacing.
    ini = IniFile::FromText("[A]\n x = 1\n");
    ini.WriteString("A", "x", " 1");
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(ini.ToText(), "[A]\n x = 1\n");
}

TEST(IniFileFile, AMissingFileIsEmptyAndSavingCreatesItsFolderAndKeepsOtherLines) {
    StoreTestFolder folder;
    std::string path = folder.Path("new/deeper/htmquinkle.ini");
    {
        IniFile ini(path);
        EXPECT_EQ(ini.LoadProblem(), "");
        EXPECT_TRUE(ini.ReadSections().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(path));  // reading alone writes nothing
    {
        IniFile ini(path);
        ini.WriteString("Config", "Start File", "C:\\docs\\ReadMe.txt");
        ini.UpdateFile();
        EXPECT_FALSE(ini.Modified());
    }
    EXPECT_EQ(StoreTestFolder::Read(path), "[Config]\nStart File=C:\\docs\\ReadMe.txt\n");

    StoreTestFolder::Write(path, "; mine\r\n[Config]\r\nMax = 5\r\nOdd line\r\n[Tidy]\r\nWrap=1");
    {
        IniFile ini(path);
        ini.WriteInteger("config", "max", 9);
    }  // the destructor saves a modified store
    EXPECT_EQ(StoreTestFolder::Read(path), "; mine\n[Config]\nMax=9\nOdd line\n[Tidy]\nWrap=1\n");
}

TEST(IniFileFile, AFailedSaveRaisesAClearErrorAndLeavesWhatWasThere) {
    StoreTestFolder folder;
    StoreTestFolder::Write(folder.Path("plain"), "a file, not a folder");
    std::string path = folder.Path("plain/htmquinkle.ini");
    IniFile ini(path);
    ini.WriteString("Config", "Max", "5");
    std::string error = SaveError(ini);
    EXPECT_EQ(error.rfind("Cannot save settings file '" + path + "': ", 0), 0u) << error;
    EXPECT_GT(error.size(), path.size() + 30);  // a reason follows
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(StoreTestFolder::Read(folder.Path("plain")), "a file, not a folder");

    // A folder where the file should be: it cannot be read or replaced, it keeps its content,
    // and no temporary file is left behind.
    std::filesystem::create_directory(folder.Path("taken.ini"));
    StoreTestFolder::Write(folder.Path("taken.ini/inside"), "kept");
    IniFile taken(folder.Path("taken.ini"));
    EXPECT_NE(taken.LoadProblem(), "");
    taken.WriteString("A", "b", "c");
    EXPECT_NE(SaveError(taken), "");
    EXPECT_EQ(StoreTestFolder::Read(folder.Path("taken.ini/inside")), "kept");
    EXPECT_EQ(folder.EntryCount(), 2u);

    IniFile nameless = IniFile::FromText("");
    nameless.WriteString("A", "b", "c");
    EXPECT_EQ(SaveError(nameless), "Cannot save settings file '': no file name");
}

TEST(IniFileFile, SavingFollowsASymbolicLinkAndKeepsPermissions) {
    StoreTestFolder folder;
    std::string real = folder.Path("real.ini");
    StoreTestFolder::Write(real, "[A]\nk=1\n");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, folder.Path("link.ini"));
    IniFile ini(folder.Path("link.ini"));
    ini.WriteString("A", "k", "2");
    ini.UpdateFile();
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.ini")));
    EXPECT_EQ(StoreTestFolder::Read(real), "[A]\nk=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(IniFileFile, DefaultPathFollowsTheEnvironment) {
    ScopedEnvironment none("QUINKLE_CONFIG_DIR", nullptr), home("HOME", "/home/someone");
    ScopedEnvironment relative("XDG_CONFIG_HOME", "relative");  // not absolute, so ignored
    EXPECT_EQ(IniFile::DefaultPath(), "/home/someone/.config/quinkle/htmquinkle.ini");
    ScopedEnvironment xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(IniFile::DefaultPath(), "/cfg/quinkle/htmquinkle.ini");
    ScopedEnvironment override("QUINKLE_CONFIG_DIR", "/tmp/qc/");
    EXPECT_EQ(IniFile::DefaultPath(), "/tmp/qc/htmquinkle.ini");
}

}  // namespace
}  // namespace quinkle

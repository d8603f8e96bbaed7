// Tidy's argument list from the settings, checked against the real tidy program.
#include "engine/html/TidyCommand.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "engine/store/IniFile.h"
#include "engine/store/StoreTestFolder.h"

extern char** environ;

namespace quinkle {
namespace {

using Strings = std::vector<std::string>;
using testing::StoreTestFolder;

// Runs the program with the arguments and reports as RunAndWait does.
int32_t RunProgram(const std::string& program, const Strings& arguments) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // Tidy's report on the terminal would only clutter the test output.
    posix_spawn_file_actions_t quiet;
    ::posix_spawn_file_actions_init(&quiet);
    ::posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int spawned = ::posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return RunAndWaitResult(false, -1);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return RunAndWaitResult(false, -1);
    return RunAndWaitResult(WIFEXITED(status), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

std::string Tidy() {
    const char* path = std::getenv("PATH");
    return FindTidyProgram("", path ? path : "/usr/bin:/bin");
}

TEST(TidyCommand, SettingsGiveTheArgumentsTidyFiveAccepts) {
    TidyOptions defaults = ReadTidyOptions(IniFile::FromText(""));
    EXPECT_EQ(TidyArguments(defaults, Charset::Utf8, "/p/$$temp$$.htm", "/p/error.txt"),
              (Strings{"-m", "-i", "-omit", "-clean", "-wrap", "80", "-utf8", "--tidy-mark", "no",
                       "/p/$$temp$$.htm"}));

    TidyOptions options = ReadTidyOptions(IniFile::FromText(
        "[Tidy]\nElement=0\nTags=0\nWrap=0\nErr Log=1\nUpperCase=1\nReplace=0\n"));
    EXPECT_EQ(
        TidyArguments(options, Charset::Iso8859_2, "/p/t.htm", "/p/error.txt"),
        (Strings{"-f", "/p/error.txt", "-m", "-upper", "-raw", "--tidy-mark", "no", "/p/t.htm"}));
}

TEST(TidyCommand, RunAndWaitSucceedsOnlyOnANormalEndWithCodeZero) {
    EXPECT_EQ(RunAndWaitResult(true, 0), kRunSucceeded);
    EXPECT_EQ(RunAndWaitResult(true, 1), kRunFailed);
    EXPECT_EQ(RunAndWaitResult(false, 0), kRunFailed);
}

TEST(TidyCommand, TheProgramIsLookedForInTheProgramFolderThenOnThePath) {
    StoreTestFolder folder;
    EXPECT_EQ(FindTidyProgram(folder.Path(), folder.Path("none") + "::"), "");
    StoreTestFolder::Write(folder.Path("tidy"), "#!/bin/sh\n");
    EXPECT_EQ(FindTidyProgram(folder.Path(), ""), "");  // not executable
    std::filesystem::permissions(folder.Path("tidy"), std::filesystem::perms::owner_all);
    EXPECT_EQ(FindTidyProgram(folder.Path(), "/usr/bin"), folder.Path("tidy"));
    EXPECT_EQ(FindTidyProgram("", "/nowhere:" + folder.Path()), folder.Path("tidy"));
}

TEST(TidyCommand, RealTidyRewritesThePageKeepingItsCharsetBytes) {
    std::string tidy = Tidy();
    if (tidy.empty()) GTEST_SKIP() << "tidy is not installed (scripts/deps.sh installs it)";
    StoreTestFolder folder;
    std::string page = folder.Path("$$temp$$.htm");
    std::string errors = folder.Path("error.txt");
    StoreTestFolder::Write(
        page,
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">"
        "<META Name=\"generator\" Content=\"HTML Quinkle\"><title>t</title></head>"
        "<body><center><p>Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\xbc\xf1 one two three four five six"
        "</center></body></html>\r\n");
    TidyOptions options;
    options.UpperCaseTags = true;
    options.ShowErrorLog = true;
    options.WrapColumn = 30;
    EXPECT_EQ(RunProgram(tidy, TidyArguments(options, Charset::Iso8859_2, page, errors)),
              kRunFailed)
        << "tidy ends with 1 when it warns";

    std::string out = StoreTestFolder::Read(page);
    EXPECT_NE(out.find("Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\xbc\xf1"), std::string::npos) << out;
    EXPECT_NE(out.find("<P>"), std::string::npos) << out;        // upper case
    EXPECT_EQ(out.find("</P>"), std::string::npos) << out;       // end tag omitted
    EXPECT_EQ(out.find("<CENTER>"), std::string::npos) << out;   // replaced by a style
    EXPECT_NE(out.find("\n  "), std::string::npos) << out;       // indented
    EXPECT_EQ(out.find("HTML Tidy"), std::string::npos) << out;  // no second generator
    for (size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        EXPECT_LE(end - start, 40u) << out;  // wrapped near column 30
    }
    EXPECT_NE(StoreTestFolder::Read(errors).find("Warning"), std::string::npos);
}

TEST(TidyCommand, RealTidyKeepsUtf8Text) {
    std::string tidy = Tidy();
    if (tidy.empty()) GTEST_SKIP() << "tidy is not installed (scripts/deps.sh installs it)";
    StoreTestFolder folder;
    std::string page = folder.Path("$$temp$$.htm");
    StoreTestFolder::Write(page,
                           "<!DOCTYPE html><html><head><title>t</title></head><body>"
                           "<p>caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80</p></body></html>\n");
    TidyOptions options;
    options.Wrap = false;
    EXPECT_EQ(RunProgram(tidy, TidyArguments(options, Charset::Utf8, page, "")), kRunSucceeded);
    EXPECT_NE(StoreTestFolder::Read(page).find("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"),
              std::string::npos);
}

}  // namespace
}  // namespace quinkle

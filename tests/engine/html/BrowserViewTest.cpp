// The Browser command's page: the document's file, or a private copy that still finds the
// document's pictures and links.
#include "engine/html/BrowserView.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quinkle {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(BrowserView, TheCopyGetsABaseInItsHead) {
    struct Case {
        const char* Text;
        const char* Path;
        const char* Copy;
    } cases[] = {
        {"<html><head><title>t</title></head>", "/site/a b/page.htm",
         "<html><head><base href=\"file:///site/a%20b/\"><title>t</title></head>"},
        {"<HTML><HEAD lang=en>x", "/w/p.html", "<HTML><HEAD lang=en><base href=\"file:///w/\">x"},
        {"<header>no head</header>", "/w/p.html",
         "<base href=\"file:///w/\">\r\n<header>no head</header>"},
        {"<p>untitled</p>", "", "<p>untitled</p>"},
    };
    for (const Case& c : cases) EXPECT_EQ(PreviewText(c.Text, c.Path), c.Copy) << c.Text;
}

TEST(BrowserView, PicksTheFileOrWritesAPrivateCopy) {
    const fs::path root = fs::temp_directory_path() / ("quinkle-view-" + std::to_string(getpid()));
    fs::create_directories(root);
    std::string problem;
    const std::string folder = PreviewFolder(root.string(), "", problem);
    ASSERT_EQ(folder, (root / "htmquinkle").string()) << problem;
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    EXPECT_EQ(PageToView("", "/w/p.htm", false, folder).Problem, kNothingToView);
    EXPECT_EQ(PageToView("<p>", "/w/p.htm", false, folder).Path, "/w/p.htm");
    BrowserPage copy = PageToView("<p>new", "/w/p.htm", true, folder);
    EXPECT_EQ(copy.Path, folder + "/$$TEST$$.HTM");
    EXPECT_EQ(ReadFile(copy.Path), "<base href=\"file:///w/\">\r\n<p>new");
    EXPECT_EQ(PageToView("<p>2", "", false, folder).Path, copy.Path);  // untitled: replaced
    EXPECT_EQ(ReadFile(copy.Path), "<p>2");

    // A folder others may enter is not used.
    fs::permissions(folder, fs::perms::group_read | fs::perms::group_exec, fs::perm_options::add);
    EXPECT_EQ(PreviewFolder(root.string(), "", problem), "");
    EXPECT_NE(problem.find("not private"), std::string::npos);
    fs::remove_all(root);
}

}  // namespace
}  // namespace quinkle

// Internet shortcut files made into links.
#include "engine/html/UrlShortcut.h"

#include <gtest/gtest.h>

#include "engine/store/StoreTestFolder.h"

namespace quinkle {
namespace {

using testing::StoreTestFolder;

TEST(UrlShortcut, TheAddressAndTheFileNameMakeTheLink) {
    StoreTestFolder folder;
    std::string path = folder.Path("Example Site.url");
    StoreTestFolder::Write(path, "[InternetShortcut]\r\nURL=http://example.org/a?b=1\r\n");
    ShortcutLink link = ShortcutFileToLink(path);
    EXPECT_TRUE(link.Ok());
    EXPECT_EQ(link.Link, "<a href=\"http://example.org/a?b=1\">Example Site</a>");

    // Other sections, any case, a byte-order mark and blanks around the value are fine.
    link = ShortcutTextToLink(
        "\xEF\xBB\xBF[DEFAULT]\nBASEURL=x\n[internetshortcut]\nurl = http://a/\"q\" \n",
        "C:\\Favorites\\Q.url");
    EXPECT_EQ(link.Link, "<a href=\"http://a/%22q%22\">Q</a>");
}

TEST(UrlShortcut, FilesWithoutAnAddressGiveTheFileError) {
    StoreTestFolder folder;
    for (std::string text : {"", "[InternetShortcut]\nURL=\n", "[Other]\nURL=http://a/\n",
                             "[InternetShortcut]\nURL=Error in URL!\n"}) {
        ShortcutLink link = ShortcutTextToLink(text, "/f/x.url");
        EXPECT_FALSE(link.Ok()) << text;
        EXPECT_EQ(link.Error, "File Error:  /f/x.url");
        EXPECT_EQ(link.Link, "");
    }
    std::string missing = folder.Path("gone.url");
    EXPECT_EQ(ShortcutFileToLink(missing).Error, "File Error:  " + missing);
    EXPECT_EQ(ShortcutTextToLink("[InternetShortcut]\nURL=u\n", ".url").Link, "<a href=\"u\"></a>");
}

}  // namespace
}  // namespace quinkle

// The recent-files list as documents are opened and saved: newest first, one entry per file
// whatever its spelling, its maximum, and its storage in the per-user store.
#include <gtest/gtest.h>

#include "engine/document/DocumentTestKit.h"

namespace quinkle::testing {
namespace {

using Paths = std::vector<std::string>;
using RecentDocumentsTest = DocumentFixture;

TEST_F(RecentDocumentsTest, NewestFirstOnePerFileUpToTheMaximum) {
    const std::string a = File("a.htm", "a"), b = File("b.htm", "b"), c = File("c.htm", "c");
    document.LoadRecentFiles();
    for (const std::string& path : {a, b, c, a}) document.Open(path, true);
    EXPECT_EQ(document.RecentFiles().List().Items(), (Paths{a, c, b}));

    // One file spelt in another case is one entry; the new spelling goes to the top.
    const std::string upper = folder.Path("C.HTM");
    asker.AnswerFileName(upper);
    document.SaveAs();
    EXPECT_EQ(document.RecentFiles().List().Items(), (Paths{upper, a, b}));

    // Opening without remembering leaves the list alone.
    document.Open(c, false);
    EXPECT_EQ(document.RecentFiles().List().Items(), (Paths{upper, a, b}));

    const int changes = host.RecentChanges;
    document.RecentFiles().SetMax(2);
    EXPECT_EQ(host.RecentChanges, changes + 1);
    document.Open(b, true);
    EXPECT_EQ(document.RecentFiles().List().Items(), (Paths{b, upper}));

    // A maximum of 0 keeps nothing new.
    document.RecentFiles().SetMax(0);
    document.Open(a, true);
    EXPECT_TRUE(document.RecentFiles().List().Items().empty());
}

TEST_F(RecentDocumentsTest, ListSurvivesInTheStoreAndCanBeCleaned) {
    const std::string a = File("a.htm", "a"), b = File("b.htm", "b");
    settings.WriteInteger("Config", "Max", 3);
    document.LoadRecentFiles();
    document.Open(a, true);
    document.Open(b, true);
    std::filesystem::remove(b);

    UserStore reopened(folder.Path("user.store"));
    Document again(editor, settings, reopened, asker, host);
    again.LoadRecentFiles();
    EXPECT_EQ(again.RecentFiles().Max(), 3);
    EXPECT_EQ(again.RecentFiles().List().Items(), (Paths{b, a}));
    again.RecentFiles().RemoveObsolete();
    EXPECT_EQ(again.RecentFiles().List().Items(), Paths{a});
    again.RecentFiles().Clear();
    EXPECT_TRUE(again.RecentFiles().List().Items().empty());

    UserStore last(folder.Path("user.store"));
    RecentFileList stored;
    stored.Load(last);
    EXPECT_EQ(stored.Count(), 0u);
}

TEST_F(RecentDocumentsTest, UnwritableStoreIsANoticeAndTheListStillChanges) {
    // A file stands where the store's folder should be.
    File("blocked", "");
    UserStore unwritable(folder.Path("blocked/user.store"));
    RecentDocuments recent(unwritable, host);
    recent.Add("/web/page.htm");
    EXPECT_EQ(recent.List().Items(), Paths{"/web/page.htm"});
    ASSERT_EQ(host.Notices.size(), 1u);
    EXPECT_NE(host.Notices[0].find("blocked"), std::string::npos) << host.Notices[0];
    EXPECT_EQ(host.RecentChanges, 1);
}

}  // namespace
}  // namespace quinkle::testing

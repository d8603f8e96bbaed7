// The recent-files list: order, limits, removal, the per-user store and menu captions.
#include "engine/store/RecentFiles.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/store/UserStore.h"

namespace quinkle {
namespace {

using Strings = std::vector<std::string>;

TEST(RecentFiles, NewestFirstWithinTheMaximumAndOneEntryPerPathCaseAside) {
    RecentFileList list;
    for (const char* path : {"/a", "/b", "/c", "/d", "/e", "/f"}) list.Add(path);
    EXPECT_EQ(list.Items(), (Strings{"/f", "/e", "/d", "/c", "/b"}));
    list.Add("/C");  // moves to the top in its new spelling
    EXPECT_EQ(list.Items(), (Strings{"/C", "/f", "/e", "/d", "/b"}));
    list.Add("");
    EXPECT_EQ(list.Count(), 5u);
    list.SetMax(2);
    EXPECT_EQ(list.Items(), (Strings{"/C", "/f"}));
    list.SetMax(42);
    EXPECT_EQ(list.Max(), 9);
    list.SetMax(0);
    list.Add("/x");
    EXPECT_EQ(list.Count(), 0u);
}

TEST(RecentFiles, ObsoleteEntriesGoAndClearEmpties) {
    RecentFileList list(9);
    for (const char* path : {"/gone1", "/here", "/gone2", "/there"}) list.Add(path);
    std::set<std::string> existing{"/here", "/there"};
    EXPECT_EQ(list.RemoveObsolete([&](const std::string& p) { return existing.count(p) > 0; }), 2u);
    EXPECT_EQ(list.Items(), (Strings{"/there", "/here"}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(RecentFiles, TheListGoesToTheStoreAsNumberedValuesReplacingOldOnes) {
    UserStore store;
    store.WriteString(kRecentFilesKey, "F7", "/stale");
    store.WriteString(kRecentFilesKey, "Other", "x");
    RecentFileList list;
    list.Add("/one");
    list.Add("/two");
    list.Store(store);
    EXPECT_EQ(store.ValueNames("\\software\\html quinkle\\most recently used"),
              (Strings{"F0", "F1"}));
    EXPECT_EQ(store.ReadString(kRecentFilesKey, "F0", ""), "/two");

    RecentFileList back;
    back.Load(store);
    EXPECT_EQ(back.Items(), (Strings{"/two", "/one"}));

    // Reading stops at the first gap and at the maximum; blanks and repeats are skipped.
    UserStore odd;
    for (const char* value : {"/a", "", "/A", "/b", "/c"}) {
        odd.WriteString(kRecentFilesKey,
                        "F" + std::to_string(odd.ValueNames(kRecentFilesKey).size()), value);
    }
    odd.WriteString(kRecentFilesKey, "F6", "/after-gap");
    RecentFileList limited(2);
    limited.Load(odd);
    EXPECT_EQ(limited.Items(), (Strings{"/a", "/b"}));
    RecentFileList all(9);
    all.Load(odd);
    EXPECT_EQ(all.Items(), (Strings{"/a", "/b", "/c"}));
}

TEST(RecentFiles, CaptionsAreNumberedAndPathsShortenedToTheWidth) {
    EXPECT_EQ(RecentFileCaption(0, "/web/page.htm"), "&1 /web/page.htm");
    EXPECT_EQ(RecentFileCaption(8, "/R&D/a.htm"), "&9 /R&&D/a.htm");

    auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
    std::string path = "/home/me/web/docs/page.htm";
    EXPECT_EQ(ShortenPath(path, 999, width), path);
    EXPECT_EQ(ShortenPath(path, 7 * 22, width), "/.../web/docs/page.htm");
    EXPECT_EQ(ShortenPath(path, 7 * 14, width), "/.../page.htm");
    EXPECT_EQ(ShortenPath(path, 7 * 12, width), ".../page.htm");
    EXPECT_EQ(ShortenPath(path, 10, width), "page.htm");
    EXPECT_EQ(ShortenPath("C:\\web\\docs\\page.htm", 7 * 17, width), "C:\\...\\page.htm");
    EXPECT_EQ(ShortenPath("page.htm", 10, width), "page.htm");
}

}  // namespace
}  // namespace quinkle

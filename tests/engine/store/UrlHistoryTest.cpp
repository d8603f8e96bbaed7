// The Get From WEB address history: the Enter rule and its round trip through the ini file.
#include "engine/store/UrlHistory.h"

#include <gtest/gtest.h>

#include "engine/store/IniFile.h"

namespace quinkle::testing {
namespace {

using List = std::vector<std::string>;

List Numbered(int count) {
    List list;
    for (int i = 1; i <= count; ++i) list.push_back("site" + std::to_string(i));
    return list;
}

TEST(UrlHistory, EnterPutsTheTextFirstOnce) {
    List sixteen = Numbered(14);
    sixteen.insert(sixteen.begin(), "new");
    struct Row {
        List Before;
        std::string Text;
        List After;
    };
    const Row rows[] = {
        {{}, "  a.org/x  ", {"a.org/x"}},
        {{"b", "A.ORG", "c"}, "a.org", {"a.org", "b", "c"}},  // moved up, written as typed
        {{"b"}, "   ", {"b"}},
        {Numbered(15), "new", sixteen},  // the fifteenth drops out
        {Numbered(15), "SITE15",
         [] {
             List list = Numbered(14);
             list.insert(list.begin(), "SITE15");
             return list;
         }()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Text);
        List history = row.Before;
        EnterUrl(history, row.Text);
        EXPECT_EQ(history, row.After);
    }
}

TEST(UrlHistory, WrittenHistoryIsReadBackSorted) {
    IniFile ini = IniFile::FromText("[FromWeb]\ncount=3\n0=old\n1=old\n2=old\n3=old\n");
    WriteUrlHistory(ini, {"zeta.org", "Alpha.org", "beta.org"});
    EXPECT_EQ(ini.ReadInteger("FromWeb", "count", 99), 2);
    EXPECT_EQ(ini.ReadString("FromWeb", "0", ""), "zeta.org");
    EXPECT_FALSE(ini.ValueExists("FromWeb", "3"));
    EXPECT_EQ(ReadUrlHistory(ini), (List{"Alpha.org", "beta.org", "zeta.org"}));

    WriteUrlHistory(ini, {});
    EXPECT_EQ(ini.ReadInteger("FromWeb", "count", 99), -1);
    EXPECT_TRUE(ReadUrlHistory(ini).empty());

    // A damaged section: a huge count, gaps and more entries than the list holds.
    std::string text = "[FromWeb]\ncount=2000000000\n";
    for (int i = 0; i < 40; i += 2)
        text += std::to_string(i) + "=u" + std::to_string(100 + i) + "\n";
    EXPECT_EQ(ReadUrlHistory(IniFile::FromText(text)).size(), kUrlHistoryMax);
    EXPECT_TRUE(ReadUrlHistory(IniFile::FromText("[Other]\ncount=1\n")).empty());
}

}  // namespace
}  // namespace quinkle::testing

// The help shipped in data/: every topic the program opens has its page, every link of every
// page leads to a page, the keyword file leads to topics, and the tips file holds tips.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "engine/help/HelpIndex.h"
#include "engine/help/HelpSearch.h"
#include "engine/help/HelpTopics.h"
#include "engine/help/KeywordHelp.h"
#include "engine/help/TipList.h"
#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"

namespace quinkle {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(QUINKLE_TEST_DATA_DIR) / ".." / ".." / "data";
const fs::path kHelp = kData / "help";

std::string ReadFile(const fs::path& path) {
    std::string bytes;
    bool missing = false;
    EXPECT_EQ(ReadWholeFile(path.string(), bytes, missing), "") << path;
    return bytes;
}

TEST(ShippedHelp, EveryProgramTopicHasAPageWhoseTitleIsTheIndexTitle) {
    const HelpIndex index = HelpIndex::Load((kHelp / "topics.ini").string());
    ASSERT_NE(index.Topic(index.ContentsTopic()), nullptr);
    ASSERT_NE(index.Topic(index.HowToUseTopic()), nullptr);
    std::set<std::string_view> names;
    for (const ProgramTopic& topic : ProgramTopics()) {
        EXPECT_TRUE(names.insert(topic.Name).second) << "twice: " << topic.Name;
        const HelpTopic* found = index.Topic(topic.Name);
        ASSERT_NE(found, nullptr) << topic.Name << " (" << topic.Window << ")";
        EXPECT_EQ(found->Name, topic.Name) << "spelt otherwise in the index";
    }
    size_t chapterTopics = 0;
    for (const HelpChapter& chapter : index.Chapters()) chapterTopics += chapter.Topics.size();
    EXPECT_EQ(chapterTopics, index.Topics().size()) << "a topic no chapter lists";
    for (const HelpTopic& topic : index.Topics()) {
        const std::string html = ReadFile(kHelp / topic.Page);
        EXPECT_EQ(PageTitle(html), topic.Title) << topic.Page;
        // A page is a manual page, not a stub.
        EXPECT_GT(PageText(html).size(), 300u) << topic.Page;
    }
}

TEST(ShippedHelp, EveryLinkLeadsToAPageOfTheIndex) {
    const HelpIndex index = HelpIndex::Load((kHelp / "topics.ini").string());
    const std::regex href(R"(<a href="([^"]*)\")");
    size_t links = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kHelp)) {
        if (entry.path().extension() != ".html") continue;
        EXPECT_NE(index.TopicOfPage(entry.path().filename().string()), nullptr)
            << "a page the index does not list: " << entry.path();
        const std::string html = ReadFile(entry.path());
        for (auto it = std::sregex_iterator(html.begin(), html.end(), href);
             it != std::sregex_iterator(); ++it) {
            const std::string target = (*it)[1];
            ++links;
            EXPECT_NE(index.TopicOfPage(target.substr(0, target.find('#'))), nullptr)
                << entry.path().filename() << " links to " << target;
        }
    }
    EXPECT_GT(links, 100u);
}

TEST(ShippedHelp, TheKeywordFileLeadsEveryTagToATopicAndSearchFindsTheRightPage) {
    const IniFile keywords = IniFile::FromText(ReadFile(kData / "html.key"));
    EXPECT_TRUE(fs::is_regular_file(kData / Read(keywords, kKeywordHelpFile)));
    const HelpIndex index = HelpIndex::Load((kData / Read(keywords, kKeywordHelpFile)).string());
    const std::vector<std::string> words = keywords.ReadSection("Keywords");
    EXPECT_GT(words.size(), 50u);
    for (const std::string& word : words) {
        const std::string keyword = HelpKeywordFor(keywords, word);
        EXPECT_NE(index.Topic(keyword), nullptr) << word << " -> " << keyword;
    }
    // Words the file does not name are looked up in the help's own keyword index.
    for (const auto& [word, topic] :
         {std::pair{"bookmark", "Bookmarks"}, std::pair{"regexp", "Search_And_Replace"},
          std::pair{"macro", "Macros"}}) {
        const HelpTopic* found = index.ResolveKeyword(HelpKeywordFor(keywords, word));
        ASSERT_NE(found, nullptr) << word;
        EXPECT_EQ(found->Name, topic) << word;
    }

    HelpTextIndex text;
    for (const HelpTopic& topic : index.Topics())
        text.Add(topic.Name, PageText(ReadFile(kHelp / topic.Page)));
    for (const auto& [query, best] :
         {std::pair{"table rows cell", "Insert_A_Table_Dialog"},
          std::pair{"macro record", "Macros"}, std::pair{"tidy", "Document_Tools"}}) {
        const std::vector<HelpSearchHit> hits = text.Search(query);
        ASSERT_FALSE(hits.empty()) << query;
        EXPECT_EQ(hits.front().Topic, best) << query;
    }
}

TEST(ShippedHelp, TheTipsFileHoldsThirtyTips) {
    const std::vector<std::string> tips = ParseTips(ReadFile(kData / "tips.txt"));
    EXPECT_GE(tips.size(), 30u);
    for (const std::string& tip : tips) EXPECT_GT(tip.size(), 40u) << tip;
}

}  // namespace
}  // namespace quinkle

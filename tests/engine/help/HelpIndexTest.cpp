// The help index: topics, chapters, the sorted keyword index with prefix lookup, keyword
// resolution and the keyword help lookup through a keyword file.
#include <gtest/gtest.h>

#include "engine/help/HelpIndex.h"
#include "engine/help/KeywordHelp.h"
#include "engine/store/IniFile.h"

namespace quinkle {
namespace {

constexpr std::string_view kIndex = R"([Help]
Title=Test Help
Contents=start
HowToUse=Using

[Topics]
Start=index.html|Contents
Using=using.html|How to use Help
Tables=table.html|The Table dialog
Links=link.html
Bad1=../etc/passwd|Outside
Bad2=/abs.html|Absolute
Bad3=.hidden.html|Hidden
Start=other.html|A second Start is ignored

[Chapters]
Basics=Start, Using, Nowhere
Empty=Nowhere

[Keywords]
table=Tables
TD=Tables
a=Links
anchor=Links,Tables,Missing
href=Links
Table=Links
help=Using
zz=Missing
)";

std::vector<std::string> KeywordColumn(const HelpIndex& index) {
    std::vector<std::string> words;
    for (const HelpKeyword& entry : index.Keywords())
        words.push_back(entry.Keyword + ">" + entry.Topic);
    return words;
}

TEST(HelpIndex, ReadsTopicsChaptersAndKeywordsAndLeavesOutBadReferences) {
    const HelpIndex index = HelpIndex::Parse(kIndex);
    EXPECT_EQ(index.Title(), "Test Help");
    EXPECT_EQ(index.ContentsTopic(), "Start");  // the topic's own spelling
    EXPECT_EQ(index.HowToUseTopic(), "Using");
    ASSERT_EQ(index.Topics().size(), 4u);
    EXPECT_EQ(index.Topic("tables")->Page, "table.html");
    EXPECT_EQ(index.Topic("Links")->Title, "Links");  // no title: the name
    EXPECT_EQ(index.Topic("Start")->Page, "index.html");
    for (const char* bad : {"Bad1", "Bad2", "Bad3", "Missing"})
        EXPECT_EQ(index.Topic(bad), nullptr);
    EXPECT_EQ(index.TopicOfPage("link.html")->Name, "Links");
    ASSERT_EQ(index.Chapters().size(), 1u);
    EXPECT_EQ(index.Chapters()[0].Topics, (std::vector<std::string>{"Start", "Using"}));
    // Sorted without regard to case, a keyword of several topics once per topic by title;
    // keywords of missing topics are gone, and of a keyword given twice ("Table") the first
    // line counts.
    EXPECT_EQ(KeywordColumn(index),
              (std::vector<std::string>{"a>Links", "anchor>Links", "anchor>Tables", "help>Using",
                                        "href>Links", "table>Tables", "TD>Tables"}));
}

TEST(HelpIndex, PrefixLookupAndKeywordResolution) {
    const HelpIndex index = HelpIndex::Parse(kIndex);
    const size_t none = index.Keywords().size();
    struct Case {
        std::string_view Prefix;
        size_t Row;
    };
    for (const Case& c :
         {Case{"", 0}, Case{"a", 0}, Case{"AN", 1}, Case{"h", 3}, Case{"hr", 4}, Case{"T", 5},
          Case{"tab", 5}, Case{"td", 6}, Case{"tdx", none}, Case{"b", none}, Case{"zzz", none}}) {
        EXPECT_EQ(index.FindKeyword(c.Prefix), c.Row) << c.Prefix;
    }
    struct Resolve {
        std::string_view Keyword;
        const char* Topic;
    };
    for (const Resolve& r :
         {Resolve{"TABLE", "Tables"},  // a topic's name comes first
          Resolve{"TD", "Tables"}, Resolve{"HREF", "Links"},
          Resolve{"anc", "Links"},  // the first keyword beginning so
          Resolve{" using ", "Using"}, Resolve{"nothing", nullptr}, Resolve{"", nullptr}}) {
        const HelpTopic* topic = index.ResolveKeyword(r.Keyword);
        if (r.Topic == nullptr) {
            EXPECT_EQ(topic, nullptr) << r.Keyword;
        } else {
            ASSERT_NE(topic, nullptr) << r.Keyword;
            EXPECT_EQ(topic->Name, r.Topic) << r.Keyword;
        }
    }
    std::vector<std::string> anchors;
    for (const HelpTopic* topic : index.TopicsOfKeyword("ANCHOR")) anchors.push_back(topic->Name);
    EXPECT_EQ(anchors, (std::vector<std::string>{"Tables", "Links"}));  // index order
}

TEST(HelpIndex, AnUnreadableIndexIsAHelpError) {
    EXPECT_THROW(HelpIndex::Load("/nonexistent/help/topics.ini"), EHelpError);
    EXPECT_TRUE(HelpIndex::Parse("").Topics().empty());
    EXPECT_EQ(HelpIndex::Parse("").Title(), "Help");
}

TEST(KeywordHelp, TheWordIsUpperCasedLookedUpAndBounded) {
    const IniFile keywords = IniFile::FromText(
        "[Config]\nHelpFile=help/topics.ini\n[Keywords]\nTABLE=The_Insert_Table_Dialog\n"
        "TD=  Tables \nBLANK=\nHREF=" +
        std::string(150, 'h') + "\n");
    struct Case {
        std::string Word;
        std::string Keyword;
    };
    const std::string longWord(120, 'x');
    // 99 ASCII bytes and a two-byte character: the cut may not split it.
    const std::string accented = std::string(99, 'e') + "\xC3\xA9";
    for (const Case& c :
         {Case{"table", "The_Insert_Table_Dialog"}, Case{"Td", "Tables"}, Case{"blank", "BLANK"},
          Case{"other", "OTHER"}, Case{"", ""}, Case{"href", std::string(100, 'h')},
          Case{longWord, std::string(100, 'X')}, Case{accented, std::string(99, 'E')},
          Case{"a=b", "A=B"}, Case{";x", ";X"}}) {
        EXPECT_EQ(HelpKeywordFor(keywords, c.Word), c.Keyword) << c.Word;
    }
}

}  // namespace
}  // namespace quinkle

// The help pages' readable text, the ranked word search over them, and the tips file.
#include <gtest/gtest.h>

#include "engine/help/HelpSearch.h"
#include "engine/help/TipList.h"

namespace quinkle {
namespace {

TEST(HelpSearch, PageTextDropsTagsScriptsAndDecodesEntities) {
    struct Case {
        std::string_view Html;
        std::string_view Text;
    };
    for (const Case& c : {
             Case{"<p>One</p><p>two</p>", "One two"},
             Case{"<head><title>T</title><style>p{}</style></head><body>Body</body>", "Body"},
             Case{"a<SCRIPT>if (a < b) x();</Script>b", "a b"},
             Case{"x <!-- <b>hidden</b> --> y", "x y"},
             Case{"&lt;TABLE&gt; &amp;&nbsp;&quot;q&quot; &#65;&#x42;", "<TABLE> & \"q\" AB"},
             Case{"&unknown; &#xZZ; & alone", "&unknown; &#xZZ; & alone"},
             Case{"&#0; &#x110000;", "? ?"},
             Case{"  lots \r\n\t of   space  ", "lots of space"},
             Case{"<b>cut<i", "cut"},
             Case{"<style>never closed", ""},
         }) {
        EXPECT_EQ(PageText(c.Html), c.Text) << c.Html;
    }
    EXPECT_EQ(PageTitle("<html><head><TITLE>The &amp; dialog</TITLE></head>"), "The & dialog");
    EXPECT_EQ(PageTitle("<p>no title</p>"), "");
}

TEST(HelpSearch, FindsPagesWithEveryWordRankedByHits) {
    HelpTextIndex index;
    index.Add("tables", "The Table dialog builds a table. Tables have rows; a table cell.");
    index.Add("links", "A link points to a page. The table of links.");
    index.Add("stable", "A stable program never crashes.");
    index.Add("forms", "Forms hold fields.");
    struct Case {
        std::string_view Query;
        std::vector<std::pair<std::string, int>> Hits;
    };
    for (const Case& c : {
             Case{"table", {{"tables", 4}, {"links", 1}}},  // "stable" is no word match
             Case{"TABLE link", {{"links", 3}}},            // every word must occur
             Case{"rows, cell!", {{"tables", 2}}},
             Case{"a", {{"tables", 2}, {"links", 2}, {"stable", 1}}},  // ties keep their order
             Case{"  ", {}},
             Case{"nothing", {}},
         }) {
        std::vector<std::pair<std::string, int>> hits;
        for (const HelpSearchHit& hit : index.Search(c.Query))
            hits.emplace_back(hit.Topic, hit.Hits);
        EXPECT_EQ(hits, c.Hits) << c.Query;
    }
}

TEST(TipList, OneTipPerLineWithCommentsAndLineBreaks) {
    EXPECT_EQ(ParseTips("First tip\r\n\r\n; a comment\n  Second\\nline  \rThird"),
              (std::vector<std::string>{"First tip", "Second\nline", "Third"}));
    EXPECT_TRUE(ParseTips("").empty());
    EXPECT_TRUE(ParseTips("\n\n  \n;only\n").empty());
    struct Case {
        int Index, Count, Wrapped;
    };
    for (const Case& c : {Case{0, 3, 0}, Case{3, 3, 0}, Case{-1, 3, 2}, Case{7, 3, 1},
                          Case{-4, 3, 2}, Case{5, 0, 0}}) {
        EXPECT_EQ(WrapTipIndex(c.Index, c.Count), c.Wrapped) << c.Index << " of " << c.Count;
    }
}

}  // namespace
}  // namespace quinkle

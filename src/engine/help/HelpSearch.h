// Full-text search over the help pages: their readable text and a ranked word search.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

/// The readable text of an HTML page: tags and comments removed, the content of <script>,
/// <style> and <head> dropped, the common character entities decoded, white space runs made
/// one blank.
std::string PageText(std::string_view html);

/// The text of the page's <title>, or "" when it has none.
std::string PageTitle(std::string_view html);

/// One page a search found, with the number of places its words occur.
struct HelpSearchHit {
    std::string Topic;
    int Hits = 0;
};

/// The pages' texts, searched for words. A word matches where a word of the page begins
/// with it (ASCII case ignored): "tab" finds "Table" and "tables" but not "stable".
class HelpTextIndex {
public:
    void Add(std::string topic, std::string_view text);
    size_t Size() const { return m_pages.size(); }

    /// The pages holding every word of `query` (words are runs of letters, digits and bytes
    /// above 127), most hits first; pages with equal hits keep the order they were added in.
    /// An empty query finds nothing.
    std::vector<HelpSearchHit> Search(std::string_view query) const;

private:
    struct Page {
        std::string Topic;
        std::string Folded;
    };
    std::vector<Page> m_pages;
};

}  // namespace quinkle

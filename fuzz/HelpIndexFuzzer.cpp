// Arbitrary bytes as a help index and as a keyword file: nothing may crash, the keyword index
// stays sorted with every keyword found by its own prefix, every reference leads to a topic of
// plain page name, page text extraction terminates, and keyword help stays within its bound.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/help/HelpIndex.h"
#include "engine/help/HelpSearch.h"
#include "engine/help/KeywordHelp.h"
#include "engine/store/IniFile.h"
#include "engine/text/AsciiText.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const quinkle::HelpIndex index = quinkle::HelpIndex::Parse(input);

    for (const quinkle::HelpTopic& topic : index.Topics()) {
        Require(quinkle::IsHelpPageName(topic.Page));
        Require(index.Topic(topic.Name) == &topic);
        Require(index.ResolveKeyword(topic.Name) == &topic);
    }
    const auto& keywords = index.Keywords();
    for (size_t i = 0; i < keywords.size(); ++i) {
        const std::string_view keyword = keywords[i].Keyword;
        Require(index.Topic(keywords[i].Topic) != nullptr);
        if (i > 0) {
            Require(quinkle::LowerAsciiText(keywords[i - 1].Keyword) <=
                    quinkle::LowerAsciiText(keyword));
        }
        const size_t first = index.FindKeyword(keyword);
        Require(first <= i && quinkle::StartsWithNoCase(keywords[first].Keyword, keyword));
        Require(!index.TopicsOfKeyword(keyword).empty());
        Require(index.ResolveKeyword(keyword) != nullptr);
        for (size_t cut = 0; cut <= keyword.size(); ++cut) {
            const size_t at = index.FindKeyword(keyword.substr(0, cut));
            Require(at <= first);
        }
    }
    for (const quinkle::HelpChapter& chapter : index.Chapters()) {
        Require(!chapter.Topics.empty());
        for (const std::string& name : chapter.Topics) Require(index.Topic(name) != nullptr);
    }

    // The same bytes as a keyword file, with each of its keys and the whole input as words.
    const quinkle::IniFile keywordFile = quinkle::IniFile::FromText(input);
    for (const std::string& key : keywordFile.ReadSection("Keywords")) {
        Require(quinkle::HelpKeywordFor(keywordFile, key).size() <= quinkle::kHelpKeywordLimit);
    }
    Require(quinkle::HelpKeywordFor(keywordFile, input).size() <= quinkle::kHelpKeywordLimit);

    // The same bytes as a help page.
    const std::string text = quinkle::PageText(input);
    Require(text.size() <= input.size() * 4 + 1);
    quinkle::HelpTextIndex search;
    search.Add("page", text);
    (void)search.Search(input.substr(0, 64));
    (void)quinkle::PageTitle(input);
    return 0;
}

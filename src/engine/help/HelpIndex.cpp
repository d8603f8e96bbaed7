// Reading the help index and answering topic and keyword questions.
#include "engine/help/HelpIndex.h"

#include <algorithm>
#include <set>

#include "engine/store/IniFile.h"
#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Splits "a,b , c" into its trimmed, non-empty items.
std::vector<std::string_view> Items(std::string_view list) {
    std::vector<std::string_view> items;
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view item = Trim(list.substr(0, comma));
        if (!item.empty()) items.push_back(item);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return items;
}

// Calls `each(key, value)` for every key=value line of a section, in file order.
template <class Each>
void ForEachValue(const IniFile& ini, std::string_view section, Each each) {
    for (const std::string& line : ini.ReadSectionValues(section)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string_view view(line);
        each(Trim(view.substr(0, equals)), Trim(view.substr(equals + 1)));
    }
}

// Orders keywords without regard to case; equal ones keep a fixed order by their bytes.
bool KeywordLess(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = LowerAscii(a[i]);
        const char y = LowerAscii(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

}  // namespace

bool IsHelpPageName(std::string_view page) {
    if (page.empty() || page.front() == '.' || page.size() > 255) return false;
    return std::all_of(page.begin(), page.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

HelpIndex HelpIndex::Parse(std::string_view text) {
    const IniFile ini = IniFile::FromText(text);
    HelpIndex index;
    index.m_title = ini.ReadString("Help", "Title", "Help");

    ForEachValue(ini, "Topics", [&](std::string_view name, std::string_view value) {
        const size_t bar = value.find('|');
        const std::string_view page = Trim(value.substr(0, bar));
        const std::string_view title =
            bar == std::string_view::npos ? name : Trim(value.substr(bar + 1));
        if (name.empty() || !IsHelpPageName(page) || index.Topic(name) != nullptr) return;
        index.m_byName.emplace(LowerAsciiText(name), index.m_topics.size());
        index.m_topics.push_back(
            {std::string(name), std::string(page), std::string(title.empty() ? name : title)});
    });

    // The special topics are kept only when the index has them.
    for (auto [key, target] :
         {std::pair{"Contents", &index.m_contents}, std::pair{"HowToUse", &index.m_howToUse}}) {
        if (const HelpTopic* topic = index.Topic(Trim(ini.ReadString("Help", key, ""))))
            *target = topic->Name;
    }

    ForEachValue(ini, "Chapters", [&](std::string_view title, std::string_view list) {
        HelpChapter chapter{std::string(title), {}};
        for (std::string_view name : Items(list)) {
            if (const HelpTopic* topic = index.Topic(name)) chapter.Topics.push_back(topic->Name);
        }
        if (!chapter.Topics.empty()) index.m_chapters.push_back(std::move(chapter));
    });

    std::set<std::pair<std::string, const HelpTopic*>> known;  // folded keyword, topic
    ForEachValue(ini, "Keywords", [&](std::string_view keyword, std::string_view list) {
        if (keyword.empty()) return;
        for (std::string_view name : Items(list)) {
            const HelpTopic* topic = index.Topic(name);
            if (topic != nullptr && known.emplace(LowerAsciiText(keyword), topic).second)
                index.m_keywords.push_back({std::string(keyword), topic->Name});
        }
    });
    std::stable_sort(index.m_keywords.begin(), index.m_keywords.end(),
                     [&](const HelpKeyword& a, const HelpKeyword& b) {
                         if (KeywordLess(a.Keyword, b.Keyword)) return true;
                         if (KeywordLess(b.Keyword, a.Keyword)) return false;
                         if (a.Keyword != b.Keyword) return a.Keyword < b.Keyword;
                         return index.Topic(a.Topic)->Title < index.Topic(b.Topic)->Title;
                     });
    return index;
}

HelpIndex HelpIndex::Load(const std::string& path) {
    std::string bytes;
    bool missing = false;
    const std::string problem = ReadWholeFile(path, bytes, missing);
    if (!problem.empty()) throw EHelpError("Cannot read the help index '" + path + "': " + problem);
    return Parse(bytes);
}

const HelpTopic* HelpIndex::Topic(std::string_view name) const {
    const auto found = m_byName.find(LowerAsciiText(name));
    return found == m_byName.end() ? nullptr : &m_topics[found->second];
}

const HelpTopic* HelpIndex::TopicOfPage(std::string_view page) const {
    for (const HelpTopic& topic : m_topics) {
        if (topic.Page == page) return &topic;
    }
    return nullptr;
}

size_t HelpIndex::FindKeyword(std::string_view prefix) const {
    const auto first = std::lower_bound(
        m_keywords.begin(), m_keywords.end(), prefix,
        [](const HelpKeyword& entry, std::string_view p) { return KeywordLess(entry.Keyword, p); });
    if (first == m_keywords.end() || !StartsWithNoCase(first->Keyword, prefix))
        return m_keywords.size();
    return static_cast<size_t>(first - m_keywords.begin());
}

std::vector<const HelpTopic*> HelpIndex::TopicsOfKeyword(std::string_view keyword) const {
    std::vector<const HelpTopic*> topics;
    for (size_t i = FindKeyword(keyword);
         i < m_keywords.size() && StartsWithNoCase(m_keywords[i].Keyword, keyword); ++i) {
        if (m_keywords[i].Keyword.size() == keyword.size())
            topics.push_back(Topic(m_keywords[i].Topic));
    }
    std::sort(topics.begin(), topics.end());  // index order: the topics live in one vector
    topics.erase(std::unique(topics.begin(), topics.end()), topics.end());
    return topics;
}

const HelpTopic* HelpIndex::ResolveKeyword(std::string_view keyword) const {
    keyword = Trim(keyword);
    if (keyword.empty()) return nullptr;
    if (const HelpTopic* topic = Topic(keyword)) return topic;
    const std::vector<const HelpTopic*> exact = TopicsOfKeyword(keyword);
    if (!exact.empty()) return exact.front();
    const size_t first = FindKeyword(keyword);
    return first < m_keywords.size() ? Topic(m_keywords[first].Topic) : nullptr;
}

}  // namespace quinkle

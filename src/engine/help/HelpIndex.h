// The help folder's index: topics and their pages, the contents chapters and the keywords.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/text/EditorError.h"

namespace quinkle {

/// A help index that cannot be read.
class EHelpError : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

/// A page of the help, known by its topic name.
struct HelpTopic {
    std::string Name;
    /// The page's file name inside the help folder.
    std::string Page;
    std::string Title;
};

/// A chapter of the contents: a title and its topics' names, in reading order.
struct HelpChapter {
    std::string Title;
    std::vector<std::string> Topics;
};

/// One line of the keyword index: a keyword and a topic it leads to.
struct HelpKeyword {
    std::string Keyword;
    std::string Topic;
};

/// The index of a help folder, an ini text:
///
///     [Help]      Title=..., Contents=<topic>, HowToUse=<topic>
///     [Topics]    <topic>=<page file>|<title>        (in contents order)
///     [Chapters]  <chapter title>=<topic>,<topic>,...
///     [Keywords]  <keyword>=<topic>,<topic>,...
///
/// Names of topics and keywords compare without regard to ASCII case. A topic whose page is
/// not a plain file name of the folder (a path, "..", a hidden file) is left out, and so are
/// chapter and keyword references to topics the index does not have.
class HelpIndex {
public:
    HelpIndex() = default;
    static HelpIndex Parse(std::string_view text);
    /// Reads and parses the index file; raises EHelpError when it cannot be read.
    static HelpIndex Load(const std::string& path);

    const std::string& Title() const { return m_title; }
    /// The topic of the contents page and of the help's own instructions (may be empty).
    const std::string& ContentsTopic() const { return m_contents; }
    const std::string& HowToUseTopic() const { return m_howToUse; }

    /// Topics in index order.
    const std::vector<HelpTopic>& Topics() const { return m_topics; }
    const std::vector<HelpChapter>& Chapters() const { return m_chapters; }
    /// The topic of that name, or null.
    const HelpTopic* Topic(std::string_view name) const;
    /// The topic shown by that page file, or null.
    const HelpTopic* TopicOfPage(std::string_view page) const;

    /// The keyword index, sorted by keyword (ASCII case ignored), then by topic title.
    const std::vector<HelpKeyword>& Keywords() const { return m_keywords; }
    /// Position of the first keyword that begins with `prefix` (ASCII case ignored); the
    /// size of Keywords() when none does. An empty prefix gives 0.
    size_t FindKeyword(std::string_view prefix) const;
    /// The topics a keyword leads to (the keyword matched whole), in index order.
    std::vector<const HelpTopic*> TopicsOfKeyword(std::string_view keyword) const;
    /// Where a keyword lookup lands: a topic of that name, else the first topic of that
    /// keyword, else the first topic of the first keyword beginning with it; null otherwise.
    const HelpTopic* ResolveKeyword(std::string_view keyword) const;

private:
    std::string m_title;
    std::string m_contents;
    std::string m_howToUse;
    std::vector<HelpTopic> m_topics;
    std::vector<HelpChapter> m_chapters;
    std::vector<HelpKeyword> m_keywords;
    /// Topic names in lower case → their position in m_topics.
    std::unordered_map<std::string, size_t> m_byName;
};

/// True for a page name the help may open: a plain file name of its folder.
bool IsHelpPageName(std::string_view page);

}  // namespace quinkle

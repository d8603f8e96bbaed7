// What an editor remembers of its searches, and the words of its search dialogs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/search/REParser.h"

namespace quinkle {

/// The search flag word (the first argument of the editor's search request).
enum SearchFlag : uint32_t {
    sflSearchNow = 0x08,  ///< search at once, without a dialog
    sflMatchCase = 0x10,
    sflRegExp = 0x20,
    sflWholeWord = 0x40,
    sflBackwards = 0x80,
};

/// The answers to the replace question.
enum class ReplaceAnswer { Yes, No, Cancel, All };

inline constexpr const char* kReplaceQuestion = "Replace this occurrence of '%s' with '%s' ?";
inline constexpr const char* kSearchStringWord = "Search string";
inline constexpr const char* kNotFoundWord = "not found.";

/// One editor's search state.
struct SearchState {
    std::string Text;     ///< the last search text
    uint32_t Flags = 0;   ///< the last search flags
    bool RegExp = false;  ///< expression mode, as the last request set it
    REParser Parser;      ///< the last expression compiled
    bool ParserMatchCase = true;
    std::vector<int32_t> Matches;  ///< offsets of the last match (start, groups, end)
    int32_t LastMatch = -1;        ///< start of the last match found, -1 for none
    int32_t LastMatchEnd = -1;
    mutable size_t MarkCursor = 0;  ///< index of the range mark NextMark returned last
    /// Lets callbacks handed to the shared store find out whether this editor still lives.
    std::shared_ptr<int> Alive = std::make_shared<int>(0);
};

}  // namespace quinkle

// Keyword help: the help keyword for the word at the caret, through the keyword file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quinkle {

class IniFile;

/// The longest keyword, in bytes, that keyword help passes on.
inline constexpr size_t kHelpKeywordLimit = 100;

/// The keyword for `word`: the word in upper case looked up in the keyword file's [Keywords]
/// section; an empty or missing value means the upper-cased word itself. The result is cut to
/// kHelpKeywordLimit bytes without splitting a UTF-8 sequence. An empty word gives "".
std::string HelpKeywordFor(const IniFile& keywordFile, std::string_view word);

/// `text` cut to at most `limit` bytes, never inside a UTF-8 sequence.
std::string_view CutUtf8(std::string_view text, size_t limit);

}  // namespace quinkle

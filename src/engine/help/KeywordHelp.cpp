// Looking up the help keyword of a word in the keyword file.
#include "engine/help/KeywordHelp.h"

#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"

namespace quinkle {

std::string_view CutUtf8(std::string_view text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    // Steps back over continuation bytes to the start of the sequence that crosses the cut.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

std::string HelpKeywordFor(const IniFile& keywordFile, std::string_view word) {
    std::string upper(CutUtf8(word, kHelpKeywordLimit));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    if (upper.empty()) return upper;
    std::string value;
    // A word the file cannot hold as a key ("=" inside, a leading ";") has no entry.
    if (upper.find_first_of("=\r\n") == std::string::npos && upper.front() != ';' &&
        upper.front() != '[') {
        value = Read(keywordFile, Entry(kKeywords, upper));
    }
    const size_t first = value.find_first_not_of(" \t");
    if (first == std::string::npos) return upper;
    value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
    return std::string(CutUtf8(value, kHelpKeywordLimit));
}

}  // namespace quinkle

// Writing the keyword file's [Keywords] section from the user's text.
#include "engine/store/KeywordFile.h"

#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"

namespace quinkle {
namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
}

}  // namespace

std::string WriteKeywordLines(IniFile& keywords, std::string_view text) {
    std::string firstProblem;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (IsBlank(line)) continue;
        const size_t equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos ? "" : line.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? line : line.substr(equals + 1);
        try {
            Write(keywords, Entry(kKeywords, key), value);
        } catch (const EStoreError& error) {
            if (firstProblem.empty()) firstProblem = error.what();
        }
    }
    return firstProblem;
}

}  // namespace quinkle

// The address history of the Get From WEB dialog.
#include "engine/store/UrlHistory.h"

#include <algorithm>

#include "engine/store/IniFile.h"
#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

constexpr const char* kSection = "FromWeb";

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

void EnterUrl(std::vector<std::string>& history, std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) return;
    std::erase_if(history,
                  [text](const std::string& entry) { return EqualsNoCase(Trimmed(entry), text); });
    history.insert(history.begin(), std::string(text));
    if (history.size() > kUrlHistoryMax) history.resize(kUrlHistoryMax);
}

std::vector<std::string> ReadUrlHistory(const IniFile& ini) {
    std::vector<std::string> history;
    const int32_t last = ini.ReadInteger(kSection, "count", -1);
    // A damaged count is not followed far past the entries a history can hold.
    const int32_t end = std::min(last, int32_t{1023});
    for (int32_t i = 0; i <= end && history.size() < kUrlHistoryMax; ++i) {
        std::string entry = ini.ReadString(kSection, std::to_string(i), "");
        if (!Trimmed(entry).empty()) history.push_back(std::move(entry));
    }
    std::stable_sort(history.begin(), history.end(),
                     [](const std::string& a, const std::string& b) {
                         return LowerAsciiText(a) < LowerAsciiText(b);
                     });
    return history;
}

void WriteUrlHistory(IniFile& ini, const std::vector<std::string>& history) {
    ini.EraseSection(kSection);
    ini.WriteInteger(kSection, "count", static_cast<int32_t>(history.size()) - 1);
    for (size_t i = 0; i < history.size(); ++i)
        ini.WriteString(kSection, std::to_string(i), history[i]);
}

}  // namespace quinkle

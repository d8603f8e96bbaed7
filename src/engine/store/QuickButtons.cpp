#include "engine/store/QuickButtons.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quinkle {

namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        result.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    result.append(text.substr(start));
    return result;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Wildcard match with backtracking to the last "*": linear in practice, never recursive.
bool MatchesOne(std::string_view name, std::string_view mask) {
    if (mask == "*.*") return true;
    size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Lower(mask[m]) == Lower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string QuickButtonKey(int button, std::string_view suffix) {
    std::string key = "B";
    key += char('0' + std::clamp(button, 0, kQuickButtonCount - 1));
    key += suffix;
    return key;
}

// Neither replacement can form a new match with its neighbours (CR LF holds no backslash,
// backslash-n no CR), so one pass leaves none of the searched text behind.
std::string EncodeHint(std::string_view hint) { return ReplaceAll(hint, "\r\n", "\\n"); }
std::string DecodeHint(std::string_view stored) { return ReplaceAll(stored, "\\n", "\r\n"); }

std::string JoinHintLines(std::string_view text) {
    std::string result;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (!result.empty() || start > 0) result += "\\n";
        if (end == std::string_view::npos) {
            result.append(text.substr(start));
            break;
        }
        result.append(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return result;
}

QuickButton ReadQuickButton(const IniFile& ini, int button) {
    return {ini.ReadString(kQuickButtonSection, QuickButtonKey(button, "Disp"), ""),
            DecodeHint(ini.ReadString(kQuickButtonSection, QuickButtonKey(button, "Help"),
                                      kNoHintAssigned)),
            ini.ReadString(kQuickButtonSection, QuickButtonKey(button, "File"), "")};
}

void WriteQuickButton(IniFile& ini, int button, const QuickButton& value) {
    ini.WriteString(kQuickButtonSection, QuickButtonKey(button, "Disp"), value.Caption);
    ini.WriteString(kQuickButtonSection, QuickButtonKey(button, "Help"), EncodeHint(value.Hint));
    ini.WriteString(kQuickButtonSection, QuickButtonKey(button, "File"), value.Payload);
}

std::string QuickFilePath(std::string_view payload, std::string_view programDir) {
    if (!payload.empty() && payload.front() == '"') payload.remove_prefix(1);
    if (!payload.empty() && payload.back() == '"') payload.remove_suffix(1);
    if (payload.empty()) return {};
    if (payload.front() == '/') return std::string(payload);
    return std::string(programDir) + std::string(payload);
}

std::string TextFileInsertion(std::string_view content) {
    std::string result;
    result.reserve(content.size() + content.size() / 16 + 2);
    size_t start = 0;
    while (start < content.size()) {
        const size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            result.append(content.substr(start)).append("\r\n");
            break;
        }
        result.append(content.substr(start, end - start)).append("\r\n");
        start =
            end +
            (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n' ? 2 : 1);
    }
    return result;
}

std::string QuickFileMask(const IniFile& ini, bool showAll, std::string_view fallback) {
    if (showAll) return "*.*";
    return ini.ReadString("Config", "QFileLoad", fallback);
}

bool MatchesFileMask(std::string_view name, std::string_view masks) {
    size_t start = 0;
    while (start <= masks.size()) {
        size_t end = masks.find(';', start);
        if (end == std::string_view::npos) end = masks.size();
        const std::string_view mask = Trimmed(masks.substr(start, end - start));
        if (!mask.empty() && MatchesOne(name, mask)) return true;
        start = end + 1;
    }
    return false;
}

std::vector<std::string> ListQuickFiles(const std::string& folder, std::string_view masks) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (MatchesFileMask(name, masks)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto lower = [](const std::string& s) {
            std::string l(s);
            for (char& c : l) c = Lower(c);
            return l;
        };
        const std::string la = lower(a), lb = lower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

}  // namespace quinkle

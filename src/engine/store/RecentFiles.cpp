// The recent-files list of the File menu: newest first, kept in the per-user store.
#include "engine/store/RecentFiles.h"

#include <algorithm>

#include "engine/store/UserStore.h"
#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

std::string ValueName(size_t index) { return "F" + std::to_string(index); }

}  // namespace

void RecentFileList::SetMax(int max) {
    m_max = std::clamp(max, 0, kLargestMax);
    if (m_items.size() > static_cast<size_t>(m_max)) m_items.resize(static_cast<size_t>(m_max));
}

void RecentFileList::Add(std::string_view path) {
    if (path.empty() || m_max == 0) return;
    std::erase_if(m_items, [&](const std::string& item) { return EqualsNoCase(item, path); });
    m_items.insert(m_items.begin(), std::string(path));
    if (m_items.size() > static_cast<size_t>(m_max)) m_items.resize(static_cast<size_t>(m_max));
}

size_t RecentFileList::RemoveObsolete(const std::function<bool(const std::string&)>& exists) {
    return std::erase_if(m_items, [&](const std::string& item) { return !exists(item); });
}

void RecentFileList::Load(const UserStore& store) {
    m_items.clear();
    for (size_t index = 0; m_items.size() < static_cast<size_t>(m_max); ++index) {
        std::string name = ValueName(index);
        if (!store.ValueExists(kRecentFilesKey, name)) break;
        std::string path = store.ReadString(kRecentFilesKey, name, "");
        bool listed = std::any_of(m_items.begin(), m_items.end(), [&](const std::string& item) {
            return EqualsNoCase(item, path);
        });
        if (!path.empty() && !listed) m_items.push_back(std::move(path));
    }
}

void RecentFileList::Store(UserStore& store) const {
    store.DeleteKey(kRecentFilesKey);
    store.CreateKey(kRecentFilesKey);
    for (size_t index = 0; index < m_items.size(); ++index) {
        store.WriteString(kRecentFilesKey, ValueName(index), m_items[index]);
    }
}

std::string RecentFileCaption(size_t index, std::string_view path) {
    std::string caption = "&" + std::to_string(index + 1) + " ";
    for (char c : path) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

std::string ShortenPath(std::string_view path, int maxWidth,
                        const std::function<int(std::string_view)>& measure) {
    if (measure(path) <= maxWidth) return std::string(path);
    size_t nameStart = path.find_last_of("/\\");
    if (nameStart == std::string_view::npos) return std::string(path);
    char separator = path[nameStart];
    std::string_view name = path.substr(nameStart + 1);

    // The root stays in front: "/", "C:\" or "\\server\".
    size_t rootEnd = 0;
    if (path.size() >= 2 && path[1] == ':') rootEnd = 2;
    while (rootEnd < nameStart && (path[rootEnd] == '/' || path[rootEnd] == '\\')) ++rootEnd;
    std::string root(path.substr(0, rootEnd));

    // Drop the folders one by one from the left.
    size_t from = rootEnd;
    while (from < nameStart) {
        size_t next = path.find_first_of("/\\", from);
        if (next == std::string_view::npos) break;
        from = next + 1;
        std::string candidate = root + "..." + separator + std::string(path.substr(from));
        if (measure(candidate) <= maxWidth) return candidate;
    }
    std::string candidate = "..." + std::string(1, separator) + std::string(name);
    if (measure(candidate) <= maxWidth) return candidate;
    return std::string(name);
}

}  // namespace quinkle

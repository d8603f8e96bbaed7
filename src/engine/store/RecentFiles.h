// The recent-files list of the File menu: newest first, kept in the per-user store.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

class UserStore;

/// The key the list is kept under: one text value per entry, "F0" (newest), "F1", ...
inline constexpr std::string_view kRecentFilesKey = "\\Software\\HTML Quinkle\\Most Recently Used";

/// An ordered list of full paths, newest first, holding at most Max() entries. Paths are
/// compared without regard to ASCII case, so one file is listed once however it was spelt.
class RecentFileList {
public:
    static constexpr int kDefaultMax = 5;
    /// The largest maximum; the Configure dialog offers 1 to 9.
    static constexpr int kLargestMax = 9;

    explicit RecentFileList(int max = kDefaultMax) { SetMax(max); }

    int Max() const { return m_max; }
    /// Sets the maximum, held to 0..9 (0 keeps nothing), and drops the oldest entries beyond.
    void SetMax(int max);

    const std::vector<std::string>& Items() const { return m_items; }
    size_t Count() const { return m_items.size(); }

    /// Puts `path` at the top; an entry naming the same path (case aside) is removed first,
    /// and the oldest entries beyond the maximum drop off. An empty path is ignored.
    void Add(std::string_view path);
    void Clear() { m_items.clear(); }
    /// Removes every entry for which `exists` is false; returns how many went.
    size_t RemoveObsolete(const std::function<bool(const std::string&)>& exists);

    /// Replaces the entries by the values "F0", "F1", ... of kRecentFilesKey, reading up to the
    /// first missing one and at most Max() entries; empty values and repeats are skipped.
    void Load(const UserStore& store);
    /// Erases kRecentFilesKey, then writes the entries as "F0", "F1", ... in list order.
    void Store(UserStore& store) const;

private:
    std::vector<std::string> m_items;
    int m_max = kDefaultMax;
};

/// The menu caption of the entry at `index` (0 for the newest): "&", index + 1, a blank and
/// the path, each "&" of the path doubled so the menu shows it rather than underlining.
std::string RecentFileCaption(size_t index, std::string_view path);

/// The path cut to fit `maxWidth` as `measure` reports widths (the menu font's, in pixels):
/// whole when it fits, else folders from the left replaced by "..." ("/.../docs/page.htm",
/// then ".../page.htm"), and at last the bare file name, which is never cut.
std::string ShortenPath(std::string_view path, int maxWidth,
                        const std::function<int(std::string_view)>& measure);

}  // namespace quinkle

// The recent-files list of the File menu, kept in the per-user store as documents come and go.
#include "engine/document/RecentDocuments.h"

#include <filesystem>
#include <system_error>

#include "engine/document/DocumentHost.h"
#include "engine/store/UserStore.h"
#include "engine/text/EditorError.h"

namespace quinkle {

void RecentDocuments::SetMax(int max) {
    m_list.SetMax(max);
    m_host.RecentFilesChanged();
}

void RecentDocuments::Load(int max) {
    m_list.SetMax(max);
    m_list.Load(m_store);
    m_host.RecentFilesChanged();
}

void RecentDocuments::Add(const std::string& path) {
    if (m_list.Max() <= 0) return;
    m_list.Add(path);
    Store();
}

void RecentDocuments::Clear() {
    m_list.Clear();
    Store();
}

void RecentDocuments::RemoveObsolete() {
    m_list.RemoveObsolete([](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::exists(path, ignored);
    });
    Store();
}

void RecentDocuments::Store() {
    // A list that cannot be kept is still shown: the menu is rebuilt either way.
    try {
        m_list.Store(m_store);
        m_store.Flush();
    } catch (const EQuinkleError& error) {
        m_host.ShowNotice(error.what());
    }
    m_host.RecentFilesChanged();
}

}  // namespace quinkle

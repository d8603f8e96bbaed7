// The recent-files list of the File menu, kept in the per-user store as documents come and go.
#pragma once

#include <string>

#include "engine/store/RecentFiles.h"

namespace quinkle {

class DocumentHost;
class UserStore;

/// The recent-files list with its storage: every change is written to the per-user store at
/// once (a store that cannot be written is shown as a notice) and reported to the host, which
/// shows the list.
class RecentDocuments {
public:
    RecentDocuments(UserStore& store, DocumentHost& host) : m_store(store), m_host(host) {}

    const RecentFileList& List() const { return m_list; }
    int Max() const { return m_list.Max(); }
    /// A new maximum (0..9) from the Configure dialog; the oldest entries beyond it drop off
    /// the menu, and the store keeps them until the next change.
    void SetMax(int max);
    /// Reads the list from the store, holding at most `max` entries.
    void Load(int max);
    /// Puts `path` at the top; nothing happens while the maximum is 0.
    void Add(const std::string& path);
    void Clear();
    /// Drops the entries whose file no longer exists.
    void RemoveObsolete();

private:
    void Store();

    RecentFileList m_list;
    UserStore& m_store;
    DocumentHost& m_host;
};

}  // namespace quinkle

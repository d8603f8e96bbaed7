// Saving a file so that its previous version becomes its backup copy.
#pragma once

#include <functional>
#include <string>

namespace quinkle {

/// Writes `path` through `write`. With `keepBackup` and an existing file, the old file is kept
/// aside first (a hard link, or a copy where links are not possible) and becomes
/// `backupPath` only once `write` returned, so a failed save leaves both the file and an older
/// backup as they were. A backup that cannot be made calls `backupFailed` and the save goes
/// on without it. An exception from `write` leaves no file of its own behind and passes on.
void SaveWithBackup(const std::string& path, bool keepBackup, const std::string& backupPath,
                    const std::function<void(const std::string& path)>& write,
                    const std::function<void()>& backupFailed);

}  // namespace quinkle

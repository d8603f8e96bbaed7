// Saving a file so that its previous version becomes its backup copy.
#include "engine/document/SaveWithBackup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quinkle {
namespace {

// A fresh name beside `backup` for the old file's bytes while the new file is written.
std::string PendingBackupName(const std::string& backup) {
    return backup + ".quinkle-backup-" + std::to_string(::getpid());
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

// Keeps the old file's bytes under `pending`: a hard link (the save replaces the file, so the
// link keeps the old version) or, where links are not possible, a copy.
bool KeepOldFile(const std::string& path, const std::string& pending) {
    RemoveQuietly(pending);
    if (::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, pending.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    std::error_code error;
    return std::filesystem::copy_file(path, pending, error) && !error;
}

}  // namespace

void SaveWithBackup(const std::string& path, bool keepBackup, const std::string& backupPath,
                    const std::function<void(const std::string& path)>& write,
                    const std::function<void()>& backupFailed) {
    std::string pending;
    std::error_code ignored;
    if (keepBackup && std::filesystem::exists(path, ignored)) {
        pending = PendingBackupName(backupPath);
        if (!KeepOldFile(path, pending)) {
            RemoveQuietly(pending);
            pending.clear();
            backupFailed();
        }
    }
    try {
        write(path);
    } catch (...) {
        if (!pending.empty()) RemoveQuietly(pending);
        throw;
    }
    if (!pending.empty() && std::rename(pending.c_str(), backupPath.c_str()) != 0) {
        RemoveQuietly(pending);
        backupFailed();
    }
}

}  // namespace quinkle

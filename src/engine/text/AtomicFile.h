// Atomic file writing: new content goes to a temporary file beside the target, which is made
// durable and renamed over the target, optionally keeping the replaced file as a backup.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "engine/text/EditorError.h"

namespace quinkle {

struct AtomicWriteOptions {
    /// When not empty and the target exists, the replaced file is kept under this name
    /// (an old file of that name is replaced only once the new target is in place).
    std::string BackupPath;
    /// Permission bits of a new file, less the umask; a replaced file keeps its own.
    unsigned NewFileMode = 0666;
};

/// The system's reason an atomic write failed, kept apart from the message so that a caller
/// can word the message in its own terms.
class AtomicWriteFailure {
public:
    explicit AtomicWriteFailure(std::string reason) : m_reason(std::move(reason)) {}
    virtual ~AtomicWriteFailure() = default;
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_reason;
};

/// The temporary file could not be created: "Cannot create file '<path>': <reason>".
class EAtomicCreateError : public EFCreateError, public AtomicWriteFailure {
public:
    EAtomicCreateError(const std::string& path, const std::string& reason);
};

/// Writing, flushing or renaming failed: "Cannot save file '<path>': <reason>".
class EAtomicSaveError : public EFileSaveError, public AtomicWriteFailure {
public:
    EAtomicSaveError(const std::string& path, const std::string& reason);
};

/// The new content is in place, but the replaced file could not be kept as the backup. Not a
/// save error: the caller tells the user and treats the save as done.
class EBackupError : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

/// Streams bytes into a temporary file in the target's folder; Commit puts it in place.
///
/// A symbolic link target is followed: the link stays, the file it points to is replaced. A
/// replaced file's permission bits are kept; a new file gets NewFileMode less the umask. Until
/// Commit succeeds the target (and an old backup) stay as they were; a writer destroyed without a
/// successful Commit removes its temporary file.
class AtomicFileWriter {
public:
    /// Creates the temporary file; raises EAtomicCreateError when it cannot.
    explicit AtomicFileWriter(std::string path, AtomicWriteOptions options = {});
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    /// Appends `bytes` to the temporary file; raises EAtomicSaveError on failure, after which
    /// the writer is abandoned. Neither Write nor Commit may follow a Commit or a failure.
    void Write(std::string_view bytes);
    /// Flushes the temporary file to the disk, renames it over the target and flushes the
    /// folder. Raises EAtomicSaveError when the target could not be replaced (the temporary
    /// file is then gone), and EBackupError when only the backup could not be kept.
    void Commit();

private:
    [[noreturn]] void Abandon(int error);
    bool PrepareBackup();
    bool FinishBackup();
    void Discard();

    std::string m_path;    // as the caller named it, for messages
    std::string m_target;  // the file replaced: m_path with a symbolic link followed
    std::string m_temporary;
    std::string m_backup;
    std::string m_pendingBackup;  // the old file linked or copied beside the backup
    int m_fd = -1;
    bool m_done = false;
};

/// Writes `bytes` to `path` atomically; throws EFileSaveError/EFCreateError
/// (engine/text/EditorError.h) with a clear message and leaves the old file (and old backup)
/// as they were on failure. Raises EBackupError after a successful write when the backup asked
/// for could not be kept.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const AtomicWriteOptions& options = {});

}  // namespace quinkle

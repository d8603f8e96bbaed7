// Atomic file writing: the temporary file, its rename over the target, and the backup step.
#include "engine/text/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quinkle {
namespace {

// Attempts at finding an unused temporary file name before giving up.
constexpr int kTemporaryNameAttempts = 100;
// Bytes read at a time when the backup has to be copied.
constexpr size_t kCopyChunk = 65536;
// Symbolic links followed before a chain is taken for a loop, as the kernel does.
constexpr int kMaxLinkHops = 40;

std::string SystemError(int error) { return std::strerror(error); }

// A name beside `file` that no other writer of this process uses, starting with a dot so
// that folder listings hide it.
std::string TemporaryNameBeside(const std::string& file) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path path(file);
    return (path.parent_path() /
            ("." + path.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
             std::to_string(counter.fetch_add(1))))
        .string();
}

// Creates a new file of a fresh temporary name beside `file`; -1 with errno set on failure.
int CreateTemporaryBeside(const std::string& file, mode_t mode, std::string& name) {
    for (int attempt = 0;; ++attempt) {
        name = TemporaryNameBeside(file);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST || attempt == kTemporaryNameAttempts) return fd;
    }
}

// The file a save replaces: the end of a chain of symbolic links rather than a link itself.
// A link to a file that does not exist yet names the file to create; "" for a loop of links.
std::string ResolveLink(const std::string& path) {
    std::filesystem::path current(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error)))
            return current.string();
        std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error) return current.string();
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return "";  // a loop of links
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Makes a rename in the folder of `file` durable; a failure here loses nothing.
void SyncFolderOf(const std::string& file) {
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty()) folder = ".";
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Copies `from` to the new file `to` with the permissions of `from`, for backups on file
// systems without hard links; on failure nothing is left at `to`.
bool CopyFile(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat info {};
    int out = ::fstat(in, &info) == 0 ? ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                               info.st_mode & 07777)
                                      : -1;
    bool copied = out >= 0;
    char chunk[kCopyChunk];
    while (copied) {
        ssize_t got = ::read(in, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        copied = WriteAll(out, std::string_view(chunk, static_cast<size_t>(got)));
    }
    if (out >= 0) {
        copied = copied && ::fsync(out) == 0;
        copied = ::close(out) == 0 && copied;
        if (!copied) ::unlink(to.c_str());
    }
    ::close(in);
    return copied;
}

}  // namespace

EAtomicCreateError::EAtomicCreateError(const std::string& path, const std::string& reason)
    : EFCreateError(FormatMessage("Cannot create file '%s'", path) + ": " + reason),
      AtomicWriteFailure(reason) {}

EAtomicSaveError::EAtomicSaveError(const std::string& path, const std::string& reason)
    : EFileSaveError(FormatMessage("Cannot save file '%s'", path) + ": " + reason),
      AtomicWriteFailure(reason) {}

// ---- AtomicFileWriter ----

AtomicFileWriter::AtomicFileWriter(std::string path, AtomicWriteOptions options)
    : m_path(std::move(path)), m_target(ResolveLink(m_path)), m_backup(options.BackupPath) {
    if (m_target.empty()) throw EAtomicCreateError(m_path, SystemError(ELOOP));
    // A replaced file keeps its permission bits; a new one gets the mode asked for less the
    // umask, which open applies to the mode given here.
    struct stat old {};
    bool replacing = ::stat(m_target.c_str(), &old) == 0;
    m_fd = CreateTemporaryBeside(m_target, static_cast<mode_t>(options.NewFileMode), m_temporary);
    if (m_fd < 0) throw EAtomicCreateError(m_path, SystemError(errno));
    // File systems without permission bits refuse fchmod; the save goes on regardless.
    if (replacing) (void)::fchmod(m_fd, old.st_mode & 07777);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_done) Discard();
}

void AtomicFileWriter::Discard() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    if (!m_pendingBackup.empty()) ::unlink(m_pendingBackup.c_str());
    m_temporary.clear();
    m_pendingBackup.clear();
    m_done = true;
}

void AtomicFileWriter::Abandon(int error) {
    Discard();
    throw EAtomicSaveError(m_path, SystemError(error));
}

void AtomicFileWriter::Write(std::string_view bytes) {
    assert(!m_done && "a writer takes no bytes once committed or abandoned");
    if (!WriteAll(m_fd, bytes)) Abandon(errno);
}

void AtomicFileWriter::Commit() {
    assert(!m_done && "a writer is committed once");
    if (::fsync(m_fd) != 0) Abandon(errno);
    int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0) Abandon(errno);
    bool backupKept = m_backup.empty() || PrepareBackup();
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) Abandon(errno);
    m_temporary.clear();
    SyncFolderOf(m_target);
    backupKept = FinishBackup() && backupKept;
    m_done = true;
    if (!backupKept)
        throw EBackupError("Cannot keep the old file '" + m_path + "' as backup '" + m_backup +
                           "'");
}

// The old target is linked (or, where links are impossible, copied) to a temporary name
// beside the backup, so the old backup stays until the new target is in place. False when
// the old target exists but could not be kept; true when there is nothing to keep.
bool AtomicFileWriter::PrepareBackup() {
    struct stat info {};
    if (::stat(m_target.c_str(), &info) != 0) return errno == ENOENT;
    if (!S_ISREG(info.st_mode)) return false;
    // A backup name that is the target itself would put the old content back over the new.
    struct stat backup {};
    if (::stat(m_backup.c_str(), &backup) == 0 && backup.st_dev == info.st_dev &&
        backup.st_ino == info.st_ino)
        return false;
    for (int attempt = 0;; ++attempt) {
        std::string pending = TemporaryNameBeside(m_backup);
        if (::link(m_target.c_str(), pending.c_str()) == 0 || CopyFile(m_target, pending)) {
            m_pendingBackup = pending;
            return true;
        }
        if (errno != EEXIST || attempt == kTemporaryNameAttempts) return false;
    }
}

// Renames the kept old target to the backup name; false when that fails.
bool AtomicFileWriter::FinishBackup() {
    if (m_pendingBackup.empty()) return true;
    bool renamed = ::rename(m_pendingBackup.c_str(), m_backup.c_str()) == 0;
    if (renamed) {
        SyncFolderOf(m_backup);
    } else {
        ::unlink(m_pendingBackup.c_str());
    }
    m_pendingBackup.clear();
    return renamed;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const AtomicWriteOptions& options) {
    AtomicFileWriter writer(path, options);
    writer.Write(bytes);
    writer.Commit();
}

}  // namespace quinkle

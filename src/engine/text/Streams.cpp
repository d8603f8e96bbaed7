// Memory and file streams.
#include "engine/text/Streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/text/EditorError.h"

namespace quinkle {

std::string Stream::ReadAll() {
    std::string data;
    int64_t rest = Size() - Position();
    if (rest > 0) data.reserve(static_cast<size_t>(rest));
    char buffer[65536];
    for (;;) {
        size_t got = Read(buffer, sizeof buffer);
        if (got == 0) break;
        data.append(buffer, got);
    }
    return data;
}

size_t MemoryStream::Read(void* buffer, size_t count) {
    size_t n = std::min(count, m_data.size() - std::min(m_position, m_data.size()));
    std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return n;
}

size_t MemoryStream::Write(const void* buffer, size_t count) {
    if (m_position > m_data.size()) m_data.resize(m_position);
    size_t overlap = std::min(count, m_data.size() - m_position);
    m_data.replace(m_position, overlap, static_cast<const char*>(buffer), count);
    m_position += count;
    return count;
}

void MemoryStream::Seek(int64_t position) {
    m_position = static_cast<size_t>(std::max<int64_t>(0, position));
}

size_t FastMemoryStream::Read(void* buffer, size_t count) {
    size_t n = std::min(count, m_data.size() - std::min(m_position, m_data.size()));
    if (n > 0) std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return n;
}

size_t FastMemoryStream::Write(const void*, size_t) {
    throw EStreamError("Cannot write to a read-only stream");
}

void FastMemoryStream::Seek(int64_t position) {
    m_position = static_cast<size_t>(std::clamp<int64_t>(position, 0, Size()));
}

FileStream::FileStream(const std::string& path, Mode mode) : m_path(path) {
    if (mode == Mode::Read) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || S_ISDIR(info.st_mode))) {
            ::close(m_fd);
            m_fd = -1;
        }
        if (m_fd < 0)
            throw EFOpenError(FormatMessage("File '%s' cannot be opened for reading", path));
    } else {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0)
            throw EFCreateError(FormatMessage("Cannot create file '%s'", path) + ": " +
                                std::strerror(errno));
    }
}

FileStream::~FileStream() {
    if (m_fd >= 0) ::close(m_fd);
}

size_t FileStream::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t got = ::read(m_fd, static_cast<char*>(buffer) + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0)
            throw EStreamError(FormatMessage("Could not read file '%s'", m_path) + ": " +
                               std::strerror(errno));
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

size_t FileStream::Write(const void* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t put = ::write(m_fd, static_cast<const char*>(buffer) + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) break;  // a full disk or an I/O error: report the short count
        done += static_cast<size_t>(put);
    }
    return done;
}

int64_t FileStream::Position() const { return ::lseek(m_fd, 0, SEEK_CUR); }

void FileStream::Seek(int64_t position) { ::lseek(m_fd, position, SEEK_SET); }

int64_t FileStream::Size() const {
    struct stat info {};
    return ::fstat(m_fd, &info) == 0 ? info.st_size : 0;
}

bool FileStream::Sync() { return ::fsync(m_fd) == 0; }

void FileStream::Truncate() {
    if (::ftruncate(m_fd, Position()) != 0) {
        // A failed cut leaves extra bytes behind; the caller's size check catches that.
    }
}

}  // namespace quinkle

// Byte streams the editor loads from and saves to: memory, read-only memory and files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quinkle {

/// A positioned byte stream. Read returns fewer bytes only at the end; Write returns the
/// number of bytes it could write (fewer when the medium is full).
class Stream {
public:
    virtual ~Stream() = default;
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Position() const = 0;
    virtual void Seek(int64_t position) = 0;
    virtual int64_t Size() const = 0;

    /// Reads everything from the current position to the end.
    std::string ReadAll();
};

/// A growable stream in memory.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::string data) : m_data(std::move(data)) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Position() const override { return m_position; }
    void Seek(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(m_data.size()); }
    const std::string& Data() const { return m_data; }

private:
    std::string m_data;
    size_t m_position = 0;
};

/// A stream over a caller's buffer that it does not copy; writing raises EStreamError.
class FastMemoryStream : public Stream {
public:
    explicit FastMemoryStream(std::string_view data) : m_data(data) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Position() const override { return m_position; }
    void Seek(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(m_data.size()); }

private:
    std::string_view m_data;
    size_t m_position = 0;
};

/// A file opened for reading (shared) or created for writing.
class FileStream : public Stream {
public:
    enum class Mode { Read, Create };
    /// Opens `path`; raises EFOpenError when it cannot be opened for reading, or
    /// EFCreateError when it cannot be created.
    FileStream(const std::string& path, Mode mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Position() const override;
    void Seek(int64_t position) override;
    int64_t Size() const override;
    /// Flushes the written bytes to the disk; false when that fails.
    bool Sync();
    /// Cuts the file at the current position.
    void Truncate();

private:
    int m_fd = -1;
    std::string m_path;
};

}  // namespace quinkle

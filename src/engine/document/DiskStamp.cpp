// File stamps and the decisions about a document's file changed outside the editor.
#include "engine/document/DiskStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>
#include <vector>

namespace quinkle {
namespace {

// FNV-1a over `bytes`, continuing from `hash`.
uint64_t Fnv1a(std::string_view bytes, uint64_t hash) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    return hash;
}

// Appends up to `length` bytes at `offset`; false when reading failed.
bool ReadAt(int fd, uint64_t offset, uint64_t length, std::string& out) {
    std::vector<char> buffer(length);
    uint64_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd, buffer.data() + done, length - done, off_t(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        done += uint64_t(got);
    }
    out.append(buffer.data(), done);
    return true;
}

}  // namespace

DiskStamp StampOf(const std::string& path) {
    DiskStamp stamp;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return stamp;
    struct stat info {};
    std::string ends;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        const uint64_t size = uint64_t(info.st_size);
        const uint64_t head = std::min(size, kStampHashedEnd);
        ok = ReadAt(fd, 0, head, ends);
        if (ok && size > head) {
            const uint64_t tail = std::min(size - head, kStampHashedEnd);
            ok = ReadAt(fd, size - tail, tail, ends);
        }
    }
    ::close(fd);
    if (!ok) return stamp;
    stamp.Exists = true;
    stamp.Size = uint64_t(info.st_size);
    stamp.ModifiedNs = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.Hash = Fnv1a(ends, 0xCBF29CE484222325ull);
    return stamp;
}

DiskAction ActionOnActivation(bool named, const DiskStamp& recorded, const DiskStamp& current,
                              const DiskStamp& lastAsked) {
    if (!named || current == recorded || current == lastAsked) return DiskAction::Nothing;
    if (!current.Exists) return recorded.Exists ? DiskAction::TellDeleted : DiskAction::Nothing;
    return DiskAction::OfferReload;
}

bool SaveOverNeedsConsent(const DiskStamp& recorded, const DiskStamp& current) {
    return current.Exists && current != recorded;
}

}  // namespace quinkle

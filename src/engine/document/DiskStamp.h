// What a document's file looked like when it was loaded or saved, and what to do when the
// file on disk no longer looks so.
#pragma once

#include <cstdint>
#include <string>

namespace quinkle {

/// A file's size, modification time and a hash of its first and last bytes: cheap to take
/// on every load, save and window activation, and different after any change that touches
/// the size, the time or either end.
struct DiskStamp {
    bool Exists = false;
    uint64_t Size = 0;
    int64_t ModifiedNs = 0;
    uint64_t Hash = 0;
    bool operator==(const DiskStamp&) const = default;
};

/// How many bytes at each end of a file the stamp hashes.
inline constexpr uint64_t kStampHashedEnd = 64 * 1024;

/// The stamp of `path` now; a file that cannot be read counts as not existing.
DiskStamp StampOf(const std::string& path);

/// What the window does about its document's file when it gets the focus.
enum class DiskAction {
    Nothing,      ///< the file is as recorded, or this change was asked about already
    OfferReload,  ///< it changed: offer to load it again
    TellDeleted,  ///< it is gone: say so, keep the text and mark it modified
};

/// The action for a document whose file was `recorded` at its last load or save and is
/// `current` now; `lastAsked` is the state the user was last asked about, so each change is
/// asked about once. An untitled document (`named` false) has nothing to check.
DiskAction ActionOnActivation(bool named, const DiskStamp& recorded, const DiskStamp& current,
                              const DiskStamp& lastAsked);

/// Whether saving over the file needs the user's consent first: it exists and changed since
/// it was last loaded or saved. A file that is gone is written again without asking.
bool SaveOverNeedsConsent(const DiskStamp& recorded, const DiskStamp& current);

}  // namespace quinkle

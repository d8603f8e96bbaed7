// The checks made before a file is read into a document: its size against the largest the
// editor opens, and against the memory free for it.
#pragma once

#include <cstdint>
#include <string>

namespace quinkle {

/// The largest file the editor opens. Offsets into a document are 32-bit, and a page past this
/// size is far beyond what anyone edits by hand.
inline constexpr int64_t kMaxLoadBytes = int64_t{1} << 30;

/// The memory a loaded file takes as a multiple of its size: the rows and their index, and the
/// loaded bytes kept so an unchanged document saves exactly as it was read.
inline constexpr double kLoadMemoryFactor = 2.5;

/// The memory the system can give without swapping ("MemAvailable" of /proc/meminfo), or -1
/// when it cannot be told.
int64_t AvailableMemory();

/// Why the file `name` of `size` bytes cannot be read with `available` bytes of memory free
/// (-1: unknown, so only the size limit applies); empty when it can.
std::string LoadRefusal(const std::string& name, int64_t size, int64_t available);

/// "1.5 GB", "600 MB", "12 KB", "80 bytes": a size as a person reads it.
std::string ReadableSize(int64_t bytes);

}  // namespace quinkle

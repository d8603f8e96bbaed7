// Advice to the kernel for large fresh buffers.
#include "engine/text/HugePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace quinkle {

void AdviseHugePages([[maybe_unused]] void* at, [[maybe_unused]] size_t size) {
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t kHuge = uintptr_t{2} << 20;
    const uintptr_t first = (reinterpret_cast<uintptr_t>(at) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t last = (reinterpret_cast<uintptr_t>(at) + size) & ~(kHuge - 1);
    if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace quinkle

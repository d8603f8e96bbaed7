// Advice to the kernel for large fresh buffers.
#pragma once

#include <cstddef>

namespace quinkle {

/// Asks for huge pages behind the whole 2 MB pages of [at, at + size), which spares most page
/// faults of filling a large fresh buffer. Only advice: without it small pages do the same.
void AdviseHugePages(void* at, size_t size);

}  // namespace quinkle

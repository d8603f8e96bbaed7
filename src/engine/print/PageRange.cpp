// The print order of pages.
#include "engine/print/PageRange.h"

#include <algorithm>

namespace quinkle {

std::vector<int> PagesToPrint(PageRange range, int pageCount, int copies, bool collate) {
    std::vector<int> pages;
    const int first = std::max(range.First, 1);
    const int last = range.Last == 0 ? pageCount : std::min(range.Last, pageCount);
    if (first > last) return pages;
    copies = std::max(copies, 1);
    pages.reserve(static_cast<size_t>(last - first + 1) * static_cast<size_t>(copies));
    if (collate) {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = first; page <= last; ++page) pages.push_back(page);
    } else {
        for (int page = first; page <= last; ++page) pages.insert(pages.end(), copies, page);
    }
    return pages;
}

}  // namespace quinkle

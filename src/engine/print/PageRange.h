// Which pages are printed, and in which order, for a page range, copies and collation.
#pragma once

#include <vector>

namespace quinkle {

/// Pages First to Last (counting from 1); 0 for First means from the first page, 0 for Last
/// to the last page.
struct PageRange {
    int First = 0;
    int Last = 0;
};

/// The page numbers to print of a document of `pageCount` pages, in order: the range clipped
/// to the pages there are (nothing when it holds none), `copies` times (at least once).
/// Collated copies repeat the whole range; uncollated ones repeat each page before the next.
std::vector<int> PagesToPrint(PageRange range, int pageCount, int copies, bool collate);

}  // namespace quinkle

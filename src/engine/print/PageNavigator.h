// Which page the print preview shows, and the status text that says so.
#pragma once

#include <string>

namespace quinkle {

/// The current page among PageCount() pages: 1..PageCount(), or 0 when there are none.
class PageNavigator {
public:
    /// Takes a new page count (after the pages were laid out again); the current page stays
    /// where it was when it still exists, else it becomes the last page.
    void SetPageCount(int count);
    /// Takes a page count and goes to the first page (0 when there are none).
    void Restart(int count);
    int PageCount() const { return m_count; }
    int Current() const { return m_current; }

    /// Moves one page on or back; false (and nothing changes) at the last or first page.
    bool Next();
    bool Previous();

    /// "Page " n " of " m.
    std::string StatusText() const;

private:
    int m_count = 0;
    int m_current = 0;
};

}  // namespace quinkle

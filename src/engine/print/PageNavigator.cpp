// Moving through the pages of the print preview.
#include "engine/print/PageNavigator.h"

#include <algorithm>

namespace quinkle {

void PageNavigator::SetPageCount(int count) {
    m_count = std::max(count, 0);
    m_current = m_count == 0 ? 0 : std::clamp(m_current, 1, m_count);
}

void PageNavigator::Restart(int count) {
    m_current = 0;
    SetPageCount(count);
}

bool PageNavigator::Next() {
    if (m_current >= m_count) return false;
    ++m_current;
    return true;
}

bool PageNavigator::Previous() {
    if (m_current <= 1) return false;
    --m_current;
    return true;
}

std::string PageNavigator::StatusText() const {
    return "Page " + std::to_string(m_current) + " of " + std::to_string(m_count);
}

}  // namespace quinkle

// Shifting and freeing of markers as text is inserted and deleted.
#include "engine/text/TextMarks.h"

#include <algorithm>

namespace quinkle {

void CustomBookmarks::Set(const std::string& name, int32_t offset) {
    Remove(name);
    auto at = std::upper_bound(m_entries.begin(), m_entries.end(), offset,
                               [](int32_t value, const Entry& e) { return value < e.Offset; });
    m_entries.insert(at, Entry{name, offset});
}

int32_t CustomBookmarks::Find(const std::string& name) const {
    for (const Entry& e : m_entries)
        if (e.Name == name) return e.Offset;
    return -1;
}

bool CustomBookmarks::Remove(const std::string& name) {
    return std::erase_if(m_entries, [&](const Entry& e) { return e.Name == name; }) > 0;
}

void CustomBookmarks::Inserted(int32_t at, int32_t length) {
    for (Entry& e : m_entries)
        if (e.Offset >= at) e.Offset += length;
}

void CustomBookmarks::Deleted(int32_t from, int32_t to) {
    std::vector<std::string> freed;
    std::erase_if(m_entries, [&](const Entry& e) {
        bool inside = e.Offset >= from && e.Offset < to;
        if (inside) freed.push_back(e.Name);
        return inside;
    });
    for (Entry& e : m_entries)
        if (e.Offset >= to) e.Offset -= to - from;
    if (OnCustomBookmarkFree)
        for (const std::string& name : freed) OnCustomBookmarkFree(name);
}

RangeMark* RangeMarkList::Add(int32_t start, int32_t length, intptr_t value) {
    m_marks.push_back(std::make_unique<RangeMark>(RangeMark{start, start + length, value}));
    return m_marks.back().get();
}

void RangeMarkList::Delete(RangeMark* mark) {
    std::erase_if(m_marks, [&](const auto& m) { return m.get() == mark; });
}

void RangeMarkList::Inserted(int32_t at, int32_t length) {
    for (auto& mark : m_marks) {
        bool changed = false;
        if (mark->Start >= at) mark->Start += length, changed = true;
        if (mark->End >= at) mark->End += length, changed = true;
        if (changed && OnMarkChange) OnMarkChange(*mark);
    }
}

void RangeMarkList::Deleted(int32_t from, int32_t to) {
    int32_t length = to - from;
    auto shift = [&](int32_t& pos) {
        if (pos >= to)
            pos -= length;
        else if (pos > from)
            pos = from;
        else
            return false;
        return true;
    };
    std::vector<intptr_t> freed;
    std::erase_if(m_marks, [&](const auto& mark) {
        bool inside = mark->Start >= from && mark->End <= to && length > 0;
        if (inside) freed.push_back(mark->Value);
        return inside;
    });
    for (auto& mark : m_marks) {
        bool changed = shift(mark->Start);
        changed = shift(mark->End) || changed;
        if (changed && OnMarkChange) OnMarkChange(*mark);
    }
    if (OnMarkFree)
        for (intptr_t value : freed) OnMarkFree(value);
}

}  // namespace quinkle

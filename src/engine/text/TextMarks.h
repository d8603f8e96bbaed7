// Named position markers and range marks that follow the text through edits.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quinkle {

/// Named positions, kept in ascending offset order. An edit that deletes a position's
/// character removes the marker and reports its name through OnCustomBookmarkFree.
class CustomBookmarks {
public:
    struct Entry {
        std::string Name;
        int32_t Offset = 0;
    };

    /// Sets (or moves) the marker `name` to `offset`.
    void Set(const std::string& name, int32_t offset);
    /// The marker's offset, or -1 when there is none of that name.
    int32_t Find(const std::string& name) const;
    bool Remove(const std::string& name);
    void Clear() { m_entries.clear(); }
    const std::vector<Entry>& Entries() const { return m_entries; }

    void Inserted(int32_t at, int32_t length);
    void Deleted(int32_t from, int32_t to);

    std::function<void(const std::string& name)> OnCustomBookmarkFree;

private:
    std::vector<Entry> m_entries;
};

/// A marked range [Start, End) with a value of the caller's.
struct RangeMark {
    int32_t Start = 0;
    int32_t End = 0;
    intptr_t Value = 0;
};

/// The store's range marks. Inserting shifts every position at or after the insertion;
/// deleting frees the marks that lie wholly inside the deleted range (OnMarkFree), pulls
/// positions inside it to its start and shifts those after it back (OnMarkChange).
class RangeMarkList {
public:
    RangeMark* Add(int32_t start, int32_t length, intptr_t value);
    void Delete(RangeMark* mark);
    size_t Count() const { return m_marks.size(); }
    RangeMark* At(size_t i) const { return m_marks[i].get(); }
    void Clear() { m_marks.clear(); }

    void Inserted(int32_t at, int32_t length);
    void Deleted(int32_t from, int32_t to);

    std::function<void(RangeMark& mark)> OnMarkChange;
    std::function<void(intptr_t value)> OnMarkFree;

private:
    std::vector<std::unique_ptr<RangeMark>> m_marks;
};

}  // namespace quinkle

// Finding a fixed text: Boyer-Moore-Horspool over a character reader.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search/ByteSet.h"
#include "engine/search/CharReader.h"

namespace quinkle {

/// Searches a text for one fixed pattern, forwards or backwards, with or without regard to
/// case (without, ASCII letters compare upper-cased), optionally only as a whole word. The
/// text is read through a CharReader; matches may span its pieces.
class PlainSearcher {
public:
    PlainSearcher(std::string_view pattern, bool matchCase);

    /// Accept only matches not preceded or followed by a byte in `wordChars` (null: all).
    /// The set must outlive the searcher.
    void SetWholeWords(const ByteSet* wordChars) { m_wordChars = wordChars; }
    int32_t PatternLength() const { return static_cast<int32_t>(m_pattern.size()); }

    /// The first match lying inside [from, limit); -1 when there is none (also for an empty
    /// pattern). `limit` is clipped to the text.
    int32_t FindForward(const CharReader& text, int32_t from, int32_t limit);
    /// The last match that starts in [lowest, before); -1 when there is none.
    int32_t FindBackward(const CharReader& text, int32_t before, int32_t lowest = 0);

private:
    /// The first accepted match in block[0, size) (block[0] is at offset `base`); -1 if none.
    int64_t ScanForward(const char* block, size_t size, int32_t base, ReaderCursor& around) const;
    int64_t ScanBackward(const char* block, size_t size, int32_t base, ReaderCursor& around) const;
    bool Equal(const uint8_t* text) const;
    size_t FirstWindow() const;
    size_t NextWindow(size_t capacity) const;
    bool Accept(int32_t start, ReaderCursor& around) const;

    std::string m_pattern;  // upper-cased without match case
    bool m_matchCase;
    std::array<uint32_t, 256> m_skip{};      // forward shift by the window's last byte
    std::array<uint32_t, 256> m_backSkip{};  // backward shift by the window's first byte
    const ByteSet* m_wordChars = nullptr;
    std::vector<char> m_window;
};

}  // namespace quinkle

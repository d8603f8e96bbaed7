// Turning outside text into stored text: one CR per line end, every other byte kept.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quinkle {

/// The kinds of line end that outside text may hold.
enum LineEndKind { lkCRLF, lkLF, lkCR, lkLFCR, lkKindCount };

/// Normalises text as it enters the store: CR LF, LF CR, a lone LF and a lone CR each
/// become one CR; every other byte (TAB, NUL and the other control bytes included) stays as
/// it is. The normaliser remembers a line end that closed the previous piece, so a CR LF or
/// LF CR pair split across two pieces still yields one CR, and counts the line ends of each
/// kind it met.
class LineEndNormaliser {
public:
    /// Appends the stored form of `text` to `out`.
    void Append(std::string_view text, std::string& out);
    /// Writes the stored form of the `size` bytes at `text` to `out` and returns its length.
    /// `out` has room for `size` bytes (the stored form is never longer) and may be `text`
    /// itself, normalising in place; any other overlap is not allowed.
    size_t Normalise(const char* text, size_t size, char* out);
    /// Forgets the pending line end; the next piece starts fresh.
    void Reset() {
        Settle();
        m_pending = 0;
    }
    /// The line ends met so far, by kind; a line end at the very end counts as a lone one.
    std::array<int64_t, lkKindCount> Counts() const;

private:
    /// Counts a pending line end as a lone one: no partner can follow any more.
    void Settle() {
        if (m_pending != 0) ++m_counts[m_pending == '\r' ? lkCR : lkLF];
        m_pending = 0;
    }

    // The last byte of a piece was a line end, already written; its partner may still come.
    char m_pending = 0;
    std::array<int64_t, lkKindCount> m_counts{};
};

/// The stored form of a whole text.
std::string NormaliseLineEnds(std::string_view text);

/// Reads `fd` (a file, pipe or terminal) to its end and appends the stored form of its bytes
/// to `out`, as the editor's load makes it (a text with a UTF-16 or UTF-32 byte-order mark
/// decoded to UTF-8), so offsets into `out` are the editor's offsets. Returns false with errno
/// set when a read fails, or with EFBIG once `out` would pass `maxBytes`; `out` then holds
/// what was read so far.
bool ReadStoredText(int fd, std::string& out, size_t maxBytes);

}  // namespace quinkle

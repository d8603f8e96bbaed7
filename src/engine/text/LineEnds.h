// Turning outside text into stored text: one CR per line end, no other control bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quinkle {

/// Normalises text as it enters the store: CR LF, LF CR, a lone LF and a lone CR each
/// become one CR; TAB and every byte of 32 or more stay; other bytes below 32 become ".".
/// The normaliser remembers a line end that closed the previous piece, so a CR LF or LF CR
/// pair split across two pieces still yields one CR.
class LineEndNormaliser {
public:
    /// Appends the stored form of `text` to `out`.
    void Append(std::string_view text, std::string& out);
    /// Forgets the pending line end; the next piece starts fresh.
    void Reset() { m_pending = 0; }

private:
    char m_pending = 0;  // CR or LF just written as a line end, whose partner is swallowed
};

/// The stored form of a whole text.
std::string NormaliseLineEnds(std::string_view text);

/// Reads `fd` (a file, pipe or terminal) to its end and appends the stored form of its bytes
/// to `out`, as the editor's load makes it, so offsets into `out` are the editor's offsets.
/// Returns false with errno set when a read fails, or with EFBIG once `out` would pass
/// `maxBytes`; `out` then holds what was read so far.
bool ReadStoredText(int fd, std::string& out, size_t maxBytes);

}  // namespace quinkle

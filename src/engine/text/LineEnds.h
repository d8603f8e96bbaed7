// Turning outside text into stored text: one CR per line end, no other control bytes.
#pragma once

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

}  // namespace quinkle

// The word-wrap rule: fill a row up to the wrap width, then cut at the last break.
#include "engine/text/LineWrapper.h"

#include <algorithm>

#include "engine/text/TextRow.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

// Length and code point of the character at `i` (a stray byte stands for itself).
size_t CharacterAt(std::string_view text, size_t i, char32_t& cp) {
    size_t length = DecodeUtf8(text.data() + i, text.size() - i, cp);
    if (length == 0) {
        cp = Windows1252ToUnicode(static_cast<unsigned char>(text[i]));
        return 1;
    }
    return length;
}

// A cut at the row limit that does not split a UTF-8 sequence.
size_t LimitCut(std::string_view text, size_t pos) {
    size_t end = std::min(text.size(), pos + kMaxRowLength);
    size_t cr = text.substr(pos, end - pos).find(kCR);
    if (cr != std::string_view::npos) return pos + cr + 1;
    if (end == text.size()) return end;
    size_t cut = end;
    while (cut > pos + 1 && end - cut < 3 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return (static_cast<unsigned char>(text[cut]) & 0xC0) == 0xC0 ? cut : end;
}

}  // namespace

bool LineWrapper::IsBreak(char32_t c) const {
    if (m_settings.IsBreak) return m_settings.IsBreak(c);
    return c <= 32 || c == 0xA0;
}

int32_t LineWrapper::NextTab(int32_t column) const {
    if (m_settings.NextTabStop) return m_settings.NextTabStop(column);
    int32_t step = std::max(1, m_settings.TabDefault);
    return (column / step + 1) * step;
}

size_t LineWrapper::RowEnd(std::string_view text, size_t pos, bool lineStart) {
    if (lineStart) {
        m_lineUnwrapped = m_settings.Override && pos < text.size() &&
                          m_settings.OverrideChars.find(text[pos]) != std::string::npos;
    }
    if (!m_settings.Enabled || m_lineUnwrapped) return LimitCut(text, pos);
    size_t lastBreak = std::string_view::npos;
    size_t cut = m_settings.TextWidth ? ProportionalCut(text, pos, lastBreak)
                                      : FixedPitchCut(text, pos, lastBreak);
    if (cut >= text.size() || text[cut - 1] == kCR) return cut;
    char32_t next;
    CharacterAt(text, cut, next);
    if (IsBreak(next) && next != kCR) return cut + CharacterAt(text, cut, next);
    if (text[cut] == kCR) return cut + 1;  // only the line end is left: it stays on this row
    return lastBreak != std::string_view::npos && lastBreak > pos ? lastBreak : cut;
}

// Advances column by column while the column stays below the width less one tab step.
size_t LineWrapper::FixedPitchCut(std::string_view text, size_t pos, size_t& lastBreak) const {
    int32_t limit = std::max(1, m_settings.Width - m_settings.TabDefault);
    int32_t column = 0;
    size_t i = pos;
    while (i < text.size() && i - pos < static_cast<size_t>(kMaxRowLength)) {
        if (text[i] == kCR) return i + 1;
        if (column >= limit && i > pos) break;
        char32_t cp;
        size_t length = CharacterAt(text, i, cp);
        if (i + length - pos > static_cast<size_t>(kMaxRowLength)) break;
        column = cp == U'\t' ? NextTab(column) : column + 1;
        i += length;
        if (IsBreak(cp)) lastBreak = i;
    }
    return i;
}

// Measures growing prefixes (every 5 characters and at each TAB) against the width.
size_t LineWrapper::ProportionalCut(std::string_view text, size_t pos, size_t& lastBreak) const {
    int32_t limit = std::max(1, m_settings.Width) * std::max(1, m_settings.AverageCharWidth);
    size_t i = pos;
    size_t fits = pos;  // the longest prefix measured to fit
    int counted = 0;
    while (i < text.size() && i - pos < static_cast<size_t>(kMaxRowLength)) {
        if (text[i] == kCR) return i + 1;
        char32_t cp;
        size_t length = CharacterAt(text, i, cp);
        if (i + length - pos > static_cast<size_t>(kMaxRowLength)) break;
        i += length;
        if (IsBreak(cp)) lastBreak = i;
        if (++counted % 5 != 0 && cp != U'\t' && i < text.size()) continue;
        if (m_settings.TextWidth(text.substr(pos, i - pos)) <= limit) {
            fits = i;
            continue;
        }
        // Too wide: step back to the last character that still fits.
        while (i > fits && m_settings.TextWidth(text.substr(pos, i - pos)) > limit) --i;
        while (i > pos + 1 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
        lastBreak = std::string_view::npos;
        for (size_t j = pos; j < i;) {
            size_t step = CharacterAt(text, j, cp);
            j += step;
            if (IsBreak(cp)) lastBreak = j;
        }
        return std::max(i, pos + 1);
    }
    return i;
}

}  // namespace quinkle

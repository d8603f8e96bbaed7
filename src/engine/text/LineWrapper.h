// Where the rows of a logical line end, with or without word wrap.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quinkle {

/// How the store cuts logical lines into rows.
struct WrapSettings {
    bool Enabled = false;
    /// Wrap width in columns (at least 20).
    int32_t Width = 80;
    /// Lines whose first character is one of OverrideChars are not wrapped.
    bool Override = false;
    std::string OverrideChars = ">|:";
    int32_t TabDefault = 4;
    /// The next tab stop after a display column; unset, multiples of TabDefault.
    std::function<int32_t(int32_t)> NextTabStop;
    /// Width in pixels of a text in a proportional font; unset for a fixed-pitch font.
    std::function<int32_t(std::string_view)> TextWidth;
    int32_t AverageCharWidth = 8;
    /// Whether a character may end a row; unset, characters up to 32 and the no-break space.
    std::function<bool(char32_t)> IsBreak;
};

/// Cuts logical lines into rows by the wrap settings.
class LineWrapper {
public:
    explicit LineWrapper(const WrapSettings& settings) : m_settings(settings) {}

    /// Where the row starting at `pos` ends. `text` holds whole logical lines (each ending
    /// with CR, the last possibly without); `lineStart` says whether `pos` starts one. A row
    /// ends after a CR, at the row limit, or where the wrap rule cuts; it is never empty.
    size_t RowEnd(std::string_view text, size_t pos, bool lineStart);

private:
    bool IsBreak(char32_t c) const;
    int32_t NextTab(int32_t column) const;
    size_t FixedPitchCut(std::string_view text, size_t pos, size_t& lastBreak) const;
    size_t ProportionalCut(std::string_view text, size_t pos, size_t& lastBreak) const;

    const WrapSettings& m_settings;
    bool m_lineUnwrapped = false;  // the current logical line is protected from wrapping
};

}  // namespace quinkle

// The scanner's view of one line of text: a position over its characters.
#pragma once

#include <cstdint>
#include <string_view>

namespace quinkle {

/// Reads the characters of one line (its line end shows as CR). Current() is 0 at and past
/// the end; positions are clamped to 0..Length(), so no operation reads outside the text.
class TextCursor {
public:
    explicit TextCursor(std::string_view text, int32_t position = 0)
        : m_text(text), m_length(static_cast<int32_t>(text.size())) {
        SetPosition(position);
    }

    uint8_t Current() const {
        return m_position < m_length ? static_cast<uint8_t>(m_text[m_position]) : 0;
    }
    /// The character `ahead` places after the current one; 0 outside the text.
    uint8_t Peek(int32_t ahead) const {
        int32_t at = m_position + ahead;
        return at >= 0 && at < m_length ? static_cast<uint8_t>(m_text[at]) : 0;
    }
    int32_t Position() const { return m_position; }
    void SetPosition(int32_t position) {
        m_position = position < 0 ? 0 : (position > m_length ? m_length : position);
    }
    bool AtEnd() const { return m_position >= m_length; }
    void Advance() {
        if (m_position < m_length) ++m_position;
    }
    void StepBack() {
        if (m_position > 0) --m_position;
    }
    int32_t Length() const { return m_length; }
    std::string_view Text() const { return m_text; }

private:
    std::string_view m_text;
    int32_t m_length = 0;
    int32_t m_position = 0;
};

}  // namespace quinkle

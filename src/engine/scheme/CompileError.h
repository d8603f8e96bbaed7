// The error a scheme script compile stops with: its message and where in the script it arose.
#pragma once

#include <cstdint>
#include <string>

#include "engine/text/EditorError.h"

namespace quinkle {

/// A fault in a scheme script. what() is "** ERROR near line %d, Column %d: %s" with the
/// 1-based position, except for the range and context-state messages, which carry no prefix;
/// Line() and Column() hold the position either way.
class ESchemeCompileError : public ESourceEditor {
public:
    ESchemeCompileError(const std::string& message, int32_t line, int32_t column, bool prefixed,
                        std::string context);

    /// The specific message, without the position prefix.
    const std::string& Message() const { return m_message; }
    int32_t Line() const { return m_line; }      ///< 1-based
    int32_t Column() const { return m_column; }  ///< 1-based
    /// False for the messages that the program shows without the position prefix.
    bool Prefixed() const { return m_prefixed; }
    /// The section being read ("%%Tokens - 5", "Header"), for diagnostics.
    const std::string& Context() const { return m_context; }

private:
    std::string m_message;
    int32_t m_line;
    int32_t m_column;
    bool m_prefixed;
    std::string m_context;
};

/// "** ERROR near line %d, Column %d: %s".
std::string FormatCompileError(int32_t line, int32_t column, const std::string& message);

}  // namespace quinkle

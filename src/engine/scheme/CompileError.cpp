// The scheme compile error and its message format.
#include "engine/scheme/CompileError.h"

#include <cstdio>

namespace quinkle {

std::string FormatCompileError(int32_t line, int32_t column, const std::string& message) {
    char head[96];
    std::snprintf(head, sizeof head, "** ERROR near line %d, Column %d: ", static_cast<int>(line),
                  static_cast<int>(column));
    return head + message;
}

ESchemeCompileError::ESchemeCompileError(const std::string& message, int32_t line, int32_t column,
                                         bool prefixed, std::string context)
    : ESourceEditor(prefixed ? FormatCompileError(line, column, message) : message),
      m_message(message),
      m_line(line),
      m_column(column),
      m_prefixed(prefixed),
      m_context(std::move(context)) {}

}  // namespace quinkle

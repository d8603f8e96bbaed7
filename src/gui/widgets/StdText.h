// Qt strings and the engine's UTF-8 strings, one into the other.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quinkle {

inline QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStd(const QString& text) { return text.toStdString(); }

}  // namespace quinkle

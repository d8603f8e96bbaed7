// The program's colour values (0x00BBGGRR or a system colour) as Qt colours.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace quinkle {

/// Flag of a system colour value; the low byte is the system colour's index.
inline constexpr uint32_t kSystemColour = 0x80000000;

/// The Qt colour of a stored colour value: 0x00BBGGRR, or a system colour taken from the
/// palette role that stands for it (window text, highlight, button face, ...).
QColor ToQColor(uint32_t value, const QPalette& palette);

/// The stored colour value 0x00BBGGRR of a Qt colour (its RGB, alpha dropped).
inline uint32_t FromQColor(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

}  // namespace quinkle

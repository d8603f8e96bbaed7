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

}  // namespace quinkle

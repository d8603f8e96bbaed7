// System colour indices mapped onto palette roles.
#include "gui/widgets/Colours.h"

namespace quinkle {
namespace {

QPalette::ColorRole RoleOfSystemColour(uint32_t index) {
    switch (index) {
        case 5:
            return QPalette::Base;  // window background
        case 7:
            return QPalette::WindowText;  // menu text
        case 8:
            return QPalette::Text;  // window text
        case 13:
            return QPalette::Highlight;  // highlight
        case 14:
            return QPalette::HighlightedText;  // highlight text
        case 15:
            return QPalette::Button;  // button face
        case 16:
            return QPalette::Dark;  // button shadow
        case 17:
            return QPalette::PlaceholderText;  // grey text
        case 18:
            return QPalette::ButtonText;  // button text
        case 20:
            return QPalette::Light;  // button highlight
        case 21:
            return QPalette::Shadow;  // dark 3D shadow
        case 22:
            return QPalette::Midlight;  // 3D light
        case 23:
            return QPalette::ToolTipText;  // tool tip text
        case 24:
            return QPalette::ToolTipBase;  // tool tip background
        case 9:
        case 19:
            return QPalette::BrightText;  // caption texts
        default:
            return QPalette::Window;  // desktop, captions, menus, borders
    }
}

}  // namespace

QColor ToQColor(uint32_t value, const QPalette& palette) {
    if (value & kSystemColour) return palette.color(RoleOfSystemColour(value & 0xFF));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace quinkle

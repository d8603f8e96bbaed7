// Key combinations: a virtual-key code plus modifier bits, and their display text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quinkle {

/// Virtual-key codes the engine speaks; letters and digits are their upper-case ASCII codes.
enum VirtualKey : uint16_t {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_CLEAR = 12,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_SNAPSHOT = 44,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD9 = 0x69,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2,
    VK_F3,
    VK_F4,
    VK_F5,
    VK_F6,
    VK_F7,
    VK_F8,
    VK_F9,
    VK_F10,
    VK_F11,
    VK_F12,
    VK_F24 = 0x87,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_OEM_1 = 0xBA,       // ;
    VK_OEM_PLUS = 0xBB,    // =
    VK_OEM_COMMA = 0xBC,   // ,
    VK_OEM_MINUS = 0xBD,   // -
    VK_OEM_PERIOD = 0xBE,  // .
    VK_OEM_2 = 0xBF,       // /
    VK_OEM_3 = 0xC0,       // `
    VK_OEM_4 = 0xDB,       // [
    VK_OEM_5 = 0xDC,       // backslash
    VK_OEM_6 = 0xDD,       // ]
    VK_OEM_7 = 0xDE,       // '
};

inline constexpr uint16_t kShiftKey = 0x2000;
inline constexpr uint16_t kCtrlKey = 0x4000;
inline constexpr uint16_t kAltKey = 0x8000;
inline constexpr uint16_t kModifierKeys = kShiftKey | kCtrlKey | kAltKey;

/// The virtual-key code of a combination, without its modifiers.
constexpr uint16_t KeyCode(uint16_t combination) { return combination & 0x00FF; }

/// True for the keys whose Shift modifier means "extend the selection" rather than being part
/// of the combination looked up: BkSp, PgUp, PgDn, End, Home and the four arrows.
constexpr bool IsShiftTransparentKey(uint16_t combination) {
    uint16_t code = KeyCode(combination);
    return code == VK_BACK || (code >= VK_PRIOR && code <= VK_DOWN);
}

/// True for Shift, Ctrl and Alt pressed on their own.
constexpr bool IsModifierOnlyKey(uint16_t combination) {
    uint16_t code = KeyCode(combination);
    return code >= VK_SHIFT && code <= VK_MENU;
}

/// The display text of a combination: "Shift+", "Ctrl+", "Alt+" in that order, then the key's
/// name ("BkSp", "PgUp", "F5", "A", "7", ";", "Num +", ...). A key without a name of its own
/// is shown as "VK" and two hex digits ("VK92"). Empty when the combination has no key code.
/// Bits 8-12, which carry no meaning, are not shown.
std::string KeyCombinationToText(uint16_t combination);

/// Parses a display text back into a combination, ignoring case and surrounding blanks; the
/// modifiers may come in any order but each only once. Returns 0 when the text names no key.
uint16_t TextToKeyCombination(std::string_view text);

/// The key combination that types the ASCII character `c` on a US layout, the layout the key
/// codes are named after: "a" is A, "A" is Shift+A, ":" is Shift+; and "(" is Shift+9; CR
/// and LF are Enter, TAB is Tab. Returns 0 for a character no key types (controls, bytes
/// above 127).
uint16_t CharToKeyCombination(uint8_t c);

}  // namespace quinkle

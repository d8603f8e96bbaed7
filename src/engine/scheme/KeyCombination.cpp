// Display text of key combinations and its parsing.
#include "engine/scheme/KeyCombination.h"

#include <array>
#include <cstdio>

#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

struct KeyName {
    uint8_t Code;
    const char* Name;
};

// Named keys other than letters, digits and function keys. Punctuation keys are named after
// the character they give without Shift on a US layout.
constexpr std::array kKeyNames = {
    KeyName{VK_BACK, "BkSp"},    KeyName{VK_TAB, "Tab"},         KeyName{VK_CLEAR, "Clear"},
    KeyName{VK_RETURN, "Enter"}, KeyName{VK_SHIFT, "Shift"},     KeyName{VK_CONTROL, "Ctrl"},
    KeyName{VK_MENU, "Alt"},     KeyName{VK_PAUSE, "Pause"},     KeyName{VK_CAPITAL, "CapsLock"},
    KeyName{VK_ESCAPE, "Esc"},   KeyName{VK_SPACE, "Space"},     KeyName{VK_PRIOR, "PgUp"},
    KeyName{VK_NEXT, "PgDn"},    KeyName{VK_END, "End"},         KeyName{VK_HOME, "Home"},
    KeyName{VK_LEFT, "Left"},    KeyName{VK_UP, "Up"},           KeyName{VK_RIGHT, "Right"},
    KeyName{VK_DOWN, "Down"},    KeyName{VK_SNAPSHOT, "PrtSc"},  KeyName{VK_INSERT, "Ins"},
    KeyName{VK_DELETE, "Del"},   KeyName{VK_LWIN, "LWin"},       KeyName{VK_RWIN, "RWin"},
    KeyName{VK_APPS, "Menu"},    KeyName{VK_NUMPAD0, "Num 0"},   KeyName{0x61, "Num 1"},
    KeyName{0x62, "Num 2"},      KeyName{0x63, "Num 3"},         KeyName{0x64, "Num 4"},
    KeyName{0x65, "Num 5"},      KeyName{0x66, "Num 6"},         KeyName{0x67, "Num 7"},
    KeyName{0x68, "Num 8"},      KeyName{VK_NUMPAD9, "Num 9"},   KeyName{VK_MULTIPLY, "Num *"},
    KeyName{VK_ADD, "Num +"},    KeyName{VK_SUBTRACT, "Num -"},  KeyName{VK_DECIMAL, "Num ."},
    KeyName{VK_DIVIDE, "Num /"}, KeyName{VK_NUMLOCK, "NumLock"}, KeyName{VK_SCROLL, "ScrollLock"},
    KeyName{VK_OEM_1, ";"},      KeyName{VK_OEM_PLUS, "="},      KeyName{VK_OEM_COMMA, ","},
    KeyName{VK_OEM_MINUS, "-"},  KeyName{VK_OEM_PERIOD, "."},    KeyName{VK_OEM_2, "/"},
    KeyName{VK_OEM_3, "`"},      KeyName{VK_OEM_4, "["},         KeyName{VK_OEM_5, "\\"},
    KeyName{VK_OEM_6, "]"},      KeyName{VK_OEM_7, "'"},
};

struct Modifier {
    std::string_view Prefix;
    uint16_t Bit;
};

constexpr std::array kModifiers = {
    Modifier{"Shift+", kShiftKey},
    Modifier{"Ctrl+", kCtrlKey},
    Modifier{"Alt+", kAltKey},
};

int DigitValue(char c, int base) {
    const int value = HexDigitValue(c);
    return value >= 0 && value < base ? value : -1;
}

// The value of one or two digits, or -1.
int SmallNumber(std::string_view digits, int base) {
    if (digits.empty() || digits.size() > 2) return -1;
    int value = 0;
    for (char c : digits) {
        int digit = DigitValue(c, base);
        if (digit < 0) return -1;
        value = value * base + digit;
    }
    return value;
}

// The key code a name stands for, or 0.
uint16_t KeyCodeOfName(std::string_view name) {
    if (name.size() == 1) {
        char c = name[0];
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<uint8_t>(c);
        if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 'a' + 'A');
    }
    for (const KeyName& key : kKeyNames)
        if (EqualsNoCase(name, key.Name)) return key.Code;
    if (StartsWithNoCase(name, "F")) {
        int number = SmallNumber(name.substr(1), 10);
        if (number >= 1 && number <= 24 && name[1] != '0') return VK_F1 + number - 1;
    }
    if (StartsWithNoCase(name, "VK")) {
        int code = SmallNumber(name.substr(2), 16);
        if (code > 0) return static_cast<uint16_t>(code);
    }
    return 0;
}

}  // namespace

std::string KeyCombinationToText(uint16_t combination) {
    uint16_t code = KeyCode(combination);
    if (code == 0) return {};
    std::string text;
    for (const Modifier& modifier : kModifiers)
        if (combination & modifier.Bit) text += modifier.Prefix;
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
        text += static_cast<char>(code);
        return text;
    }
    if (code >= VK_F1 && code <= VK_F24) return text + "F" + std::to_string(code - VK_F1 + 1);
    for (const KeyName& key : kKeyNames)
        if (key.Code == code) return text + key.Name;
    char unnamed[8];
    std::snprintf(unnamed, sizeof unnamed, "VK%02X", code);
    return text + unnamed;
}

uint16_t TextToKeyCombination(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    uint16_t modifiers = 0;
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const Modifier& modifier : kModifiers) {
            // "Shift+" with nothing after it is no key; the key name must follow the prefix.
            if (text.size() > modifier.Prefix.size() && StartsWithNoCase(text, modifier.Prefix)) {
                if (modifiers & modifier.Bit) return 0;
                modifiers |= modifier.Bit;
                text.remove_prefix(modifier.Prefix.size());
                stripped = true;
            }
        }
    }
    uint16_t code = KeyCodeOfName(text);
    return code == 0 ? 0 : static_cast<uint16_t>(modifiers | code);
}

uint16_t CharToKeyCombination(uint8_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<uint16_t>(c - 32);
    if (c >= 'A' && c <= 'Z') return static_cast<uint16_t>(c | kShiftKey);
    if (c >= '0' && c <= '9') return c;
    switch (c) {
        case '\r':
        case '\n':
            return VK_RETURN;
        case '\t':
            return VK_TAB;
        case ' ':
            return VK_SPACE;
        default:
            break;
    }
    // Punctuation: the unshifted and the shifted character of each key.
    static constexpr std::string_view kPlain = ";=,-./`[\\]'";
    static constexpr std::string_view kShifted = ":+<_>?~{|}\"";
    static constexpr uint8_t kCodes[] = {VK_OEM_1,      VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS,
                                         VK_OEM_PERIOD, VK_OEM_2,    VK_OEM_3,     VK_OEM_4,
                                         VK_OEM_5,      VK_OEM_6,    VK_OEM_7};
    static_assert(std::size(kCodes) == kPlain.size() && kPlain.size() == kShifted.size());
    if (size_t at = kPlain.find(static_cast<char>(c)); at != std::string_view::npos)
        return kCodes[at];
    if (size_t at = kShifted.find(static_cast<char>(c)); at != std::string_view::npos)
        return static_cast<uint16_t>(kCodes[at] | kShiftKey);
    static constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
    if (size_t at = kShiftedDigits.find(static_cast<char>(c)); at != std::string_view::npos)
        return static_cast<uint16_t>(('0' + at) | kShiftKey);
    return 0;
}

}  // namespace quinkle

// Qt keys to virtual-key combinations and back.
#include "gui/editor/KeyTranslation.h"

#include <array>

#include "engine/scheme/KeyCombination.h"

namespace quinkle {
namespace {

struct KeyPair {
    int Key;
    uint16_t Code;
};

// Keys that are neither letters nor digits, in both directions. The first entry of a code is
// the one VirtualKeyToKey gives back.
constexpr std::array kKeys = {
    KeyPair{Qt::Key_Backspace, VK_BACK},
    KeyPair{Qt::Key_Tab, VK_TAB},
    KeyPair{Qt::Key_Backtab, VK_TAB},
    KeyPair{Qt::Key_Clear, VK_CLEAR},
    KeyPair{Qt::Key_Return, VK_RETURN},
    KeyPair{Qt::Key_Enter, VK_RETURN},
    KeyPair{Qt::Key_Shift, VK_SHIFT},
    KeyPair{Qt::Key_Control, VK_CONTROL},
    KeyPair{Qt::Key_Alt, VK_MENU},
    KeyPair{Qt::Key_AltGr, VK_MENU},
    KeyPair{Qt::Key_Pause, VK_PAUSE},
    KeyPair{Qt::Key_CapsLock, VK_CAPITAL},
    KeyPair{Qt::Key_Escape, VK_ESCAPE},
    KeyPair{Qt::Key_Space, VK_SPACE},
    KeyPair{Qt::Key_PageUp, VK_PRIOR},
    KeyPair{Qt::Key_PageDown, VK_NEXT},
    KeyPair{Qt::Key_End, VK_END},
    KeyPair{Qt::Key_Home, VK_HOME},
    KeyPair{Qt::Key_Left, VK_LEFT},
    KeyPair{Qt::Key_Up, VK_UP},
    KeyPair{Qt::Key_Right, VK_RIGHT},
    KeyPair{Qt::Key_Down, VK_DOWN},
    KeyPair{Qt::Key_Print, VK_SNAPSHOT},
    KeyPair{Qt::Key_Insert, VK_INSERT},
    KeyPair{Qt::Key_Delete, VK_DELETE},
    KeyPair{Qt::Key_Super_L, VK_LWIN},
    KeyPair{Qt::Key_Super_R, VK_RWIN},
    KeyPair{Qt::Key_Menu, VK_APPS},
    KeyPair{Qt::Key_NumLock, VK_NUMLOCK},
    KeyPair{Qt::Key_ScrollLock, VK_SCROLL},
    // Punctuation, by the key that gives the character on a US layout.
    KeyPair{Qt::Key_Semicolon, VK_OEM_1},
    KeyPair{Qt::Key_Colon, VK_OEM_1},
    KeyPair{Qt::Key_Equal, VK_OEM_PLUS},
    KeyPair{Qt::Key_Plus, VK_OEM_PLUS},
    KeyPair{Qt::Key_Comma, VK_OEM_COMMA},
    KeyPair{Qt::Key_Less, VK_OEM_COMMA},
    KeyPair{Qt::Key_Minus, VK_OEM_MINUS},
    KeyPair{Qt::Key_Underscore, VK_OEM_MINUS},
    KeyPair{Qt::Key_Period, VK_OEM_PERIOD},
    KeyPair{Qt::Key_Greater, VK_OEM_PERIOD},
    KeyPair{Qt::Key_Slash, VK_OEM_2},
    KeyPair{Qt::Key_Question, VK_OEM_2},
    KeyPair{Qt::Key_QuoteLeft, VK_OEM_3},
    KeyPair{Qt::Key_AsciiTilde, VK_OEM_3},
    KeyPair{Qt::Key_BracketLeft, VK_OEM_4},
    KeyPair{Qt::Key_BraceLeft, VK_OEM_4},
    KeyPair{Qt::Key_Backslash, VK_OEM_5},
    KeyPair{Qt::Key_Bar, VK_OEM_5},
    KeyPair{Qt::Key_BracketRight, VK_OEM_6},
    KeyPair{Qt::Key_BraceRight, VK_OEM_6},
    KeyPair{Qt::Key_Apostrophe, VK_OEM_7},
    KeyPair{Qt::Key_QuoteDbl, VK_OEM_7},
    // The shifted digits of a US layout.
    KeyPair{Qt::Key_ParenRight, '0'},
    KeyPair{Qt::Key_Exclam, '1'},
    KeyPair{Qt::Key_At, '2'},
    KeyPair{Qt::Key_NumberSign, '3'},
    KeyPair{Qt::Key_Dollar, '4'},
    KeyPair{Qt::Key_Percent, '5'},
    KeyPair{Qt::Key_AsciiCircum, '6'},
    KeyPair{Qt::Key_Ampersand, '7'},
    KeyPair{Qt::Key_Asterisk, '8'},
    KeyPair{Qt::Key_ParenLeft, '9'},
};

// Operators of the number pad; digits are VK_NUMPAD0 + n.
constexpr std::array kKeypadKeys = {
    KeyPair{Qt::Key_Asterisk, VK_MULTIPLY}, KeyPair{Qt::Key_Plus, VK_ADD},
    KeyPair{Qt::Key_Minus, VK_SUBTRACT},    KeyPair{Qt::Key_Period, VK_DECIMAL},
    KeyPair{Qt::Key_Comma, VK_DECIMAL},     KeyPair{Qt::Key_Slash, VK_DIVIDE},
};

uint16_t ModifierBits(Qt::KeyboardModifiers modifiers) {
    uint16_t bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= kShiftKey;
    if (modifiers & Qt::ControlModifier) bits |= kCtrlKey;
    if (modifiers & Qt::AltModifier) bits |= kAltKey;
    return bits;
}

uint16_t KeypadCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
    for (const KeyPair& pair : kKeypadKeys)
        if (pair.Key == key) return pair.Code;
    return 0;
}

uint16_t KeyCodeOf(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        // With Num Lock off the pad gives navigation keys, which fall through to the table.
        if (uint16_t code = KeypadCode(key)) return code;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<uint16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    for (const KeyPair& pair : kKeys)
        if (pair.Key == key) return pair.Code;
    return 0;
}

}  // namespace

uint16_t KeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers) {
    uint16_t code = KeyCodeOf(key, modifiers);
    if (code == 0) return 0;
    uint16_t bits = ModifierBits(modifiers);
    if (key == Qt::Key_Backtab) bits |= kShiftKey;
    return static_cast<uint16_t>(code | bits);
}

QKeyCombination VirtualKeyToKey(uint16_t combination) {
    Qt::KeyboardModifiers modifiers;
    if (combination & kShiftKey) modifiers |= Qt::ShiftModifier;
    if (combination & kCtrlKey) modifiers |= Qt::ControlModifier;
    if (combination & kAltKey) modifiers |= Qt::AltModifier;
    uint16_t code = KeyCode(combination);
    Qt::Key key = Qt::Key_unknown;
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        key = static_cast<Qt::Key>(code);
    } else if (code >= VK_F1 && code <= VK_F24) {
        key = static_cast<Qt::Key>(Qt::Key_F1 + (code - VK_F1));
    } else if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9) {
        key = static_cast<Qt::Key>(Qt::Key_0 + (code - VK_NUMPAD0));
        modifiers |= Qt::KeypadModifier;
    } else {
        for (const KeyPair& pair : kKeypadKeys)
            if (pair.Code == code) {
                key = static_cast<Qt::Key>(pair.Key);
                modifiers |= Qt::KeypadModifier;
                break;
            }
        for (const KeyPair& pair : kKeys)
            if (key == Qt::Key_unknown && pair.Code == code) key = static_cast<Qt::Key>(pair.Key);
    }
    return QKeyCombination(modifiers, key);
}

}  // namespace quinkle

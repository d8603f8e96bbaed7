// The one table between Qt's keys and the engine's virtual-key combinations.
#pragma once

#include <QKeyCombination>
#include <Qt>
#include <cstdint>

namespace quinkle {

/// The virtual-key combination of a Qt key with its modifiers: the key code plus kShiftKey,
/// kCtrlKey and kAltKey. Keys are named after the physical key of a US layout, so Shift+1
/// (Qt::Key_Exclam) is '1' with Shift and Shift+Tab (Qt::Key_Backtab) is VK_TAB with Shift;
/// with Qt::KeypadModifier digits and operators become the number-pad keys. Returns 0 for a
/// key that has no virtual-key code (letters of other alphabets, media keys, ...).
uint16_t KeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers);

/// The Qt key and modifiers of a virtual-key combination, for showing and simulating keys;
/// number-pad keys carry Qt::KeypadModifier. Qt::Key_unknown when the code has no Qt key.
QKeyCombination VirtualKeyToKey(uint16_t combination);

}  // namespace quinkle

// What the Editor Options dialog decides without a screen: option boxes, numbers, key pairs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/KeyboardActionController.h"
#include "engine/scheme/SchemeSettings.h"

namespace quinkle {

/// One check box of the "Options" page: the option bit it stands for and its caption.
struct OptionCheckBox {
    uint32_t Bit;
    const char* Caption;
    const char* ObjectName;
};

/// The check boxes of the "Options" page, in the order they are shown.
const std::vector<OptionCheckBox>& OptionCheckBoxes();

/// Whether the check box of `bit` can be used under the option word `options`: "Smart tab"
/// cannot while word wrap is on.
bool OptionCheckEnabled(uint32_t options, uint32_t bit);

/// The number boxes of the "Options" page.
enum class OptionNumber { IndentStep, WrapColumn, TabStop, RightMargin, GutterWidth };

/// True for the keys a number box takes: digits (also on the number pad) and the editing keys
/// BkSp, Tab, End, Home, Left, Right and Del. `combination` is a virtual-key combination;
/// any combination with Ctrl or Alt, and a digit with Shift, is refused.
bool NumberBoxAcceptsKey(uint16_t combination);

/// The value the number box of `which` shows for `settings`.
int32_t OptionNumberValue(const EditorSettings& settings, OptionNumber which);

/// Applies the text of a number box to `settings` and returns the value now taken, which the
/// box shows back. Text that is not a decimal number, or a value the setting refuses (indent
/// step outside 1-19, a wrap column above 65535, a right margin or gutter width above 1000),
/// leaves the setting as it was. A tab stop below 1 raises the setting's own error.
int32_t ApplyOptionNumber(EditorSettings& settings, OptionNumber which, std::string_view text);

/// Parses the template hot key box: empty text is no hot key (0), otherwise the display text
/// of a key combination. Raises ESourceEditor "Invalid hot key: " + the text for anything
/// else.
uint16_t ParseTemplateHotKey(std::string_view text);

/// The "Key assignments" page: the commands of a key map, the key pairs of each, and the
/// changes made to them. Build makes the key map the page stands for.
class KeyAssignmentModel {
public:
    explicit KeyAssignmentModel(const KeyboardActionController& keys);

    const std::vector<KeyboardActionController::CommandEntry>& Commands() const {
        return m_commands;
    }
    /// The key pairs of command number `command` (an index into Commands()).
    const std::vector<KeyPair>& Pairs(size_t command) const { return m_pairs.at(command); }

    /// "[" key1 "]  [" key2 "]", with "<none>" for a missing second key.
    static std::string PairCaption(KeyPair pair);

    /// Adds a pair to a command; a pair without a first key is not added.
    void AddPair(size_t command, KeyPair pair);
    /// Replaces pair `index` of a command; a pair without a first key removes it.
    void ReplacePair(size_t command, size_t index, KeyPair pair);
    void DeletePair(size_t command, size_t index);

    /// A new key map: every command with its code and name, then every pair of every command.
    /// Raises EAmbiguousKeyPair (its message names both commands) when two pairs conflict.
    KeyboardActionController Build() const;

private:
    std::vector<KeyboardActionController::CommandEntry> m_commands;
    std::vector<std::vector<KeyPair>> m_pairs;
};

}  // namespace quinkle

// The Create Form dialog's results: a form element, input elements, a selection list and a
// text area.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html/TagText.h"

namespace quinkle {

/// The input types in the order of the dialog's radio buttons.
enum class InputType { Hidden, Password, Text, Radio, Checkbox, Submit, Reset };

/// The type names as written in the type attribute, in InputType order.
inline constexpr std::array<std::string_view, 7> kInputTypeNames = {
    "hidden", "password", "text", "radio", "checkbox", "submit", "reset"};

/// Which input fields a type uses: the name and the copy count, and the size.
struct InputFieldUse {
    bool NameAndCopies;
    bool Size;
};
InputFieldUse InputFieldsUsed(InputType type);

struct FormFields {
    bool Get = false;  ///< method get, else post
    std::string Action;
};

struct InputFields {
    InputType Type = InputType::Hidden;
    std::string Name;
    std::string Value;
    int32_t Size = 1;
    int32_t Copies = 1;
};

struct SelectFields {
    std::string Name;
    int32_t Size = 0;
    std::string Options;        ///< one option a line, as typed in the box
    int32_t DefaultOption = 0;  ///< line number from 1; 0 for none
    bool Multiple = false;
};

struct TextAreaFields {
    std::string Name;
    int32_t Rows = 1;
    int32_t Cols = 1;
};

/// "<form method=\"post\" " (or "get"), the action attribute, ">", an empty line and
/// "</form>" with CR LF ends; the caret steps back onto the empty line.
GeneratedText BuildForm(const FormFields& fields);

/// One "<input type=\"T\"" line with the attributes its type uses (name, value, size), each
/// quoted and left out when blank, repeated by the copy count for the types that use it.
GeneratedText BuildInput(const InputFields& fields);

/// The lines of an options box: split at line ends (CR LF, LF or CR), a break at the very end
/// starting no further line, so "" has none and "a\n\nb" three.
std::vector<std::string_view> OptionLines(std::string_view options);

/// "<select " (with "multiple " when ticked and the box holds two lines or more), name and
/// size (when above 1), then one "  <option>" line for every line that is not blank, the
/// default one " selected", and "</select>"; empty when the box holds no line.
GeneratedText BuildSelect(const SelectFields& fields);

/// "<textarea " with the name, " rows=R cols=C" and "></textarea>" CR LF.
GeneratedText BuildTextArea(const TextAreaFields& fields);

}  // namespace quinkle

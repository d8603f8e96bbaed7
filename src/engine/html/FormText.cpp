// The Create Form dialog's results: a form element, input elements, a selection list and a
// text area.
#include "engine/html/FormText.h"

#include "engine/html/HtmlHelpers.h"

namespace quinkle {
namespace {

// A quoted attribute, its value made safe inside the quotes; "" for a blank value.
std::string Attribute(std::string_view name, std::string_view value) {
    return FormatAttribute(name, EscapeHtml(value));
}

bool Blank(std::string_view line) {
    for (char c : line) {
        if (static_cast<unsigned char>(c) > ' ') return false;
    }
    return true;
}

}  // namespace

InputFieldUse InputFieldsUsed(InputType type) {
    switch (type) {
        case InputType::Password:
        case InputType::Text:
            return {true, true};
        case InputType::Submit:
        case InputType::Reset:
            return {false, false};
        default:
            return {true, false};
    }
}

GeneratedText BuildForm(const FormFields& fields) {
    std::string text = "<form method=\"";
    text += fields.Get ? "get" : "post";
    text += "\" ";
    text += Attribute("action", fields.Action);
    text += ">\r\n\r\n</form>\r\n";
    // Back over "</form>" and two line ends, each kept as one character by the editor: the
    // caret lands on the empty line.
    return {std::move(text), 9};
}

GeneratedText BuildInput(const InputFields& fields) {
    const InputFieldUse use = InputFieldsUsed(fields.Type);
    std::string line = "<input type=\"";
    line += kInputTypeNames[static_cast<size_t>(fields.Type)];
    line += '"';
    if (use.NameAndCopies) line += Attribute("name", fields.Name);
    line += Attribute("value", fields.Value);
    if (use.Size) line += Attribute("size", std::to_string(fields.Size));
    line += ">\r\n";
    const int32_t copies = use.NameAndCopies ? fields.Copies : 1;
    std::string text;
    for (int32_t i = 0; i < copies; ++i) text += line;
    return {std::move(text), 0};
}

std::vector<std::string_view> OptionLines(std::string_view options) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < options.size()) {
        size_t end = options.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(options.substr(start));
            break;
        }
        lines.push_back(options.substr(start, end - start));
        start = end + (options.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

GeneratedText BuildSelect(const SelectFields& fields) {
    const std::vector<std::string_view> lines = OptionLines(fields.Options);
    if (lines.empty()) return {};
    std::string text = "<select ";
    if (fields.Multiple && lines.size() >= 2) text += "multiple ";
    text += Attribute("name", fields.Name);
    if (fields.Size > 1) text += Attribute("size", std::to_string(fields.Size));
    text += ">\r\n";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Blank(lines[i])) continue;
        text += "  <option";
        if (fields.DefaultOption > 0 && static_cast<size_t>(fields.DefaultOption) == i + 1)
            text += " selected";
        text += '>';
        text += EscapeHtml(lines[i]);
        text += "\r\n";
    }
    text += "</select>\r\n";
    return {std::move(text), 0};
}

GeneratedText BuildTextArea(const TextAreaFields& fields) {
    std::string text = "<textarea ";
    text += Attribute("name", fields.Name);
    text += " rows=" + std::to_string(fields.Rows) + " cols=" + std::to_string(fields.Cols);
    text += "></textarea>\r\n";
    return {std::move(text), 0};
}

}  // namespace quinkle

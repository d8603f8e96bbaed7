// What the Editor Options dialog decides without a screen: option boxes, numbers, key pairs.
#include "engine/editor/EditorOptionsModel.h"

#include <charconv>
#include <limits>

#include "engine/scheme/KeyCombination.h"
#include "engine/scheme/KeyStore.h"

namespace quinkle {

const std::vector<OptionCheckBox>& OptionCheckBoxes() {
    static const std::vector<OptionCheckBox> boxes{
        {smoAutoIndent, "Auto indent", "cbAutoIndent"},
        {smoTabToColumn, "Smart tab", "cbSmartTab"},
        {smoSmartFill, "Smart fill", "cbSmartFill"},
        {smoUseTAB, "Use tab character", "cbUseTab"},
        {smoWordWrap, "Word wrap", "cbWordWrap"},
        {smoWrapOverride, "Override wrapping", "cbWrapOverride"},
        {smoShowWrapColumn, "Show word-wrap column", "cbShowWrapColumn"},
        {smoShowWrapGlyph, "Mark wrapped lines", "cbMarkWrapped"},
        {smoWordSelect, "Word select", "cbWordSelect"},
        {smoCaretAfterEOL, "Cursor beyond EOL", "cbCursorBeyondEOL"},
        {smoBlockOverwriteCursor, "Block cursor for Overwrite", "cbBlockCursor"},
        {smoShowAllChars, "Show all chars", "cbShowAllChars"},
        {smoLineNumbers, "Line numbers in gutter", "cbGutterLineNumbers"},
        {smoShowRMargin, "Visible right margin", "cbVisibleRightMargin"},
        {smoShowGutter, "Visible gutter", "cbVisibleGutter"},
        {smoTitleAsFilename, "Title as filename", "cbTitleAsFilename"},
        {smoSyntaxHighlight, "Syntax highlight", "cbPrintHighlight"},
        {smoPrintWrap, "Wrap long lines", "cbPrintWrap"},
        {smoPrintLineNos, "Line numbers", "cbPrintLineNumbers"},
        {smoPrintFilename, "Title in header", "cbPrintTitle"},
        {smoPrintDate, "Date in header", "cbPrintDate"},
        {smoPrintPageNos, "Page numbers", "cbPrintPageNumbers"},
    };
    return boxes;
}

bool OptionCheckEnabled(uint32_t options, uint32_t bit) {
    return !(bit == smoTabToColumn && (options & smoWordWrap));
}

bool NumberBoxAcceptsKey(uint16_t combination) {
    if (combination & (kCtrlKey | kAltKey)) return false;
    const uint16_t code = KeyCode(combination);
    const bool digit = (code >= '0' && code <= '9') || (code >= VK_NUMPAD0 && code <= VK_NUMPAD9);
    if (digit) return !(combination & kShiftKey);
    switch (code) {
        case VK_BACK:
        case VK_TAB:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

int32_t OptionNumberValue(const EditorSettings& settings, OptionNumber which) {
    switch (which) {
        case OptionNumber::IndentStep:
            return settings.IndentStep();
        case OptionNumber::WrapColumn:
            return settings.WrapAtColumn;
        case OptionNumber::TabStop:
            return settings.TabDefault();
        case OptionNumber::RightMargin:
            return settings.RightMargin;
        case OptionNumber::GutterWidth:
            return settings.Gutter;
    }
    return 0;
}

int32_t ApplyOptionNumber(EditorSettings& settings, OptionNumber which, std::string_view text) {
    // Blanks around the digits are what a pasted number brings along.
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int64_t value = 0;
    auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool number = !text.empty() && error == std::errc() &&
                        rest == text.data() + text.size() && text.front() != '-';
    if (number) {
        constexpr int64_t kMaxPixels = 1000;
        switch (which) {
            case OptionNumber::IndentStep:
                if (value <= std::numeric_limits<int32_t>::max())
                    settings.SetIndentStep(static_cast<int32_t>(value));
                break;
            case OptionNumber::WrapColumn:
                if (value <= std::numeric_limits<uint16_t>::max())
                    settings.WrapAtColumn = static_cast<uint16_t>(value);
                break;
            case OptionNumber::TabStop:
                if (value <= kMaxPixels) settings.SetTabDefault(static_cast<int32_t>(value));
                break;
            case OptionNumber::RightMargin:
                if (value <= kMaxPixels) settings.RightMargin = static_cast<int32_t>(value);
                break;
            case OptionNumber::GutterWidth:
                if (value <= kMaxPixels) settings.Gutter = static_cast<int32_t>(value);
                break;
        }
    }
    return OptionNumberValue(settings, which);
}

uint16_t ParseTemplateHotKey(std::string_view text) {
    std::string_view trimmed = text;
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    if (trimmed.empty()) return 0;
    uint16_t key = TextToKeyCombination(trimmed);
    if (key == 0 || IsModifierOnlyKey(key))
        throw ESourceEditor("Invalid hot key: " + std::string(trimmed));
    return key;
}

// ---- key assignments ----

KeyAssignmentModel::KeyAssignmentModel(const KeyboardActionController& keys)
    : m_commands(keys.Commands()), m_pairs(m_commands.size()) {
    std::vector<KeyBinding> bindings = keys.Bindings();
    for (size_t i = 0; i < m_commands.size(); ++i)
        for (const KeyBinding& binding : bindings)
            if (binding.Command == m_commands[i].Code)
                m_pairs[i].push_back({binding.FirstKey, binding.SecondKey});
}

std::string KeyAssignmentModel::PairCaption(KeyPair pair) {
    std::string second = pair.Second ? KeyCombinationToText(pair.Second) : "<none>";
    return "[" + KeyCombinationToText(pair.First) + "]  [" + second + "]";
}

void KeyAssignmentModel::AddPair(size_t command, KeyPair pair) {
    if (pair.First != 0) m_pairs.at(command).push_back(pair);
}

void KeyAssignmentModel::ReplacePair(size_t command, size_t index, KeyPair pair) {
    std::vector<KeyPair>& pairs = m_pairs.at(command);
    if (pair.First == 0)
        pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>(index));
    else
        pairs.at(index) = pair;
}

void KeyAssignmentModel::DeletePair(size_t command, size_t index) {
    std::vector<KeyPair>& pairs = m_pairs.at(command);
    if (index < pairs.size()) pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>(index));
}

KeyboardActionController KeyAssignmentModel::Build() const {
    KeyboardActionController keys;
    for (const auto& command : m_commands) keys.AddCommand(command.Code, command.Name);
    for (size_t i = 0; i < m_commands.size(); ++i)
        for (KeyPair pair : m_pairs[i])
            keys.AddBinding(pair.First, pair.Second, m_commands[i].Code);
    return keys;
}

}  // namespace quinkle

// The editor's switches and measures: one object per highlighting scheme, or the editor's own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/CodeTemplates.h"
#include "engine/scheme/EditorOptions.h"
#include "engine/scheme/KeyboardActionController.h"
#include "engine/scheme/SchemeStyles.h"

namespace quinkle {

/// Options, tab stops, indentation and wrapping of an editor. Each highlighting scheme owns
/// one, so switching schemes switches them all; an editor without a scheme uses its own.
class EditorSettings {
public:
    static constexpr int kMaxTabColumns = 32;

    uint32_t Options = kDefaultEditorOptions;
    bool Has(uint32_t option) const { return (Options & option) != 0; }

    /// Distance between the default tab stops (4).
    int32_t TabDefault() const { return m_tabDefault; }
    /// Raises "=Illegal default tab stop value, must be > 0" below 1.
    void SetTabDefault(int32_t value);

    /// Explicit tab stops as 0-based columns, strictly increasing.
    const std::vector<int32_t>& TabColumns() const { return m_tabColumns; }
    /// The 1-based columns separated by single blanks.
    std::string TabColumnsText() const;
    /// Parses 1-based columns separated by blanks or ";"; on an error nothing changes.
    void SetTabColumns(std::string_view text);

    /// The first explicit stop after `column`, else the next multiple of TabDefault.
    int32_t NextTabStop(int32_t column) const;
    /// Blank text from one display column to another: spaces, or with smoUseTAB and
    /// smoSmartFill as many TABs as reach stops not beyond `to`, then spaces.
    std::string Fill(int32_t from, int32_t to) const;

    int32_t IndentStep() const { return m_indentStep; }
    /// Takes values 1-19; others are ignored.
    void SetIndentStep(int32_t value);

    /// The wrap column; 0 wraps at the window width.
    uint16_t WrapAtColumn = 0;
    /// Lines starting with one of these are not wrapped when smoWrapOverride is on.
    std::string WrapOverride = ">|:";

    /// How token values look: the effects, the token-to-effect map and the editable styles.
    SchemeStyles Styles;

    /// The key map; a copy of the program-wide default until changed.
    KeyboardActionController Keys = KeyboardActionController::Default();

    /// Code templates (expanded by the hot key) and the auto-correct list.
    CodeTemplates Templates;
    AutoReplace AutoCorrect;

    int32_t Gutter = 34;
    int32_t Margin = 2;
    int32_t RightMargin = 80;

private:
    int32_t m_tabDefault = 4;
    std::vector<int32_t> m_tabColumns;
    int32_t m_indentStep = 1;
};

}  // namespace quinkle

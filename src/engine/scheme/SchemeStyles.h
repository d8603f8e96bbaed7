// How a scheme's token values look: effects, the token-to-effect map and the editable styles.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

/// Font style bits of an effect.
enum EffectStyle : uint8_t { esBold = 1, esItalic = 2, esUnderline = 4, esStrikeout = 8 };

/// One display effect. Colours are 0x00BBGGRR, or 0x80000000 plus a system colour index.
struct EffectDef {
    uint8_t Style = 0;
    uint32_t Foreground = 0x000000;
    uint32_t Background = 0xFFFFFF;
    bool ForegroundDefault = false;  ///< paint with the editor's default text colour
    bool BackgroundDefault = false;  ///< paint with the editor's default background
    bool Hotspot = false;            ///< characters with this effect are hyperlinks
    bool Defined = false;
    friend bool operator==(const EffectDef&, const EffectDef&) = default;
};

/// A style the user may change in the options dialog: a name and the effect it edits.
struct EditableStyle {
    std::string Name;
    uint8_t Effect = 0;
    friend bool operator==(const EditableStyle&, const EditableStyle&) = default;
};

/// The look of one scheme. Token values map to effects through TokenEffect (0 by default).
struct SchemeStyles {
    static constexpr size_t kMaxEditableStyles = 25;
    static constexpr size_t kMaxStyleNameLength = 25;

    std::array<EffectDef, 256> Effects;
    std::array<uint8_t, 256> TokenEffect{};
    std::vector<EditableStyle> EditableStyles;

    SchemeStyles() { Reset(); }

    /// Back to the defaults: every effect black on white without style, only effect 0
    /// defined, every token value on effect 0, no editable styles.
    void Reset();
    /// Adds a style after the last one, its name cut to 25 characters. Returns false (and adds
    /// nothing) when 25 styles are there already.
    bool AddEditableStyle(std::string_view name, uint8_t effect);
    /// The effect a token value is painted with.
    const EffectDef& EffectOfToken(uint8_t value) const { return Effects[TokenEffect[value]]; }

    friend bool operator==(const SchemeStyles&, const SchemeStyles&) = default;
};

}  // namespace quinkle

// What a scheme script sets besides the scanner's tables: name, editor settings (with the
// auto-correct entries and code templates), fonts and colours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/scheme/EditorSettings.h"
#include "engine/scheme/SyntaxScheme.h"

namespace quinkle {

/// A colour (0x00BBGGRR, or 0x80000000 plus a system colour index) that may defer to the
/// editor's default.
struct SchemeColor {
    uint32_t Color = 0;
    bool UseDefault = false;
    friend bool operator==(const SchemeColor&, const SchemeColor&) = default;
};

struct SchemeFont {
    std::string Name;
    int32_t Size = 10;
    uint8_t CharSet = 1;
    uint32_t Color = 0;
    uint8_t Style = 0;  ///< EffectStyle bits
};

/// The settings a scheme carries into the editors that use it.
struct SchemeSettings {
    static constexpr size_t kMaxNameLength = 35;
    static constexpr size_t kMaxFontNameLength = 31;

    std::string Name;
    std::string ExampleText;
    EditorSettings Editor;
    SchemeColor SelTextColor{0x8000000E, true};
    SchemeColor SelTextBack{0x8000000D, true};
    SchemeColor GutterColor{0x8000000F, true};
    SchemeColor MarginColor{0xC0C0C0, false};
    SchemeFont Font{"Courier New", 10, 1, 0, 0};
    SchemeFont GutterFont{"Courier New", 8, 1, 0, 0};
};

/// A compiled scheme: the scanner's model and the settings around it. Not copyable; a
/// compiler fills one in place.
struct CompiledScheme {
    SyntaxScheme Scheme;
    SchemeSettings Settings;

    /// Back to an empty scheme with default settings.
    void Reset() {
        Scheme.Reset();
        Settings = SchemeSettings{};
    }
};

}  // namespace quinkle

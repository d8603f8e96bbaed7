// The colours and font styles of a scheme in the HTML and RTF output of the text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/scheme/SchemeStyles.h"
#include "engine/text/TextOutput.h"

namespace quinkle {

/// Writes each token's effect into HTML (a span with colour, background and font style per
/// run of one effect) and RTF (a colour table and \cf, \highlight, \b, \i, \ul, \strike per run),
/// so a formatted save or copy looks as the editor shows the text. One writer serves one WriteText
/// call at a time.
class SchemeOutputStyler : public OutputStyler {
public:
    /// `resolve` turns a system colour (0x80000000 + index) into 0x00BBGGRR; the defaults
    /// are the colours of effects that use the editor's default text and background.
    SchemeOutputStyler(const SchemeStyles& styles, std::function<uint32_t(uint32_t)> resolve,
                       uint32_t defaultText = 0x000000, uint32_t defaultBack = 0xFFFFFF,
                       std::string fontName = "Courier New", int fontSize = 10);

    void Prologue(uint32_t mode, std::string& out) const override;
    void Epilogue(uint32_t mode, std::string& out) const override;
    void Style(uint32_t mode, uint8_t token, std::string& out) const override;

private:
    uint32_t Foreground(const EffectDef& effect) const;
    uint32_t Background(const EffectDef& effect) const;

    const SchemeStyles& m_styles;
    std::function<uint32_t(uint32_t)> m_resolve;
    uint32_t m_defaultText;
    uint32_t m_defaultBack;
    std::string m_fontName;
    int m_fontSize;
    mutable bool m_spanOpen = false;
    mutable int m_effect = -1;  // the effect in force, -1 before the first run
};

}  // namespace quinkle

#include "engine/scheme/SchemeOutputStyler.h"

#include <cstdio>

namespace quinkle {
namespace {

constexpr uint32_t kSystemColourFlag = 0x80000000;

// "#RRGGBB" of a 0x00BBGGRR colour.
std::string CssColour(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}

// The RTF colour table holds every effect's foreground and background, in effect order:
// entry 2 * effect + 1 is its text colour, 2 * effect + 2 its background.
void AppendRtfColour(uint32_t colour, std::string& out) {
    out += "\\red" + std::to_string(colour & 0xFF) + "\\green" +
           std::to_string((colour >> 8) & 0xFF) + "\\blue" + std::to_string((colour >> 16) & 0xFF) +
           ";";
}

}  // namespace

SchemeOutputStyler::SchemeOutputStyler(const SchemeStyles& styles,
                                       std::function<uint32_t(uint32_t)> resolve,
                                       uint32_t defaultText, uint32_t defaultBack,
                                       std::string fontName, int fontSize)
    : m_styles(styles),
      m_resolve(std::move(resolve)),
      m_defaultText(defaultText),
      m_defaultBack(defaultBack),
      m_fontName(std::move(fontName)),
      m_fontSize(fontSize) {}

uint32_t SchemeOutputStyler::Foreground(const EffectDef& effect) const {
    uint32_t colour = effect.ForegroundDefault ? m_defaultText : effect.Foreground;
    if ((colour & kSystemColourFlag) && m_resolve) colour = m_resolve(colour);
    return colour & 0xFFFFFF;
}

uint32_t SchemeOutputStyler::Background(const EffectDef& effect) const {
    uint32_t colour = effect.BackgroundDefault ? m_defaultBack : effect.Background;
    if ((colour & kSystemColourFlag) && m_resolve) colour = m_resolve(colour);
    return colour & 0xFFFFFF;
}

void SchemeOutputStyler::Prologue(uint32_t mode, std::string& out) const {
    m_spanOpen = false;
    m_effect = -1;
    if (mode == omHTML) {
        out += "<pre style=\"font-family:'" + m_fontName +
               "',monospace;background:" + CssColour(m_defaultBack) +
               ";color:" + CssColour(m_defaultText) + "\">\r\n";
        return;
    }
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern " + m_fontName +
           ";}}{\\colortbl;";
    for (const EffectDef& effect : m_styles.Effects) {
        AppendRtfColour(Foreground(effect), out);
        AppendRtfColour(Background(effect), out);
    }
    out += "}\\f0\\fs" + std::to_string(m_fontSize * 2) + " ";
}

void SchemeOutputStyler::Epilogue(uint32_t mode, std::string& out) const {
    if (mode == omHTML) {
        if (m_spanOpen) out += "</span>";
        m_spanOpen = false;
        out += "</pre>\r\n";
        return;
    }
    out += "}";
}

void SchemeOutputStyler::Style(uint32_t mode, uint8_t token, std::string& out) const {
    const uint8_t index = m_styles.TokenEffect[token];
    // Tokens of one effect make one run.
    if (index == m_effect) return;
    m_effect = index;
    const EffectDef& effect = m_styles.Effects[index];
    if (mode == omHTML) {
        if (m_spanOpen) out += "</span>";
        out += "<span style=\"color:" + CssColour(Foreground(effect)) +
               ";background:" + CssColour(Background(effect));
        if (effect.Style & esBold) out += ";font-weight:bold";
        if (effect.Style & esItalic) out += ";font-style:italic";
        if (effect.Style & (esUnderline | esStrikeout)) {
            out += ";text-decoration:";
            if (effect.Style & esUnderline) out += "underline";
            if ((effect.Style & esUnderline) && (effect.Style & esStrikeout)) out += ' ';
            if (effect.Style & esStrikeout) out += "line-through";
        }
        out += "\">";
        m_spanOpen = true;
        return;
    }
    out += "\\plain\\f0\\fs" + std::to_string(m_fontSize * 2) + "\\cf" +
           std::to_string(2 * index + 1) + "\\highlight" + std::to_string(2 * index + 2);
    if (effect.Style & esBold) out += "\\b";
    if (effect.Style & esItalic) out += "\\i";
    if (effect.Style & esUnderline) out += "\\ul";
    if (effect.Style & esStrikeout) out += "\\strike";
    out += ' ';
}

}  // namespace quinkle

// Writing a range of the stored text out: raw, CR LF, UNIX, HTML and RTF.
#pragma once

#include <cstdint>
#include <string>

namespace quinkle {

class TextStore;

/// Output modes; a mode word holds one of them (raw is 0).
enum OutputMode : uint32_t {
    omRaw = 0,   ///< characters as stored, line ends a single CR
    omCRLF = 1,  ///< an LF after every CR
    omRTF = 2,   ///< rich text
    omHTML = 4,  ///< HTML with the characters that HTML gives meaning to escaped
    omUNIX = 8,  ///< every CR written as LF
};

/// Supplies the fonts and colours of styled RTF and HTML output. The highlighting layer
/// implements it; without one the writers produce their plain forms.
class OutputStyler {
public:
    virtual ~OutputStyler() = default;
    /// Text before the characters: the RTF header with its tables, the HTML prologue.
    virtual void Prologue(uint32_t mode, std::string& out) const = 0;
    /// Text after the characters.
    virtual void Epilogue(uint32_t mode, std::string& out) const = 0;
    /// Switches to the style of a token value; called before the first character and
    /// wherever the token value changes.
    virtual void Style(uint32_t mode, uint8_t token, std::string& out) const = 0;
};

/// The characters of [from, to) in `mode`.
std::string WriteText(const TextStore& store, int32_t from, int32_t to, uint32_t mode,
                      const OutputStyler* styler = nullptr);

/// Appends one stored character run escaped for HTML: "&", "<", ">" and the double quote
/// as entities, TAB and no-break space as "&nbsp;", a line end as CR LF, other control
/// bytes as "&#n;". UTF-8 sequences pass unchanged.
void AppendHtmlEscaped(std::string_view text, std::string& out);
/// Appends stored characters escaped for RTF: "\", "{", "}" escaped, TAB as \tab, a line
/// end as \par, other characters as \uN (stray bytes of 128-255 read as Windows-1252).
void AppendRtfEscaped(std::string_view text, std::string& out);

}  // namespace quinkle

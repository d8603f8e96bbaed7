// Gradient text: a line of text whose characters run through a list of colours, as HTML, as
// coloured characters for a preview, and the colour list's file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

/// The character that stands for a line break in the text to colour ("¤", U+00A4).
inline constexpr char32_t kGradientBreak = 0xA4;

/// A colour as 0xRRGGBB.
using RgbColour = uint32_t;

/// Six upper-case hex digits RRGGBB.
std::string RgbToHex(RgbColour colour);
/// Six hex digits (any case, blanks around them ignored) as a colour; false for anything else.
bool HexToRgb(std::string_view text, RgbColour& colour);

/// The colour of character `index` of `length` (the list must not be empty): the position
/// index * (n - 1) / (length - 1) in the list of n colours, between two entries each channel
/// interpolated and rounded to the nearest integer, halves to the even one. A single
/// character takes the first colour.
RgbColour GradientColour(const std::vector<RgbColour>& colours, size_t index, size_t length);

/// One character of the text with its colour.
struct GradientCell {
    char32_t Character;
    RgbColour Colour;
};

/// Every character of the UTF-8 `text` with its colour; empty when there is no colour. A byte
/// that starts no UTF-8 sequence is one Windows-1252 character.
std::vector<GradientCell> GradientCells(std::string_view text,
                                        const std::vector<RgbColour>& colours);

/// The font the HTML names.
struct GradientFont {
    std::string Face;
    int32_t Points = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

/// The heading level for a font size: (20 - points) / 2 below 19, 2 from 19 to 21, 1 from 22;
/// at most 6, the smallest heading there is.
int32_t GradientHeadingLevel(int32_t points);

/// How a character is written: the markup characters and some accented letters as entities,
/// the break marker as "<br>", anything else as its UTF-8 form.
std::string GradientCharacterHtml(char32_t character);

/// The HTML of the text in its colours: lines "<FONT face=\"F\">", "<hN>", the style start tags,
/// the character elements "<FONT COLOR=\"#RRGGBB\">c</FONT>" (a blank's ending its line),
/// the style end tags in reverse order after an empty line (on its own line for underline),
/// "</hN>" and "</FONT>", each line ended by CR LF. Empty when there is no colour.
std::string BuildGradientHtml(std::string_view text, const std::vector<RgbColour>& colours,
                              const GradientFont& font);

/// The colour list as a gradient file: one RRGGBB a line, each ended by CR LF.
std::string WriteGradientFile(const std::vector<RgbColour>& colours);

/// A gradient file's colours, or the number (from 1) of its first line that is not blank and
/// holds no colour.
struct GradientFile {
    std::vector<RgbColour> Colours;
    int32_t BadLine = 0;
};

/// Reads a gradient file: lines end with CR LF, LF or CR; blank lines are skipped; every other
/// line must hold six hex digits, optionally after a "#".
GradientFile ReadGradientFile(std::string_view text);

}  // namespace quinkle

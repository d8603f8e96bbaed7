// Gradient text: a line of text whose characters run through a list of colours, as HTML, as
// coloured characters for a preview, and the colour list's file.
#include "engine/html/GradientText.h"

#include <algorithm>
#include <cmath>

#include "engine/html/HtmlHelpers.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

int32_t Channel(RgbColour colour, int shift) {
    return static_cast<int32_t>((colour >> shift) & 0xFF);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::u32string Decode(std::string_view text) {
    std::u32string out;
    size_t at = 0;
    while (at < text.size()) {
        char32_t code = 0;
        size_t length = DecodeUtf8(text.data() + at, text.size() - at, code);
        if (length == 0) {
            code = Windows1252ToUnicode(static_cast<unsigned char>(text[at]));
            length = 1;
        }
        out.push_back(code);
        at += length;
    }
    return out;
}

// Ends the text's last line, unless it is ended already or there is none.
void EndLine(std::string& html) {
    if (!html.empty() && !html.ends_with("\r\n")) html += "\r\n";
}

void AddLine(std::string& html, std::string_view line) {
    EndLine(html);
    html += line;
    html += "\r\n";
}

}  // namespace

std::string RgbToHex(RgbColour colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex(6, '0');
    for (int i = 5; i >= 0; --i) {
        hex[static_cast<size_t>(i)] = kDigits[colour & 0xF];
        colour >>= 4;
    }
    return hex;
}

bool HexToRgb(std::string_view text, RgbColour& colour) {
    text = Trimmed(text);
    if (text.size() != 6) return false;
    RgbColour value = 0;
    for (char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = (value << 4) | static_cast<RgbColour>(digit);
    }
    colour = value;
    return true;
}

RgbColour GradientColour(const std::vector<RgbColour>& colours, size_t index, size_t length) {
    if (length < 2 || colours.size() < 2) return colours.front();
    const double t = static_cast<double>(index) * static_cast<double>(colours.size() - 1) /
                     static_cast<double>(length - 1);
    const double whole = std::floor(t);
    const auto lo = static_cast<size_t>(whole);
    if (whole == t || lo + 1 >= colours.size()) return colours[std::min(lo, colours.size() - 1)];
    const double f = t - whole;
    RgbColour result = 0;
    for (int shift : {16, 8, 0}) {
        const int32_t from = Channel(colours[lo], shift);
        const int32_t to = Channel(colours[lo + 1], shift);
        // nearbyint rounds halves to the even neighbour in the default rounding mode.
        const auto value = static_cast<int32_t>(std::nearbyint(from + f * (to - from)));
        result |= static_cast<RgbColour>(std::clamp(value, 0, 255)) << shift;
    }
    return result;
}

std::vector<GradientCell> GradientCells(std::string_view text,
                                        const std::vector<RgbColour>& colours) {
    std::vector<GradientCell> cells;
    if (colours.empty()) return cells;
    const std::u32string characters = Decode(text);
    cells.reserve(characters.size());
    for (size_t i = 0; i < characters.size(); ++i)
        cells.push_back({characters[i], GradientColour(colours, i, characters.size())});
    return cells;
}

int32_t GradientHeadingLevel(int32_t points) {
    if (points >= 22) return 1;
    if (points >= 19) return 2;
    return std::min((20 - points) / 2, 6);
}

std::string GradientCharacterHtml(char32_t character) {
    switch (character) {
        case U'"':
            return "&quot;";
        case U'&':
            return "&amp;";
        case U'<':
            return "&lt;";
        case U'>':
            return "&gt;";
        case kGradientBreak:
            return "<br>";
        case 224:
            return "&agrave;";
        case 226:
            return "&acirc;";
        case 228:
            return "&auml;";
        case 232:
            return "&egrave;";
        case 233:
            return "&eacute;";
        case 234:
            return "&ecirc;";
        case 235:
            return "&euml;";
        case 238:
            return "&icirc;";
        case 239:
            return "&iuml;";
        case 244:
            return "&ocirc;";
        case 246:
            return "&ouml;";
        case 249:
            return "&ugrave;";
        case 251:
            return "&ucirc;";
        case 252:
            return "&uuml;";
        case 255:
            return "&yuml;";
        default:
            break;
    }
    std::string utf8;
    AppendUtf8(character, utf8);
    return utf8;
}

std::string BuildGradientHtml(std::string_view text, const std::vector<RgbColour>& colours,
                              const GradientFont& font) {
    if (colours.empty()) return {};
    std::string html;
    // The face as the font dialog names it, cut to 31 characters, quoted safely.
    std::u32string face = Decode(font.Face).substr(0, 31);
    std::string faceUtf8;
    for (char32_t c : face) AppendUtf8(c, faceUtf8);
    AddLine(html, "<FONT face=\"" + EscapeHtml(faceUtf8) + "\">");
    const std::string level = std::to_string(GradientHeadingLevel(font.Points));
    AddLine(html, "<h" + level + ">");
    std::string styles;
    if (font.Underline) styles += "<u>";
    if (font.Italic) styles += "<i>";
    if (font.Bold) styles += "<b>";
    if (!styles.empty()) AddLine(html, styles);
    for (const GradientCell& cell : GradientCells(text, colours)) {
        html += "<FONT COLOR=\"#" + RgbToHex(cell.Colour) + "\">";
        html += GradientCharacterHtml(cell.Character);
        html += "</FONT>";
        if (cell.Character == U' ') html += "\r\n";
    }
    // The style end tags close in the reverse order of their start tags; without underline
    // the line before them is left empty.
    std::string closing = font.Underline ? "" : "\r\n";
    if (font.Bold) closing += "</b>";
    if (font.Italic) closing += "</i>";
    if (font.Underline) closing += "</u>";
    AddLine(html, closing);
    AddLine(html, "</h" + level + ">");
    AddLine(html, "</FONT>");
    return html;
}

std::string WriteGradientFile(const std::vector<RgbColour>& colours) {
    std::string text;
    for (RgbColour colour : colours) text += RgbToHex(colour) + "\r\n";
    return text;
}

GradientFile ReadGradientFile(std::string_view text) {
    GradientFile file;
    int32_t number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trimmed(text.substr(start, end - start));
        ++number;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (line.empty()) continue;
        if (line.front() == '#') line.remove_prefix(1);
        RgbColour colour = 0;
        if (!HexToRgb(line, colour)) {
            file.Colours.clear();
            file.BadLine = number;
            return file;
        }
        file.Colours.push_back(colour);
    }
    return file;
}

}  // namespace quinkle

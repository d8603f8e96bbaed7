// Small builders the HTML dialogs share: attributes, colours and file paths as URLs.
#include "engine/html/HtmlHelpers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "engine/html/FilePaths.h"

namespace quinkle {
namespace {

struct NamedColour {
    uint32_t Rgb;  // 0xRRGGBB
    const char* Name;
};

constexpr std::array<NamedColour, 16> kBasicColours{{
    {0x000000, "Black"},
    {0x800000, "Maroon"},
    {0x008000, "Green"},
    {0x808000, "Olive"},
    {0x000080, "Navy"},
    {0x800080, "Purple"},
    {0x008080, "Teal"},
    {0x808080, "Gray"},
    {0xC0C0C0, "Silver"},
    {0xFF0000, "Red"},
    {0x00FF00, "Lime"},
    {0xFFFF00, "Yellow"},
    {0x0000FF, "Blue"},
    {0xFF00FF, "Fuchsia"},
    {0x00FFFF, "Aqua"},
    {0xFFFFFF, "White"},
}};

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string HexRgb(uint32_t rgb) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(rgb >> shift) & 0xF];
    return text;
}

// True when `text` starts with a character reference: "&name;", "&#123;" or "&#x7B;".
bool StartsWithReference(std::string_view text) {
    size_t i = 1;
    bool (*allowed)(char) = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    if (text.size() > 1 && text[1] == '#') {
        const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
        i = hex ? 3 : 2;
        allowed = hex ? IsHexDigit : [](char c) { return c >= '0' && c <= '9'; };
    }
    const size_t first = i;
    while (i < text.size() && allowed(text[i])) ++i;
    return i > first && i < text.size() && text[i] == ';';
}

// "&" as "&amp;" unless it starts a character reference the writer meant.
void AppendAmpersand(std::string& out, std::string_view rest) {
    out += StartsWithReference(rest) ? "&" : "&amp;";
}

}  // namespace

std::string FormatAttribute(std::string_view name, std::string_view value) {
    while (!value.empty() && IsBlankOrControl(value.front())) value.remove_prefix(1);
    while (!value.empty() && IsBlankOrControl(value.back())) value.remove_suffix(1);
    if (value.empty()) return {};
    std::string attribute = " ";
    attribute += name;
    attribute += "=\"";
    attribute += value;
    attribute += '"';
    return attribute;
}

std::string ColourToHtml(uint32_t colour) {
    uint32_t red = colour & 0xFF;
    uint32_t green = (colour >> 8) & 0xFF;
    uint32_t blue = (colour >> 16) & 0xFF;
    return HexRgb((red << 16) | (green << 8) | blue);
}

std::string HtmlColour(std::string_view value) {
    while (!value.empty() && IsBlankOrControl(value.front())) value.remove_prefix(1);
    while (!value.empty() && IsBlankOrControl(value.back())) value.remove_suffix(1);
    if (value.size() == 6 && std::all_of(value.begin(), value.end(), IsHexDigit))
        return "#" + std::string(value);
    for (const NamedColour& named : kBasicColours) {
        if (EqualsIgnoringCase(value, named.Name)) return HexRgb(named.Rgb);
    }
    return std::string(value);
}

std::string ColourIdentToName(std::string_view ident) {
    if (ident.size() > 2 && ident.substr(0, 2) == "cl" && ident[2] >= 'A' && ident[2] <= 'Z')
        ident.remove_prefix(2);
    return std::string(ident);
}

std::string PathToUrl(std::string_view path) {
    std::string url = StripQuotes(path);
    for (char& c : url) {
        if (c == '\\') c = '/';
    }
    if (url.size() >= 2 && url[1] == ':') url.erase(0, 2);
    return url;
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&':
                AppendAmpersand(out, text.substr(i));
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UrlAttribute(std::string_view url) {
    std::string out;
    out.reserve(url.size());
    for (size_t i = 0; i < url.size(); ++i) {
        const char c = url[i];
        switch (c) {
            case '&':
                AppendAmpersand(out, url.substr(i));
                break;
            case '"':
                out += "%22";
                break;
            case '<':
                out += "%3C";
                break;
            case '>':
                out += "%3E";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string PercentEncode(std::string_view text, std::string_view alsoKept) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (std::isalnum(c) || std::strchr("-._~", c) != nullptr ||
            alsoKept.find(static_cast<char>(c)) != std::string_view::npos) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace quinkle

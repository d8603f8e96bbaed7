// The character set a document declares, and the byte forms of text in it.
#include "engine/text/Charset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "engine/text/AsciiText.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

// ISO-8859-2, bytes 0xA0..0xFF.
constexpr std::array<char16_t, 96> kIso8859_2{
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// Windows-1250, bytes 0x80..0xFF; the five undefined bytes stand for their control characters.
constexpr std::array<char16_t, 128> kWindows1250{
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// ISO-8859-15 is ISO-8859-1 with eight letters replaced.
char32_t Iso8859_15(unsigned char byte) {
    switch (byte) {
        case 0xA4:
            return 0x20AC;
        case 0xA6:
            return 0x0160;
        case 0xA8:
            return 0x0161;
        case 0xB4:
            return 0x017D;
        case 0xB8:
            return 0x017E;
        case 0xBC:
            return 0x0152;
        case 0xBD:
            return 0x0153;
        case 0xBE:
            return 0x0178;
        default:
            return byte;
    }
}

// Code points of the bytes 128..255 with their bytes, sorted by code point.
using ReverseTable = std::array<std::pair<char32_t, unsigned char>, 128>;
constexpr size_t kCharsetCount = static_cast<size_t>(Charset::Windows1252) + 1;

struct Label {
    std::string_view Name;
    Charset Set;
};

constexpr std::array<Label, 27> kLabels{{
    {"utf-8", Charset::Utf8},
    {"utf8", Charset::Utf8},
    {"unicode-1-1-utf-8", Charset::Utf8},
    {"iso-8859-1", Charset::Iso8859_1},
    {"iso8859-1", Charset::Iso8859_1},
    {"iso_8859-1", Charset::Iso8859_1},
    {"latin1", Charset::Iso8859_1},
    {"l1", Charset::Iso8859_1},
    {"iso-ir-100", Charset::Iso8859_1},
    {"iso-8859-2", Charset::Iso8859_2},
    {"iso8859-2", Charset::Iso8859_2},
    {"iso_8859-2", Charset::Iso8859_2},
    {"latin2", Charset::Iso8859_2},
    {"l2", Charset::Iso8859_2},
    {"iso-ir-101", Charset::Iso8859_2},
    {"iso-8859-15", Charset::Iso8859_15},
    {"iso8859-15", Charset::Iso8859_15},
    {"iso_8859-15", Charset::Iso8859_15},
    {"latin-9", Charset::Iso8859_15},
    {"latin9", Charset::Iso8859_15},
    {"l9", Charset::Iso8859_15},
    {"windows-1250", Charset::Windows1250},
    {"cp1250", Charset::Windows1250},
    {"x-cp1250", Charset::Windows1250},
    {"windows-1252", Charset::Windows1252},
    {"cp1252", Charset::Windows1252},
    {"x-cp1252", Charset::Windows1252},
}};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Reads the attributes of one tag from `at` (just after its name) up to its ">" or the end
// of `text`, calling found(name, value) for each.
template <typename Found>
void ReadAttributes(std::string_view text, size_t at, Found found) {
    while (at < text.size() && text[at] != '>') {
        if (IsSpace(text[at]) || text[at] == '/') {
            ++at;
            continue;
        }
        size_t nameStart = at;
        while (at < text.size() && !IsSpace(text[at]) && text[at] != '=' && text[at] != '>') ++at;
        std::string_view name = text.substr(nameStart, at - nameStart);
        while (at < text.size() && IsSpace(text[at])) ++at;
        std::string_view value;
        if (at < text.size() && text[at] == '=') {
            ++at;
            while (at < text.size() && IsSpace(text[at])) ++at;
            if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
                char quote = text[at++];
                size_t end = text.find(quote, at);
                if (end == std::string_view::npos) end = text.size();
                value = text.substr(at, end - at);
                at = end < text.size() ? end + 1 : end;
            } else {
                size_t valueStart = at;
                while (at < text.size() && !IsSpace(text[at]) && text[at] != '>') ++at;
                value = text.substr(valueStart, at - valueStart);
                // "<meta charset=utf-8/>": the slash closes the tag.
                if (!value.empty() && value.back() == '/') value.remove_suffix(1);
            }
        }
        found(name, value);
    }
}

// The first tag `opening` ("<head", "</head", ...) at or after `from`, ASCII case ignored:
// the name must end there, so "<head" does not find "<header>".
size_t FindTag(std::string_view text, std::string_view opening, size_t from) {
    for (size_t at = FindNoCase(text, opening, from); at != std::string_view::npos;
         at = FindNoCase(text, opening, at + 1)) {
        size_t after = at + opening.size();
        if (after == text.size() || IsSpace(text[after]) || text[after] == '>' ||
            text[after] == '/') {
            return at;
        }
    }
    return std::string_view::npos;
}

// The charset name in a Content-Type value such as "text/html; charset=iso-8859-2".
std::optional<std::string_view> CharsetInContentType(std::string_view content) {
    size_t at = FindNoCase(content, "charset");
    if (at == std::string_view::npos) return std::nullopt;
    at += 7;
    while (at < content.size() && IsSpace(content[at])) ++at;
    if (at >= content.size() || content[at] != '=') return std::nullopt;
    ++at;
    while (at < content.size() && IsSpace(content[at])) ++at;
    if (at < content.size() && (content[at] == '"' || content[at] == '\'')) ++at;
    size_t end = content.find_first_of(" \t\r\n\f;\"'", at);
    if (end == std::string_view::npos) end = content.size();
    return content.substr(at, end - at);
}

// The charset one meta tag declares, if it declares one.
std::optional<std::string_view> MetaCharset(std::string_view text, size_t attributesAt) {
    std::optional<std::string_view> charset;
    std::optional<std::string_view> content;
    bool contentType = false;
    ReadAttributes(text, attributesAt, [&](std::string_view name, std::string_view value) {
        if (EqualsNoCase(name, "charset") && !charset) charset = value;
        if (EqualsNoCase(name, "content") && !content) content = value;
        if (EqualsNoCase(name, "http-equiv") && EqualsNoCase(TrimSpace(value), "content-type"))
            contentType = true;
    });
    if (charset) return charset;
    if (contentType && content) return CharsetInContentType(*content);
    return std::nullopt;
}

}  // namespace

std::string_view CharsetName(Charset charset) {
    switch (charset) {
        case Charset::Iso8859_1:
            return "ISO-8859-1";
        case Charset::Iso8859_2:
            return "ISO-8859-2";
        case Charset::Iso8859_15:
            return "ISO-8859-15";
        case Charset::Windows1250:
            return "windows-1250";
        case Charset::Windows1252:
            return "windows-1252";
        case Charset::Utf8:
        default:
            return "UTF-8";
    }
}

std::optional<Charset> CharsetFromName(std::string_view name) {
    name = TrimSpace(name);
    for (const Label& label : kLabels) {
        if (EqualsNoCase(name, label.Name)) return label.Set;
    }
    return std::nullopt;
}

Charset DeclaredCharset(std::string_view text) {
    text = text.substr(0, kCharsetDeclarationLimit);
    size_t start = FindTag(text, "<head", 0);
    if (start == std::string_view::npos) start = 0;
    size_t end = std::min(FindTag(text, "</head", start), FindTag(text, "<body", start));
    std::string_view head = text.substr(start, end == std::string_view::npos ? end : end - start);

    for (size_t at = FindTag(head, "<meta", 0); at != std::string_view::npos;
         at = FindTag(head, "<meta", at + 5)) {
        if (auto name = MetaCharset(head, at + 5))
            return CharsetFromName(*name).value_or(Charset::Utf8);
    }
    return Charset::Utf8;
}

char32_t DecodeByte(Charset charset, unsigned char byte) {
    if (byte < 0x80) return byte;
    switch (charset) {
        case Charset::Iso8859_1:
            return byte;
        case Charset::Iso8859_2:
            return byte < 0xA0 ? byte : kIso8859_2[byte - 0xA0];
        case Charset::Iso8859_15:
            return Iso8859_15(byte);
        case Charset::Windows1250:
            return kWindows1250[byte - 0x80];
        case Charset::Utf8:
        case Charset::Windows1252:
        default:
            return Windows1252ToUnicode(byte);
    }
}

std::optional<unsigned char> EncodeCodePoint(Charset charset, char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
    if (charset == Charset::Utf8) return std::nullopt;
    static const std::array<ReverseTable, kCharsetCount> kReverse = [] {
        std::array<ReverseTable, kCharsetCount> tables;
        for (size_t set = 0; set < kCharsetCount; ++set) {
            for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
                char32_t decoded = DecodeByte(static_cast<Charset>(set), byte);
                tables[set][byte - 0x80] = {decoded, static_cast<unsigned char>(byte)};
            }
            std::sort(tables[set].begin(), tables[set].end());
        }
        return tables;
    }();
    const ReverseTable& table = kReverse[static_cast<size_t>(charset)];
    auto found = std::lower_bound(table.begin(), table.end(),
                                  std::pair<char32_t, unsigned char>(codePoint, 0));
    if (found == table.end() || found->first != codePoint) return std::nullopt;
    return found->second;
}

std::string EncodeTyped(Charset charset, std::string_view utf8Text) {
    if (charset == Charset::Utf8) return std::string(utf8Text);
    std::string bytes;
    bytes.reserve(utf8Text.size());
    size_t at = 0;
    while (at < utf8Text.size()) {
        char32_t codePoint = 0;
        size_t length = DecodeUtf8(utf8Text.data() + at, utf8Text.size() - at, codePoint);
        if (length == 0) {  // not UTF-8: the byte passes as it is
            bytes += utf8Text[at++];
            continue;
        }
        at += length;
        if (auto byte = EncodeCodePoint(charset, codePoint)) {
            bytes += static_cast<char>(*byte);
        } else {
            bytes += "&#" + std::to_string(static_cast<uint32_t>(codePoint)) + ";";
        }
    }
    return bytes;
}

std::string DecodeForDisplay(Charset charset, std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        if (charset == Charset::Utf8) {
            char32_t codePoint = 0;
            size_t length = DecodeUtf8(bytes.data() + at, bytes.size() - at, codePoint);
            if (length > 0) {
                text.append(bytes.substr(at, length));
                at += length;
                continue;
            }
        }
        AppendUtf8(DecodeByte(charset, static_cast<unsigned char>(bytes[at++])), text);
    }
    return text;
}

}  // namespace quinkle

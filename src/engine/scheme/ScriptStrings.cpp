// Escape sequences and character specifiers of script strings.
#include "engine/scheme/ScriptStrings.h"

#include <cstdint>

#include "engine/text/AsciiText.h"

namespace quinkle {

namespace {

/// Reads one character at `pos` (after a backslash when `escaped`), advancing `pos`.
uint8_t EscapedChar(std::string_view raw, size_t& pos, bool unicodeAsHex) {
    char c = raw[pos++];
    if (c >= '0' && c <= '7') {
        uint32_t value = static_cast<uint32_t>(c - '0');
        while (pos < raw.size() && raw[pos] >= '0' && raw[pos] <= '7')
            value = value * 8 + static_cast<uint32_t>(raw[pos++] - '0');
        return static_cast<uint8_t>(value);
    }
    switch (c) {
        case 'b':
        case 'B':
            return 8;
        case 'e':
        case 'E':
            return 27;
        case 'n':
        case 'N':
            return 13;
        case 'r':
        case 'R':
            return 10;
        case 's':
        case 'S':
            return ' ';
        case 't':
        case 'T':
            return 9;
        case 'u':
        case 'U':
            if (!unicodeAsHex) return static_cast<uint8_t>(c);
            [[fallthrough]];
        case 'x':
        case 'X': {
            uint32_t value = 0;
            while (pos < raw.size() && HexDigitValue(raw[pos]) >= 0)
                value = value * 16 + static_cast<uint32_t>(HexDigitValue(raw[pos++]));
            return static_cast<uint8_t>(value);
        }
        default:
            return static_cast<uint8_t>(c);
    }
}

/// One character of a specifier, escapes applied.
uint8_t SpecChar(std::string_view raw, size_t& pos) {
    if (raw[pos] == '\\' && pos + 1 < raw.size()) {
        ++pos;
        return EscapedChar(raw, pos, true);
    }
    return static_cast<uint8_t>(raw[pos++]);
}

void AddRange(CharGroup& group, uint8_t first, uint8_t last) {
    if (last < first) throw ESpecifier("Characters not in correct order for range specifier");
    group.AddRange(first, last);
}

}  // namespace

std::string Unescape(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    size_t pos = 0;
    while (pos < raw.size()) {
        if (raw[pos] == '\\' && pos + 1 < raw.size()) {
            ++pos;
            text += static_cast<char>(EscapedChar(raw, pos, false));
        } else {
            text += raw[pos++];
        }
    }
    return text;
}

std::vector<CharGroup> ParseSpecifiers(std::string_view raw) {
    std::vector<CharGroup> groups;
    size_t pos = 0;
    while (pos < raw.size()) {
        CharGroup group;
        if (raw[pos] == '[') {
            ++pos;
            if (pos < raw.size() && raw[pos] == '^') {
                group.Negated = true;
                ++pos;
            }
            while (pos < raw.size() && raw[pos] != ']') {
                uint8_t first = SpecChar(raw, pos);
                if (pos + 1 < raw.size() && raw[pos] == '-' && raw[pos + 1] != ']') {
                    ++pos;
                    AddRange(group, first, SpecChar(raw, pos));
                } else {
                    group.Add(first);
                }
            }
            if (pos < raw.size()) ++pos;  // the ']'
        } else {
            uint8_t first = SpecChar(raw, pos);
            if (pos + 1 < raw.size() && raw[pos] == '-') {
                ++pos;
                AddRange(group, first, SpecChar(raw, pos));
            } else {
                group.Add(first);
            }
        }
        groups.push_back(group);
    }
    return groups;
}

}  // namespace quinkle

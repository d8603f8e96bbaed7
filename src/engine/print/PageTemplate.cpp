// Expansion of the header and footer codes.
#include "engine/print/PageTemplate.h"

#include <cstdio>

namespace quinkle {
namespace {

// `width` digits at least, zero-padded, so a 7 in a two-digit field is "07".
void AppendPadded(std::string& out, int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

}  // namespace

std::string FormatPrintDate(const PrintStamp& stamp) {
    std::string text;
    AppendPadded(text, stamp.Year, 4);
    text += '-';
    AppendPadded(text, stamp.Month, 2);
    text += '-';
    AppendPadded(text, stamp.Day, 2);
    return text;
}

std::string FormatPrintTime(const PrintStamp& stamp) {
    std::string text;
    AppendPadded(text, stamp.Hour, 2);
    text += ':';
    AppendPadded(text, stamp.Minute, 2);
    return text;
}

TemplateParts ExpandTemplate(std::string_view pattern, const TemplateValues& values) {
    TemplateParts parts;
    std::string* part = &parts.Left;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '&' || i + 1 == pattern.size()) {
            *part += c;
            continue;
        }
        const char code = pattern[++i];
        switch (code) {
            case 'l':
                part = &parts.Left;
                break;
            case 'c':
                part = &parts.Centre;
                break;
            case 'r':
                part = &parts.Right;
                break;
            case 'p':
                *part += std::to_string(values.Page);
                break;
            case 'P':
                *part += std::to_string(values.PageCount);
                break;
            case 'd':
                *part += FormatPrintDate(values.Stamp);
                break;
            case 't':
                *part += FormatPrintTime(values.Stamp);
                break;
            case 'i':
                *part += values.Title;
                break;
            case '&':
                *part += '&';
                break;
            default:
                *part += '&';
                *part += code;
        }
    }
    return parts;
}

}  // namespace quinkle

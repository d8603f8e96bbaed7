// Expanding "%n" references and backslash escapes of a replacement text.
#include "engine/search/Replacement.h"

#include <algorithm>

#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string ExpandReplacement(std::string_view replacement, const std::vector<int32_t>& matches,
                              const std::function<std::string(int32_t, int32_t)>& textOf) {
    std::string out;
    size_t i = 0;
    auto more = [&] { return i < replacement.size(); };
    while (more()) {
        char c = replacement[i++];
        if (c == '%') {
            if (!more()) {
                out += '%';
                break;
            }
            if (!IsDigit(replacement[i]) || replacement[i] == '0') {
                out += replacement[i++];  // "%%" and "%" with any other byte: that byte
                continue;
            }
            int n = 0;
            for (int digits = 0; digits < 3 && more() && IsDigit(replacement[i]); ++digits) {
                int next = n * 10 + (replacement[i] - '0');
                if (next > 255) break;
                n = next;
                ++i;
            }
            if (static_cast<size_t>(n) < matches.size()) {
                int32_t from = matches[n - 1];
                int32_t to = matches[n];
                if (from >= 0 && to >= 0) out += textOf(std::min(from, to), std::max(from, to));
            }
            continue;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (!more()) {
            out += '\\';
            break;
        }
        char e = replacement[i++];
        switch (e) {
            case 'n':
                out += '\r';
                break;  // the stored line end
            case 'r':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 's':
                out += ' ';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'x': {
                int value = more() ? HexDigitValue(replacement[i]) : -1;
                if (value < 0) {
                    out += 'x';
                    break;
                }
                ++i;
                if (more() && HexDigitValue(replacement[i]) >= 0)
                    value = value * 16 + HexDigitValue(replacement[i++]);
                out += static_cast<char>(value);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    int value = e - '0';
                    for (int digits = 1;
                         digits < 3 && more() && replacement[i] >= '0' && replacement[i] <= '7';
                         ++digits)
                        value = value * 8 + (replacement[i++] - '0');
                    if (value >= 256) return out;
                    out += static_cast<char>(value);
                } else {
                    out += e;  // "\\" and any other escaped byte
                }
                break;
        }
    }
    return out;
}

}  // namespace quinkle

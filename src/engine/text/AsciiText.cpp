// Comparing and searching text without regard to ASCII case.
#include "engine/text/AsciiText.h"

namespace quinkle {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
    if (from > text.size() || needle.size() > text.size() - from) return std::string_view::npos;
    for (size_t at = from; at + needle.size() <= text.size(); ++at) {
        if (EqualsNoCase(text.substr(at, needle.size()), needle)) return at;
    }
    return std::string_view::npos;
}

std::string LowerAsciiText(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerAscii(c);
    return lower;
}

}  // namespace quinkle

// Arbitrary bytes read as rich text: nothing may crash or hang, and the body is well-formed
// UTF-8 whose tags balance (every element the translator opens is closed again).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html/RtfToHtml.h"
#include "engine/text/Utf8.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t c;
        const size_t length = quinkle::DecodeUtf8(text.data() + i, text.size() - i, c);
        Require(length > 0);
        i += length;
    }
}

// Every tag but BR and HR is closed, innermost first.
void CheckBalance(std::string_view body) {
    std::vector<std::string_view> open;
    for (size_t i = body.find('<'); i != std::string_view::npos; i = body.find('<', i + 1)) {
        const size_t end = body.find_first_of(" >", i);
        Require(end != std::string_view::npos);
        const bool closing = body[i + 1] == '/';
        const std::string_view name = body.substr(i + 1 + closing, end - i - 1 - closing);
        if (name == "BR" || name == "HR") continue;
        if (!closing) {
            open.push_back(name);
            continue;
        }
        Require(!open.empty() && open.back() == name);
        open.pop_back();
    }
    Require(open.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const quinkle::RtfTranslation translation = quinkle::TranslateRtf(input);
    CheckUtf8(translation.Body);
    CheckUtf8(translation.Title);
    CheckBalance(translation.Body);
    return 0;
}

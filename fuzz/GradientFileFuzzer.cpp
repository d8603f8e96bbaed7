// Arbitrary bytes read as a gradient file: nothing may crash; the file either names the bad
// line and gives no colour, or its colours written and read again are the same list. Every
// colour list read makes HTML whose character elements carry six hex digits.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/html/GradientText.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const quinkle::GradientFile file = quinkle::ReadGradientFile(input);
    if (file.BadLine != 0) {
        Require(file.Colours.empty());
        Require(file.BadLine > 0);
        return 0;
    }
    for (quinkle::RgbColour colour : file.Colours) Require(colour <= 0xFFFFFF);
    const quinkle::GradientFile again =
        quinkle::ReadGradientFile(quinkle::WriteGradientFile(file.Colours));
    Require(again.BadLine == 0 && again.Colours == file.Colours);
    if (file.Colours.empty()) return 0;
    // The input itself as the text to colour: any bytes, any length.
    const std::string html = quinkle::BuildGradientHtml(input.substr(0, 256), file.Colours, {});
    size_t at = 0;
    while ((at = html.find("COLOR=\"#", at)) != std::string::npos) {
        at += 8;
        Require(html.size() >= at + 8 && html.compare(at + 6, 2, "\">") == 0);
    }
    return 0;
}

// Arbitrary bytes read as a settings file holding quick buttons: nothing may crash, every
// button written back reads as the same button, and hint and mask helpers stay total.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/store/QuickButtons.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const quinkle::IniFile ini = quinkle::IniFile::FromText(input);
    quinkle::IniFile copy;
    for (int i = 0; i < quinkle::kQuickButtonCount; ++i) {
        const quinkle::QuickButton button = quinkle::ReadQuickButton(ini, i);
        quinkle::WriteQuickButton(copy, i, button);
        Require(quinkle::ReadQuickButton(copy, i) == button);
        quinkle::QuickFilePath(button.Payload, "/p/");
    }
    // The hint editor's lines always join into one line.
    Require(quinkle::JoinHintLines(input).find_first_of("\r\n") == std::string::npos);
    const std::string text = quinkle::TextFileInsertion(input);
    Require(text.empty() == input.empty());
    Require(text.empty() || text.ends_with("\r\n"));
    // The first line as masks, the rest as a name.
    const size_t cut = input.find('\n');
    if (cut != std::string_view::npos)
        quinkle::MatchesFileMask(input.substr(cut + 1), input.substr(0, cut));
    return 0;
}

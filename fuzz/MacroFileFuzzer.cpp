// Arbitrary bytes read as a macro file: nothing may crash, a refused file is refused with the
// engine's error, and an accepted one writes back to bytes that read as the same macro.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/store/MacroFile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    quinkle::MacroRecording macro;
    try {
        macro = quinkle::DecodeMacro(input, "fuzz.mcr");
    } catch (const quinkle::EMacroError&) {
        return 0;
    }
    Require(size % quinkle::kMacroRecordSize == 0);
    Require(macro.Events.size() <= size / quinkle::kMacroRecordSize);
    for (const quinkle::MacroEvent& event : macro.Events)
        Require(event.WindowId() <= macro.Windows.size());
    const std::string written = quinkle::EncodeMacro(macro);
    Require(written.size() <= size);
    Require(quinkle::DecodeMacro(written, "fuzz.mcr") == macro);
    return 0;
}

// Arbitrary text read as a style string over default settings: a rejected text raises the
// engine's error; an accepted one is written out, and that text reads back to itself. The same
// bytes behind the key blob's magic, loaded from the user store, either replace the keys or
// leave them as they were.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/scheme/StyleString.h"
#include "engine/store/SchemeRegistry.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    {
        quinkle::UserStore store;
        store.WriteString("\\K", "Highlighting - ", "Marvox6:#END#");
        store.WriteBinary("\\K", "Key Assignments - ",
                          std::string(quinkle::kKeyBlobMagic) + std::string(input));
        quinkle::CompiledScheme scheme;
        const std::string before = quinkle::WriteKeyBlob(scheme.Settings.Editor.Keys);
        try {
            Require(quinkle::LoadSchemeStylesFrom(scheme, store, "\\K"));
        } catch (const quinkle::ESourceEditor&) {
            Require(quinkle::WriteKeyBlob(scheme.Settings.Editor.Keys) == before);
        }
    }
    quinkle::SchemeSettings settings;
    try {
        quinkle::ParseStyleString(input, settings);
    } catch (const quinkle::ESourceEditor&) {
        return 0;
    }
    const std::string written = quinkle::WriteStyleString(settings);
    quinkle::SchemeSettings again;
    Require(quinkle::ParseStyleString(written, again) == 6);
    // All 256 effects are announced as 255, so the last one is not read back.
    const auto& effects = settings.Editor.Styles.Effects;
    if (std::all_of(effects.begin(), effects.end(), [](const auto& e) { return e.Defined; }))
        return 0;
    Require(quinkle::WriteStyleString(again) == written);
    return 0;
}

// Arbitrary bytes read as a key map over the default one: a rejected stream must leave the map
// and the position as they were; an accepted one must write out and read back to the same bytes,
// and the bytes after it, taken as keys, must match without breaking the tree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/scheme/KeyboardActionController.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

std::string Stream(const quinkle::KeyboardActionController& controller) {
    std::string data;
    controller.WriteTo(data);
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using quinkle::KeyboardActionController;
    static const std::string kDefaultStream = Stream(KeyboardActionController::Default());
    std::string_view input(reinterpret_cast<const char*>(data), size);

    KeyboardActionController keys = KeyboardActionController::Default();
    size_t pos = 0;
    try {
        keys.ReadFrom(input, pos);
    } catch (const quinkle::ESourceEditor&) {
        Require(pos == 0);
        Require(Stream(keys) == kDefaultStream);
        return 0;
    }
    Require(pos <= size);
    Require(keys.Store().Check());

    std::string written = Stream(keys);
    KeyboardActionController again;
    size_t readPos = 0;
    again.ReadFrom(written, readPos);
    Require(readPos == written.size());
    Require(Stream(again) == written);

    const auto bindings = keys.Bindings();
    for (const quinkle::KeyBinding& binding : bindings) {
        size_t found = 0;
        for (quinkle::KeyPair pair = keys.FirstBinding(binding.Command); pair != quinkle::KeyPair{};
             pair = keys.NextBinding(binding.Command))
            Require(++found <= bindings.size());
        Require(found > 0);
    }

    for (size_t at = pos; at + 1 < size; at += 2) {
        auto key = static_cast<uint16_t>(data[at] | data[at + 1] << 8);
        quinkle::KeyMatch match = keys.ProcessKey(key);
        Require(match.Command == -1 || (match.Handled && !keys.InSequence()));
        Require(keys.Store().Check());
    }
    return 0;
}

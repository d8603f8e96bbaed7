// Arbitrary bytes read as a scheme image (version 50 or 51 by the first byte) and as a Parser
// value: a rejected input must leave the scheme empty with one of the engine's errors; an
// accepted one must write out and read back to the same bytes and scan a text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/scheme/Compressor.h"
#include "engine/scheme/SchemeDump.h"
#include "engine/scheme/SchemeImage.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

const std::string& EmptyImage() {
    static const std::string image = [] {
        quinkle::CompiledScheme empty;
        return quinkle::WriteSchemeImage(empty);
    }();
    return image;
}

void CheckAccepted(quinkle::CompiledScheme& scheme) {
    const std::string image = quinkle::WriteSchemeImage(scheme);
    quinkle::CompiledScheme again;
    quinkle::ReadSchemeImage(image, again);
    Require(quinkle::WriteSchemeImage(again) == image);
    quinkle::DumpTokens(again.Scheme, again.Settings.Editor.Styles,
                        "<a href=\"x\">a1 b;/* c */ 12.5e3 'q' \"s\\\"\"\r\n\tz</a>\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const uint16_t version = (data[0] & 1) ? 51 : 50;

    quinkle::CompiledScheme scheme;
    try {
        quinkle::ReadSchemeImage(input, scheme, version);
        if (version == 51) CheckAccepted(scheme);
    } catch (const quinkle::ESourceEditor&) {
        Require(quinkle::WriteSchemeImage(scheme) == EmptyImage());
    }

    // The same bytes behind a Parser header; mostly stopped by the compressor.
    quinkle::CompiledScheme parsed;
    try {
        quinkle::ReadParserValue(input, parsed, "pFuzz");
    } catch (const quinkle::ESourceEditor&) {
        Require(quinkle::WriteSchemeImage(parsed) == EmptyImage());
    } catch (const quinkle::ECompressorException&) {
        Require(quinkle::WriteSchemeImage(parsed) == EmptyImage());
    }
    return 0;
}

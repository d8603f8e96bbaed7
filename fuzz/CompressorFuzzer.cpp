// Arbitrary bytes as a compressed stream must fail cleanly or unpack to the size they state,
// within what such a stream can hold; and the bytes themselves must survive a round trip.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/scheme/Compressor.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using quinkle::Compressor;
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // The same bytes behind either magic, and as they are.
    for (std::string_view magic :
         {Compressor::kKhMagic, Compressor::kLzhMagic, std::string_view()}) {
        const std::string stream = std::string(magic) + std::string(input);
        try {
            const std::string out = Compressor::Decompress(stream);
            Require(stream.size() >= 8);
            const uint32_t stated = static_cast<uint8_t>(stream[4]) |
                                    static_cast<uint8_t>(stream[5]) << 8 |
                                    static_cast<uint8_t>(stream[6]) << 16 |
                                    static_cast<uint32_t>(static_cast<uint8_t>(stream[7])) << 24;
            Require(out.size() == stated);
            Require(out.size() <= stream.size() * 1100);
        } catch (const quinkle::ECompressorException&) {
        }
    }

    const std::string packed = Compressor::Compress(input);
    Require(packed.size() <= 8 + size + 3 * (size / Compressor::kChunkSize + 1));
    Require(Compressor::Decompress(packed) == input);
    return 0;
}

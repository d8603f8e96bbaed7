// The KH block method (both ways) and the choice of method by the stream's magic.
#include "engine/scheme/Compressor.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "engine/scheme/LzhReader.h"

namespace quinkle {

namespace {

namespace msg = compressor_message;

constexpr uint8_t kPackedBlock = 64;
constexpr uint8_t kStoredBlock = 128;
constexpr size_t kMaxOffset = 4095;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 18;
constexpr size_t kMinRun = 16;
constexpr size_t kMaxRun = 4095;
constexpr size_t kHashSize = 4096;
// A run item of 4 bytes (plus its control bit) unpacks to at most 4111 bytes; no KH stream
// unpacks to more than this many bytes per stream byte.
constexpr int64_t kKhMaxExpansion = 1028;

// Chunk positions plus one; 0 marks an empty slot.
using HashTable = std::array<uint16_t, kHashSize>;

unsigned Hash(const unsigned char* p) {
    uint32_t key = ((((uint32_t{p[0]} << 4) ^ p[1]) << 4) ^ p[2]);
    return ((key * 40543u) >> 4) & (kHashSize - 1);
}

void PutU16(std::string& out, size_t at, unsigned value) {
    out[at] = static_cast<char>(value >> 8);
    out[at + 1] = static_cast<char>(value & 0xFF);
}

void AppendLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The packed form of one chunk (the leading 64 included), or an empty string as soon as it
// would be longer than the chunk.
std::string PackChunk(std::string_view chunk, HashTable& table) {
    table.fill(0);
    const auto* in = reinterpret_cast<const unsigned char*>(chunk.data());
    const size_t size = chunk.size();
    std::string packed;
    packed.reserve(size + 8);
    packed.push_back(static_cast<char>(kPackedBlock));

    size_t controlAt = 0;
    unsigned control = 0;
    int items = 16;
    size_t pos = 0;
    while (pos < size) {  // every item covers at least one input byte
        if (items == 16) {
            if (controlAt != 0) PutU16(packed, controlAt, control);
            controlAt = packed.size();
            packed.append(2, '\0');
            control = 0;
            items = 0;
        }
        if (packed.size() - 1 > size) return {};

        size_t run = 1;
        const size_t runLimit = std::min(kMaxRun, size - pos);
        while (run < runLimit && in[pos + run] == in[pos]) ++run;

        const size_t before = pos;
        if (run >= kMinRun) {
            const size_t n = run - kMinRun;
            packed.push_back('\0');
            packed.push_back(static_cast<char>(n >> 8));
            packed.push_back(static_cast<char>(n & 0xFF));
            packed.push_back(static_cast<char>(in[pos]));
            pos += run;
        } else if (size - pos >= kMinMatch) {
            const unsigned slot = Hash(in + pos);
            const size_t candidate = table[slot];
            table[slot] = static_cast<uint16_t>(pos + 1);
            if (candidate != 0) {
                const size_t from = candidate - 1;
                const size_t offset = pos - from;
                const size_t limit = offset <= kMaxOffset ? std::min(kMaxMatch, size - pos) : 0;
                size_t length = 0;
                while (length < limit && in[from + length] == in[pos + length]) ++length;
                if (length >= kMinMatch) {
                    packed.push_back(static_cast<char>(offset >> 4));
                    packed.push_back(static_cast<char>(((offset & 0xF) << 4) | (length - 3)));
                    pos += length;
                }
            }
        }
        if (pos == before) {
            packed.push_back(static_cast<char>(in[pos]));
            ++pos;
        } else {
            control |= 0x8000u >> items;
        }
        ++items;
    }
    if (controlAt != 0) PutU16(packed, controlAt, control);
    if (packed.size() - 1 > size) return {};
    return packed;
}

[[noreturn]] void Damaged() { throw ECompressorException(msg::kDamaged); }

// Unpacks one block into out (room for a whole chunk); returns the bytes written.
size_t UnpackBlock(std::string_view block, unsigned char* out) {
    if (block.empty()) Damaged();
    const auto* in = reinterpret_cast<const unsigned char*>(block.data());
    const size_t size = block.size();
    if (in[0] == kStoredBlock) {
        if (size - 1 > Compressor::kChunkSize) Damaged();
        if (size > 1) std::memcpy(out, in + 1, size - 1);
        return size - 1;
    }
    if (in[0] != kPackedBlock) Damaged();

    size_t pos = 1;
    size_t produced = 0;
    unsigned control = 0;
    int bits = 0;
    while (pos < size) {  // every item takes at least one byte
        if (bits == 0) {
            if (size - pos < 3) Damaged();  // a control word and at least one item byte
            control = (unsigned{in[pos]} << 8) | in[pos + 1];
            pos += 2;
            bits = 16;
        }
        if ((control & 0x8000u) == 0) {
            if (produced == Compressor::kChunkSize) Damaged();
            out[produced++] = in[pos++];
        } else {
            if (size - pos < 2) Damaged();
            const size_t offset = (size_t{in[pos]} << 4) | (in[pos + 1] >> 4);
            if (offset == 0) {
                if (size - pos < 4) Damaged();
                const size_t count = ((size_t{in[pos + 1]} << 8) | in[pos + 2]) + kMinRun;
                if (count > Compressor::kChunkSize - produced) Damaged();
                std::memset(out + produced, in[pos + 3], count);
                produced += count;
                pos += 4;
            } else {
                const size_t length = (in[pos + 1] & 0xF) + size_t{3};
                if (offset > produced || length > Compressor::kChunkSize - produced) Damaged();
                // Byte by byte: a copy may overlap the bytes it writes.
                for (size_t i = 0; i < length; ++i, ++produced)
                    out[produced] = out[produced - offset];
                pos += 2;
            }
        }
        control <<= 1;
        --bits;
    }
    return produced;
}

int32_t ReadI32(std::string_view stream, size_t at) {
    if (stream.size() < at + 4) throw ECompressorException(msg::kReadError);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(stream[at + i]);
    return static_cast<int32_t>(value);
}

std::string DecompressKh(std::string_view stream) {
    const int32_t original = ReadI32(stream, 4);
    size_t pos = 8;
    std::string out;
    const int64_t bound = static_cast<int64_t>(stream.size() - pos) * kKhMaxExpansion;
    if (original > 0) out.reserve(static_cast<size_t>(std::min<int64_t>(original, bound)));

    auto chunk = std::make_unique<unsigned char[]>(Compressor::kChunkSize);
    for (;;) {  // every block takes at least its two length bytes
        if (stream.size() - pos < 2) throw ECompressorException(msg::kReadError);
        const size_t length = static_cast<unsigned char>(stream[pos]) |
                              size_t{static_cast<unsigned char>(stream[pos + 1])} << 8;
        pos += 2;
        if (stream.size() - pos < length) throw ECompressorException(msg::kReadError);
        const size_t produced = UnpackBlock(stream.substr(pos, length), chunk.get());
        pos += length;
        if (static_cast<int64_t>(out.size() + produced) > original)
            throw ECompressorException(msg::kKhSizeMismatch);
        out.append(reinterpret_cast<const char*>(chunk.get()), produced);
        if (produced < Compressor::kChunkSize) break;
    }
    if (static_cast<int64_t>(out.size()) != original)
        throw ECompressorException(msg::kKhSizeMismatch);
    return out;
}

}  // namespace

std::string Compressor::Compress(std::string_view data) {
    if (data.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw ECompressorException(msg::kTooLarge);
    std::unique_ptr<HashTable> table;
    try {
        table = std::make_unique<HashTable>();
    } catch (const std::bad_alloc&) {
        throw ECompressorKHCompressor(msg::kNoHashTable);
    }
    try {
        std::string out(kKhMagic);
        AppendLe(out, static_cast<uint32_t>(data.size()), 4);
        size_t at = 0;
        // One block per chunk; a full chunk is always followed by another block.
        for (;;) {
            const std::string_view chunk = data.substr(at, kChunkSize);
            std::string block = chunk.empty() ? std::string() : PackChunk(chunk, *table);
            if (block.empty()) {
                block.assign(1, static_cast<char>(kStoredBlock));
                block.append(chunk);
            }
            AppendLe(out, static_cast<uint32_t>(block.size()), 2);
            out += block;
            at += chunk.size();
            if (chunk.size() < kChunkSize) break;
        }
        return out;
    } catch (const std::bad_alloc&) {
        throw ECompressorException(msg::kNoBufferMemory);
    }
}

std::string Compressor::Decompress(std::string_view stream) {
    const std::string_view magic = stream.substr(0, 4);
    try {
        if (magic == kKhMagic) return DecompressKh(stream);
        if (magic == kLzhMagic) return LzhReader::Decompress(stream.substr(4));
    } catch (const std::bad_alloc&) {
        throw ECompressorException(msg::kNoBufferMemory);
    }
    throw ECompressorException(msg::kNoHeader);
}

}  // namespace quinkle

// The compressor of scheme images: the KH block method written and read, the LZH method read.
#pragma once

#include "engine/text/EditorError.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quinkle {

/// A compressed stream could not be written or read; carries the program's own message text.
class ECompressorException : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};
using ECompressorError = ECompressorException;

/// The LZH method could not get memory for its tables.
class ELzhException : public ECompressorException {
public:
    using ECompressorException::ECompressorException;
};

/// The KH method could not get memory for its hash table.
class ECompressorKHCompressor : public ECompressorException {
public:
    using ECompressorException::ECompressorException;
};

/// The message texts of the compressor.
namespace compressor_message {
inline constexpr const char* kReadError = "Compressor : Error reading from input stream !";
inline constexpr const char* kWriteError = "Compressor : Error writing to output stream !";
inline constexpr const char* kNoBufferMemory =
    "Compressor (de)compression : Failed to get memory for I/O buffers !";
inline constexpr const char* kInputInit =
    "Compressor (de)compression : Failed to initialize input stream !";
inline constexpr const char* kOutputInit =
    "Compressor (de)compression : Failed to initialize output stream !";
inline constexpr const char* kNoHeader =
    "Compressor decompression : input stream contains no valid header !";
inline constexpr const char* kKhSizeMismatch =
    "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
inline constexpr const char* kLzhSizeMismatch =
    "Compressor (LZH decompression) : Original and compressed sizes do not match !";
inline constexpr const char* kNoLzhTables = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kNoHashTable = "CompressorKH : no memory for HASH table";
inline constexpr const char* kDamaged = "Compressor: the compressed data is damaged";
inline constexpr const char* kTooLarge = "Compressor: the data is too large to compress";
}  // namespace compressor_message

/// Packs data into a self-describing stream and back.
///
/// Stream: 4-byte magic, i32 original size (little-endian), then the method's data. The KH
/// method cuts the input into 32768-byte chunks and writes each as a u16-length block; a block
/// that unpacks to a full chunk is always followed by another one, so an input whose length is
/// a multiple of the chunk size ends with an empty block.
class Compressor {
public:
    static constexpr size_t kChunkSize = 32768;
    static constexpr std::string_view kKhMagic{"\x57\x52\x5A\x4C", 4};
    static constexpr std::string_view kLzhMagic{"\x21\x48\x5A\x4C", 4};

    /// The KH stream of data. Equal inputs give equal streams. Throws ECompressorException
    /// when data is longer than an i32 can state.
    static std::string Compress(std::string_view data);

    /// The data held by a KH or LZH stream; bytes after the stream's end are ignored. Throws
    /// ECompressorException with kNoHeader for an unknown magic, kReadError when the stream
    /// ends early, kKhSizeMismatch / kLzhSizeMismatch when the unpacked length differs from
    /// the stated one, and kDamaged for contents no compressor writes. Never reads outside
    /// stream, and never holds more memory than the stream can unpack to.
    static std::string Decompress(std::string_view stream);
};

}  // namespace quinkle

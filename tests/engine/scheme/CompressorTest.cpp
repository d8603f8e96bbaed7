// The KH and LZH streams of the compressor: exact layouts, round trips and damaged input.
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>

#include "engine/scheme/Compressor.h"
#include "engine/scheme/LzhReader.h"
#include "engine/scheme/LzhTestWriter.h"

namespace quinkle {
namespace {

namespace msg = compressor_message;

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out.push_back(static_cast<char>(b));
    return out;
}

std::string Random(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(random() & 0xFF);
    return out;
}

std::string Text(size_t size) {
    static const char* const kWords[] = {"<p>",   "the ", "scheme ", "</p>\r\n", "colour ",
                                         "font ", "a ",   "key ",    "<b>",      "</b> "};
    std::mt19937 random(7);
    std::string out;
    while (out.size() < size) out += kWords[random() % 10];
    out.resize(size);
    return out;
}

// The message a decompression fails with, or "" when it succeeds.
std::string FailureOf(std::string_view stream) {
    try {
        Compressor::Decompress(stream);
    } catch (const ECompressorException& e) {
        return e.what();
    }
    return "";
}

std::string KhHeader(int size) {
    std::string out(Compressor::kKhMagic);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
    return out;
}

TEST(CompressorKhLayout, EmptyInputIsOneStoredEmptyBlock) {
    EXPECT_EQ(Compressor::Compress(""), Bytes({0x57, 0x52, 0x5A, 0x4C, 0, 0, 0, 0, 1, 0, 128}));
    EXPECT_EQ(Compressor::Decompress(Compressor::Compress("")), "");
}

TEST(CompressorKhLayout, ShortInputIsStored) {
    EXPECT_EQ(Compressor::Compress("abc"), KhHeader(3) + Bytes({4, 0, 128}) + "abc");
}

TEST(CompressorKhLayout, RepeatedByteIsOneRun) {
    const std::string data(100, 'x');
    // Run item: 00, n = 100 - 16 = 84 high then low, the byte; one control bit set.
    const std::string expected = KhHeader(100) + Bytes({7, 0, 64, 0x80, 0x00, 0x00, 0x00, 84, 'x'});
    EXPECT_EQ(Compressor::Compress(data), expected);
    EXPECT_EQ(Compressor::Decompress(expected), data);
}

TEST(CompressorKhLayout, RepeatAtOffsetFiveIsOneOverlappingCopy) {
    const std::string data = "abcdeabcdeabcde";
    // Five literals, then a copy of 10 bytes from 5 back: offset 005, length code 10 - 3.
    const std::string expected =
        KhHeader(15) + Bytes({10, 0, 64, 0x04, 0x00}) + "abcde" + Bytes({0x00, 0x57});
    EXPECT_EQ(Compressor::Compress(data), expected);
    EXPECT_EQ(Compressor::Decompress(expected), data);
}

TEST(CompressorKhLayout, HashCollisionReplacesTheOnlyCandidate) {
    // "BFP" hashes to the slot of "abc" and takes it over, so the second "abc" finds no match;
    // "bcd" still finds its first place: a copy of 7 from 11 back after 12 literals.
    const std::string data = "abcdefghBFPabcdefgh";
    const std::string expected =
        KhHeader(19) + Bytes({17, 0, 64, 0x00, 0x08}) + "abcdefghBFPa" + Bytes({0x00, 0xB4});
    EXPECT_EQ(Compressor::Compress(data), expected);
    EXPECT_EQ(Compressor::Decompress(expected), data);
}

TEST(CompressorKhLayout, FullChunkEndsWithEmptyBlock) {
    const std::string data(Compressor::kChunkSize, 'a');
    // Eight runs of 4095 (n = 0x0FEF), a literal, then a copy of 7 from 1 back.
    std::string block = Bytes({64, 0xFF, 0x40});
    for (int i = 0; i < 8; ++i) block += Bytes({0x00, 0x0F, 0xEF, 'a'});
    block += Bytes({'a', 0x00, 0x14});
    const std::string expected =
        KhHeader(32768) + Bytes({static_cast<int>(block.size()), 0}) + block + Bytes({1, 0, 128});
    EXPECT_EQ(Compressor::Compress(data), expected);
    EXPECT_EQ(Compressor::Decompress(expected), data);
}

TEST(CompressorKhLayout, IncompressibleChunksAreStored) {
    const std::string data = Random(Compressor::kChunkSize + 1000, 1);
    const std::string stream = Compressor::Compress(data);
    // 32769 = 0x8001: the stored full chunk, then the 1000-byte rest, also stored.
    std::string expected = KhHeader(static_cast<int>(data.size())) + Bytes({0x01, 0x80, 128}) +
                           data.substr(0, Compressor::kChunkSize) + Bytes({0xE9, 0x03, 128}) +
                           data.substr(Compressor::kChunkSize);
    EXPECT_EQ(stream, expected);
    EXPECT_EQ(Compressor::Decompress(stream), data);
}

TEST(CompressorKhLayout, ControlWordEverySixteenItems) {
    // 17 distinct bytes: one control word for 16 literals, a second for the 17th. Stored,
    // because that is longer than the input, so check the packed form by hand-made stream.
    std::string data;
    for (int i = 0; i < 17; ++i) data.push_back(static_cast<char>('A' + i));
    const std::string packed = Bytes({64, 0, 0}) + data.substr(0, 16) + Bytes({0, 0}) + "Q";
    const std::string stream = KhHeader(17) + Bytes({static_cast<int>(packed.size()), 0}) + packed;
    EXPECT_EQ(Compressor::Decompress(stream), data);
    EXPECT_EQ(Compressor::Compress(data), KhHeader(17) + Bytes({18, 0, 128}) + data);
}

TEST(CompressorKhRoundTrip, VariedInputs) {
    const std::string runs = std::string(5000, 'z') + "q" + std::string(17, '\0') + "qq";
    for (const std::string& data : {Random(100000, 2), Text(100000), runs, std::string(65536, ' '),
                                    Text(32767), Text(32769), Random(1, 3), std::string("ab")}) {
        const std::string stream = Compressor::Compress(data);
        EXPECT_EQ(Compressor::Decompress(stream), data) << data.size();
    }
    EXPECT_LT(Compressor::Compress(Text(100000)).size(), 60000u);
}

TEST(CompressorKhRoundTrip, RandomMixOfRunsRepeatsAndNoise) {
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        std::string data;
        const size_t wanted = random() % 70000;
        while (data.size() < wanted) {
            switch (random() % 3) {
                case 0:
                    data.append(random() % 5000, static_cast<char>(random()));
                    break;
                case 1:
                    if (!data.empty()) {
                        const size_t from = random() % data.size();
                        data += data.substr(from, random() % 40);
                    }
                    break;
                default:
                    data += Random(random() % 50, static_cast<unsigned>(random()));
                    break;
            }
        }
        EXPECT_EQ(Compressor::Decompress(Compressor::Compress(data)), data) << round;
    }
}

TEST(CompressorKhErrors, HeaderAndSizeMessages) {
    EXPECT_EQ(FailureOf(""), msg::kNoHeader);
    EXPECT_EQ(FailureOf("WRZ"), msg::kNoHeader);
    EXPECT_EQ(FailureOf("XRZL" + std::string(7, '\0')), msg::kNoHeader);

    std::string stream = Compressor::Compress(std::string(100, 'x'));
    stream[4] = 99;
    EXPECT_EQ(FailureOf(stream), msg::kKhSizeMismatch);
    stream[4] = 101;
    EXPECT_EQ(FailureOf(stream), msg::kKhSizeMismatch);
    stream[4] = 0;
    stream[7] = static_cast<char>(0x80);  // negative
    EXPECT_EQ(FailureOf(stream), msg::kKhSizeMismatch);
}

TEST(CompressorKhErrors, EveryTruncationFails) {
    for (const std::string& data : {Text(40000), std::string(32768, 'q'), std::string()}) {
        const std::string stream = Compressor::Compress(data);
        for (size_t cut = 0; cut < stream.size(); ++cut) {
            const std::string failure = FailureOf(stream.substr(0, cut));
            EXPECT_TRUE(failure == msg::kReadError || failure == msg::kNoHeader) << cut;
        }
    }
}

TEST(CompressorKhErrors, DamagedBlocks) {
    auto failure = [](int size, const std::string& block) {
        const int length = static_cast<int>(block.size());
        return FailureOf(KhHeader(size) + Bytes({length & 0xFF, length >> 8}) + block);
    };
    EXPECT_EQ(failure(0, ""), msg::kDamaged);                                // no flag byte
    EXPECT_EQ(failure(1, Bytes({7, 'a'})), msg::kDamaged);                   // unknown flag
    EXPECT_EQ(failure(3, Bytes({64, 0x80, 0, 0x00, 0x30})), msg::kDamaged);  // copy before start
    EXPECT_EQ(failure(3, Bytes({64, 0x40, 0, 'a', 0x00, 0x20})), msg::kDamaged);    // offset 2 > 1
    EXPECT_EQ(failure(1, Bytes({64, 0x80, 0, 0x00})), msg::kDamaged);               // half a copy
    EXPECT_EQ(failure(16, Bytes({64, 0x80, 0, 0x00, 0x00, 0x00})), msg::kDamaged);  // short run
    EXPECT_EQ(failure(1, Bytes({64, 0x00})), msg::kDamaged);        // half a control
    EXPECT_EQ(failure(0, Bytes({64, 0x00, 0x00})), msg::kDamaged);  // control, no item
    // Nine runs of 4095 overflow a chunk.
    std::string big = Bytes({64, 0xFF, 0x80});
    for (int i = 0; i < 9; ++i) big += Bytes({0x00, 0x0F, 0xEF, 'r'});
    EXPECT_EQ(failure(9 * 4095, big), msg::kDamaged);
    // A stored block longer than a chunk.
    EXPECT_EQ(failure(32769, Bytes({128}) + std::string(32769, 'a')), msg::kDamaged);
}

TEST(CompressorKhErrors, FlippedBytesNeverCrash) {
    const std::string data = Text(5000) + std::string(300, '-') + Random(2000, 5);
    const std::string stream = Compressor::Compress(data);
    std::mt19937 random(3);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = stream;
        for (int flips = 1 + random() % 3; flips > 0; --flips)
            damaged[random() % damaged.size()] ^= static_cast<char>(1 + random() % 255);
        try {
            const std::string out = Compressor::Decompress(damaged);
            const auto stated = static_cast<unsigned char>(damaged[4]) |
                                static_cast<unsigned char>(damaged[5]) << 8 |
                                static_cast<unsigned char>(damaged[6]) << 16;
            EXPECT_EQ(out.size(), static_cast<size_t>(stated));
        } catch (const ECompressorException&) {
        }
    }
}

std::string LzhStream(int size, std::initializer_list<int> bits) {
    std::string out(Compressor::kLzhMagic);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
    return out + Bytes(bits);
}

TEST(CompressorLzhLayout, HandCodedStreams) {
    // In the starting tree 'A' (65) has the 9-bit code 111001101.
    EXPECT_EQ(Compressor::Decompress(LzhStream(1, {0xE6, 0x80})), "A");
    // Symbol 256 (a 3-byte match) is 10001100; position 0 is 000 000000. It copies the spaces
    // the ring starts with.
    EXPECT_EQ(Compressor::Decompress(LzhStream(3, {0x8C, 0x00, 0x00})), "   ");
    EXPECT_EQ(Compressor::Decompress(LzhStream(0, {})), "");
    EXPECT_EQ(LzhCodeTree().CodeOf(65), (std::vector<bool>{1, 1, 1, 0, 0, 1, 1, 0, 1}));
}

TEST(CompressorLzhLayout, PositionCodeTable) {
    // The first code of each length 3..8, left-aligned, and where each length begins.
    const LzhPositionCode& table = LzhPositionCode::Table();
    const int firstUpper[] = {0, 1, 4, 12, 24, 48};
    const int firstCode[] = {0x00, 0x20, 0x50, 0x90, 0xC0, 0xF0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(table.Length[firstUpper[i]], i + 3);
        EXPECT_EQ(table.Code[firstUpper[i]], firstCode[i]);
    }
    EXPECT_EQ(table.Code[47], 0xEE);
    EXPECT_EQ(table.Code[63], 0xFF);
    for (int upper = 0; upper < 64; ++upper)
        EXPECT_EQ(table.UpperOfPrefix[table.Code[upper]], upper);
}

TEST(CompressorLzhErrors, SizeMismatchAndTruncation) {
    // The 3-byte match runs past a stated size of 2.
    EXPECT_EQ(FailureOf(LzhStream(2, {0x8C, 0x00, 0x00})), msg::kLzhSizeMismatch);
    EXPECT_EQ(FailureOf(LzhStream(-1, {})), msg::kLzhSizeMismatch);
    EXPECT_EQ(FailureOf(LzhStream(2, {0xE6, 0x80})), msg::kReadError);
    EXPECT_EQ(FailureOf(std::string(Compressor::kLzhMagic) + "\1\0"), msg::kReadError);

    const std::string stream = test::LzhCompress(Text(3000));
    for (size_t cut = 8; cut < stream.size(); ++cut)
        EXPECT_EQ(FailureOf(stream.substr(0, cut)), msg::kReadError) << cut;
}

TEST(CompressorLzhRoundTrip, WriterToReader) {
    // 100000 random bytes code over 32768 symbols, so the tree is rebuilt several times.
    std::string ringWrap;
    for (int i = 0; i < 300; ++i) ringWrap += Text(61) + std::to_string(i);
    for (const std::string& data :
         {std::string(), std::string("x"), std::string(200, ' '), Text(100000), Random(100000, 9),
          std::string(70000, 'k'), ringWrap, std::string("  a   b    c")}) {
        const std::string stream = test::LzhCompress(data);
        EXPECT_EQ(Compressor::Decompress(stream), data) << data.size();
    }
    EXPECT_LT(test::LzhCompress(Text(100000)).size(), 50000u);
}

TEST(CompressorLzhErrors, FlippedBitsNeverCrash) {
    const std::string stream = test::LzhCompress(Text(3000) + Random(500, 4));
    std::mt19937 random(8);
    for (int round = 0; round < 1000; ++round) {
        std::string damaged = stream;
        const size_t at = 8 + random() % (damaged.size() - 8);
        damaged[at] ^= static_cast<char>(1 << (random() % 8));
        const std::string failure = FailureOf(damaged);
        EXPECT_TRUE(failure.empty() || failure == msg::kReadError ||
                    failure == msg::kLzhSizeMismatch)
            << failure;
    }
}

}  // namespace
}  // namespace quinkle

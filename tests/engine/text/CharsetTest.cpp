// Document charsets: the declaration in the head, byte tables, typed text and display text.
#include "engine/text/Charset.h"

#include <gtest/gtest.h>

namespace quinkle {
namespace {

constexpr Charset kSingleByte[] = {Charset::Iso8859_1, Charset::Iso8859_2, Charset::Iso8859_15,
                                   Charset::Windows1250, Charset::Windows1252};

TEST(Charset, TheFirstDeclarationInTheHeadCounts) {
    EXPECT_EQ(DeclaredCharset("<html><head><meta charset=\"iso-8859-2\"></head>"),
              Charset::Iso8859_2);
    EXPECT_EQ(DeclaredCharset("<HEAD>\n<META HTTP-EQUIV='content-type' "
                              "CONTENT='text/html; Charset = WINDOWS-1250'>\n</HEAD>"),
              Charset::Windows1250);
    EXPECT_EQ(DeclaredCharset("<head><meta content=\"text/html;charset=latin1\" "
                              "http-equiv=Content-Type></head>"),
              Charset::Iso8859_1);
    EXPECT_EQ(DeclaredCharset("<meta charset=ISO-8859-15/><title>x</title>"), Charset::Iso8859_15);
    // A page without a head tag: <header> is not one.
    EXPECT_EQ(DeclaredCharset("<meta charset=latin2><header>h</header><body>"), Charset::Iso8859_2);
    EXPECT_EQ(DeclaredCharset("<head><meta charset=cp1252><meta charset=utf-8></head>"),
              Charset::Windows1252);
}

TEST(Charset, UndeclaredUnknownOrOutsideTheHeadIsUtf8) {
    EXPECT_EQ(DeclaredCharset(""), Charset::Utf8);
    EXPECT_EQ(DeclaredCharset("<head><meta charset=koi8-r></head>"), Charset::Utf8);
    EXPECT_EQ(DeclaredCharset("<head></head><body><meta charset=latin2>"), Charset::Utf8);
    EXPECT_EQ(DeclaredCharset("<head><title>x</title></head><p>charset=latin2"), Charset::Utf8);
    EXPECT_EQ(DeclaredCharset("<head><metadata charset=latin2></head>"), Charset::Utf8);
    // A content value without http-equiv declares nothing.
    EXPECT_EQ(DeclaredCharset("<head><meta name=x content=\"charset=latin2\"></head>"),
              Charset::Utf8);
    EXPECT_EQ(DeclaredCharset("<head><meta charset=\"latin2"), Charset::Iso8859_2);
    EXPECT_EQ(CharsetFromName(" L2 "), Charset::Iso8859_2);
    EXPECT_EQ(CharsetFromName("iso-8859-5"), std::nullopt);
}

TEST(Charset, EveryByteDecodesAndEncodesBackToItself) {
    for (Charset charset : kSingleByte) {
        for (int byte = 0; byte < 256; ++byte) {
            char32_t codePoint = DecodeByte(charset, static_cast<unsigned char>(byte));
            EXPECT_EQ(EncodeCodePoint(charset, codePoint), byte)
                << CharsetName(charset) << " byte " << byte;
        }
    }
    // The letters the two central European tables place differently.
    EXPECT_EQ(DecodeByte(Charset::Iso8859_2, 0xB1), U'ą');
    EXPECT_EQ(DecodeByte(Charset::Windows1250, 0xB9), U'ą');
    EXPECT_EQ(DecodeByte(Charset::Iso8859_2, 0xA6), U'Ś');
    EXPECT_EQ(DecodeByte(Charset::Windows1250, 0x8C), U'Ś');
    EXPECT_EQ(DecodeByte(Charset::Iso8859_15, 0xA4), U'€');
    EXPECT_EQ(DecodeByte(Charset::Iso8859_1, 0xA4), U'¤');
    EXPECT_EQ(DecodeByte(Charset::Windows1252, 0x80), U'€');
    EXPECT_EQ(EncodeCodePoint(Charset::Utf8, U'é'), std::nullopt);
    EXPECT_EQ(EncodeCodePoint(Charset::Iso8859_2, U'é'), 0xE9);
    EXPECT_EQ(EncodeCodePoint(Charset::Iso8859_1, U'€'), std::nullopt);
}

TEST(Charset, TypedTextBecomesTheDocumentsBytesOrCharacterReferences) {
    EXPECT_EQ(EncodeTyped(Charset::Utf8, "zażółć €"), "zażółć €");
    EXPECT_EQ(EncodeTyped(Charset::Iso8859_2, "zażółć €"), "za\xbf\xf3\xb3\xe6 &#8364;");
    EXPECT_EQ(EncodeTyped(Charset::Windows1250, "zażółć €"), "za\xbf\xf3\xb3\xe6 \x80");
    EXPECT_EQ(EncodeTyped(Charset::Iso8859_1, "a😀b"), "a&#128512;b");
    EXPECT_EQ(EncodeTyped(Charset::Iso8859_1, "bad \xff byte"), "bad \xff byte");
}

TEST(Charset, DisplayTextIsAlwaysUtf8) {
    EXPECT_EQ(DecodeForDisplay(Charset::Iso8859_2, "za\xbf\xf3\xb3\xe6"), "zażółć");
    EXPECT_EQ(DecodeForDisplay(Charset::Windows1250, "\x8c\x9c"), "Śś");
    EXPECT_EQ(DecodeForDisplay(Charset::Utf8, "é \xe9 \x80"), "é é €");
    EXPECT_EQ(DecodeForDisplay(Charset::Utf8, "\xf0\x9f\x98"), "ðŸ˜");
    for (Charset charset : kSingleByte) {
        std::string all;
        for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
        EXPECT_EQ(EncodeTyped(charset, DecodeForDisplay(charset, all)), all)
            << CharsetName(charset);
    }
}

}  // namespace
}  // namespace quinkle

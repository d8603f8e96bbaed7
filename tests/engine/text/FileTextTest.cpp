// Decoding files into stored text: byte-order marks, line-end styles, binaries, undecodable
// units, pieces cut anywhere, and the encoding back.
#include "engine/text/FileText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quinkle {
namespace {

// `text` (ASCII and \u escapes only through char16_t/char32_t) in a Unicode form, with its mark.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

std::string Utf32(std::u32string_view text, bool bigEndian) {
    std::string out;
    for (char32_t unit : U"\uFEFF" + std::u32string(text))
        for (int i = 0; i < 4; ++i) out += static_cast<char>(unit >> (8 * (bigEndian ? 3 - i : i)));
    return out;
}

struct Case {
    const char* Name;
    std::string Bytes;
    std::string Stored;
    FileEncoding Encoding;
    LineEnd LineEnds;
    bool Mixed = false;
    bool Binary = false;
    bool Undecodable = false;
};

std::vector<Case> Cases() {
    using namespace std::string_literals;
    return {
        {"lf", "a\nb\n", "a\rb\r", FileEncoding::Bytes, LineEnd::LF},
        {"crlf", "a\r\n\r\nb", "a\r\rb", FileEncoding::Bytes, LineEnd::CRLF},
        {"cr", "a\r\rb\r", "a\r\rb\r", FileEncoding::Bytes, LineEnd::CR},
        {"no line end", "abc", "abc", FileEncoding::Bytes, LineEnd::LF},
        {"controls kept", "t\tx\x01y\x1b\x7f"s + '\0' + "z\n", "t\tx\x01y\x1b\x7f"s + '\0' + "z\r",
         FileEncoding::Bytes, LineEnd::LF, false, true},
        {"mixed, CR LF most", "a\r\nb\nc\r\nd\re", "a\rb\rc\rd\re", FileEncoding::Bytes,
         LineEnd::CRLF, true},
        {"LF CR pairs are mixed", "a\n\rb\n\rc", "a\rb\rc", FileEncoding::Bytes, LineEnd::LF, true},
        {"UTF-8 mark stays", "\xEF\xBB\xBFx\n", "\xEF\xBB\xBFx\r", FileEncoding::Bytes,
         LineEnd::LF},
        {"utf-16le", Utf16(u"<p>\u00e9\u20ac\U0001D11E</p>\r\n", false),
         "<p>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E</p>\r", FileEncoding::Utf16LE, LineEnd::CRLF},
        {"utf-16be", Utf16(u"a\nb\u00e9", true), "a\rb\xC3\xA9", FileEncoding::Utf16BE,
         LineEnd::LF},
        {"utf-16 NUL is text", Utf16(u"a"s + u'\0' + u"b", false), "a"s + '\0' + "b",
         FileEncoding::Utf16LE, LineEnd::LF},
        {"utf-32le", Utf32(U"x\r\U0001F600\r", false), "x\r\xF0\x9F\x98\x80\r",
         FileEncoding::Utf32LE, LineEnd::CR},
        {"utf-32be", Utf32(U"\u00e9\n", true), "\xC3\xA9\r", FileEncoding::Utf32BE, LineEnd::LF},
        {"mark only", "\xFE\xFF", "", FileEncoding::Utf16BE, LineEnd::LF},
        {"lone high surrogate", Utf16(u"a"s + char16_t(0xD800) + u"b", false),
         "a\xEF\xBF\xBD"
         "b",
         FileEncoding::Utf16LE, LineEnd::LF, false, false, true},
        {"lone low surrogate at the end", Utf16(u"a"s + char16_t(0xDC00), true), "a\xEF\xBF\xBD",
         FileEncoding::Utf16BE, LineEnd::LF, false, false, true},
        {"odd byte at the end", Utf16(u"ab", false) + "c", "ab\xEF\xBF\xBD", FileEncoding::Utf16LE,
         LineEnd::LF, false, false, true},
        {"utf-32 past U+10FFFF", Utf32(U"a"s + char32_t(0x110000), false), "a\xEF\xBF\xBD",
         FileEncoding::Utf32LE, LineEnd::LF, false, false, true},
        {"half a mark is bytes", "\xFF", "\xFF", FileEncoding::Bytes, LineEnd::LF},
        {"NUL NUL without the mark is binary", "\0\0\xFE"s, "\0\0\xFE"s, FileEncoding::Bytes,
         LineEnd::LF, false, true},
    };
}

TEST(FileText, DecodesMarksLineEndsAndBadUnits) {
    for (const Case& test : Cases()) {
        SCOPED_TRACE(test.Name);
        FileFacts facts;
        EXPECT_EQ(DecodeFileText(test.Bytes, &facts), test.Stored);
        EXPECT_EQ(facts.Form.Encoding, test.Encoding);
        EXPECT_EQ(facts.Form.LineEnds, test.LineEnds);
        EXPECT_EQ(facts.MixedLineEnds, test.Mixed);
        EXPECT_EQ(facts.Binary, test.Binary);
        EXPECT_EQ(facts.Undecodable, test.Undecodable);
    }
}

TEST(FileText, PiecesCutAnywhereDecodeAsTheWhole) {
    // A mark, a surrogate pair, a unit and a CR LF pair may each be cut by a read.
    for (const Case& test : Cases()) {
        SCOPED_TRACE(test.Name);
        FileFacts whole;
        const std::string expected = DecodeFileText(test.Bytes, &whole);
        for (size_t cut = 0; cut <= test.Bytes.size(); ++cut) {
            FileTextDecoder decoder;
            std::string out;
            decoder.Append(std::string_view(test.Bytes).substr(0, cut), out);
            decoder.Append(std::string_view(test.Bytes).substr(cut), out);
            decoder.Finish(out);
            EXPECT_EQ(out, expected) << "cut at " << cut;
            EXPECT_EQ(decoder.Facts().Form, whole.Form);
            EXPECT_EQ(decoder.Facts().Undecodable, whole.Undecodable);
        }
        FileTextDecoder byByte;
        std::string out;
        for (char c : test.Bytes) byByte.Append(std::string_view(&c, 1), out);
        byByte.Finish(out);
        EXPECT_EQ(out, expected);
        EXPECT_EQ(byByte.Facts().MixedLineEnds, whole.MixedLineEnds);
        EXPECT_EQ(byByte.Facts().Binary, whole.Binary);
    }
}

TEST(FileText, EncodingWritesTheMarkAndStrayBytesAsShown) {
    EXPECT_EQ(EncodeUnicodeForm("a\xC3\xA9", FileEncoding::Bytes), "a\xC3\xA9");
    EXPECT_EQ(EncodeUnicodeForm("\xF0\x9D\x84\x9E", FileEncoding::Utf16BE),
              std::string("\xFE\xFF\xD8\x34\xDD\x1E", 6));
    EXPECT_EQ(EncodeUnicodeForm("a", FileEncoding::Utf32BE), std::string("\0\0\xFE\xFF\0\0\0a", 8));
    // A byte that starts no UTF-8 sequence is saved as the Windows-1252 character it shows.
    EXPECT_EQ(EncodeUnicodeForm("\x80", FileEncoding::Utf16LE), "\xFF\xFE\xAC\x20");
}

}  // namespace
}  // namespace quinkle

// Opening and saving keeps a file's bytes: its encoding and mark, its line-end style, control
// bytes, binaries; what cannot be kept is told, and files that must not be typed into open
// read only.
#include <gtest/gtest.h>

#include <string>

#include "engine/document/DocumentTestKit.h"

namespace quinkle::testing {
namespace {

using namespace std::string_literals;

std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

std::string Utf16Be(std::u16string_view text) {
    std::string out = "\xFE\xFF";
    for (char16_t unit : text) {
        out += static_cast<char>(unit >> 8);
        out += static_cast<char>(unit & 0xFF);
    }
    return out;
}

std::string Utf32Le(std::u32string_view text) {
    std::string out;
    for (char32_t unit : U"\uFEFF" + std::u32string(text))
        for (int i = 0; i < 4; ++i) out += static_cast<char>(unit >> (8 * i));
    return out;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using DocumentBytes = DocumentFixture;

TEST_F(DocumentBytes, OpenAndSaveGiveTheSameBytes) {
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Saved{};  // empty: the bytes themselves
        bool ReadOnly = false;
        const char* Notice = nullptr;  // part of the status-bar note, if any
    } cases[] = {
        {"ls", Read("/bin/ls"), "", true, "Binary file: opened read only."},
        {"binary with every line end",
         "\x7f"
         "ELF\0\x01\r\n\n\r\x02\n\r\r\0\r\n"s,
         "", true, "Binary file"},
        {"utf16le", Utf16Le(u"<!DOCTYPE html>\r\n<p>Gr\u00fc\u00dfe \u20ac \U0001D11E</p>\r\n")},
        {"utf16be", Utf16Be(u"<html>\n<p>\u65e5\u672c</p>\n</html>")},
        {"utf32", Utf32Le(U"<p>\U0001F600</p>\r\n<p>x</p>\r\n")},
        {"lf", "<html>\n<body>\n</body>\n</html>\n"},
        {"crlf", "<html>\r\n\r\n</html>"},
        {"cr", "<html>\r<p>\r</html>\r"},
        {"controls", "<p>\x01\x02\x1b[1m\tbell\x07 nul"s + '\0' + " del\x7f</p>\n<p>\x0c</p>\n", "",
         true, "Binary file"},
        {"mixed", "<p>\r\n<b>\n<i>\r\n</p>\r", "<p>\r\n<b>\r\n<i>\r\n</p>\r\n", false,
         "Mixed line ends: they are saved as CR LF."},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Name);
        ASSERT_FALSE(test.Bytes.empty());
        host.Notices.clear();
        const std::string page = File(std::string("open/") + test.Name, test.Bytes);
        ASSERT_TRUE(document.Open(page, false));
        EXPECT_EQ(editor.ReadOnly, test.ReadOnly);
        if (test.Notice) {
            ASSERT_EQ(host.Notices.size(), 1u);
            EXPECT_TRUE(Contains(host.Notices[0], test.Notice)) << host.Notices[0];
        } else {
            EXPECT_TRUE(host.Notices.empty());
        }
        const std::string copy = folder.Path(std::string("saved-") + test.Name);
        ASSERT_TRUE(document.SaveTo(copy));
        EXPECT_TRUE(Read(copy) == (test.Saved.empty() ? test.Bytes : test.Saved));
        // Saved again from its new name, a file stays as it was written.
        ASSERT_TRUE(document.Open(copy, false));
        ASSERT_TRUE(document.SaveTo(copy));
        EXPECT_TRUE(Read(copy) == (test.Saved.empty() ? test.Bytes : test.Saved));
    }
}

TEST_F(DocumentBytes, MarkedTextIsEditedAsUtf8AndSavedInItsEncoding) {
    const std::string page =
        File("marked.htm", Utf16Be(u"<meta charset=\"windows-1252\">\n<p>\u00e9</p>\n"));
    ASSERT_TRUE(document.Open(page, false));
    EXPECT_EQ(Text(), "<meta charset=\"windows-1252\">\r\n<p>\xC3\xA9</p>\r\n");
    // Whatever it declares, the store holds UTF-8 for it, so typed text is UTF-8 too.
    EXPECT_EQ(document.DocumentCharset(), Charset::Utf8);
    editor.MoveCaret(SourceEditor::Move::DocumentEnd, false);
    Type("\xE2\x82\xAC");  // the euro sign
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(Read(page), Utf16Be(u"<meta charset=\"windows-1252\">\n<p>\u00e9</p>\n\u20ac"));
}

TEST_F(DocumentBytes, UndecodableTextOpensReadOnlyAndKeepsItsBytesUntilEdited) {
    const std::string bytes = Utf16Le(u"a"s + char16_t(0xD800) + u"b\r\nc\nd");
    const std::string page = File("broken.htm", bytes);
    ASSERT_TRUE(document.Open(page, false));
    EXPECT_TRUE(editor.ReadOnly);
    ASSERT_EQ(host.Notices.size(), 1u);
    EXPECT_TRUE(Contains(host.Notices[0], "UTF-16LE")) << host.Notices[0];
    EXPECT_EQ(Text(),
              "a\xEF\xBF\xBD"
              "b\r\nc\r\nd");
    const std::string copy = folder.Path("copy.htm");
    ASSERT_TRUE(document.SaveTo(copy));
    EXPECT_TRUE(Read(copy) == bytes);
    // Once edited, the text is saved as it shows, with its most frequent line end.
    editor.ReadOnly = false;
    editor.MoveCaret(SourceEditor::Move::DocumentEnd, false);
    Type("e");
    ASSERT_TRUE(document.SaveTo(copy));
    EXPECT_TRUE(Read(copy) == Utf16Le(u"a\uFFFDb\r\nc\r\nde"));
}

TEST_F(DocumentBytes, ReadOnlyOfABinaryIsLiftedByTheNextDocument) {
    ASSERT_TRUE(document.Open(File("data.bin", "x\0y\r\nz\n"s), false));
    EXPECT_TRUE(editor.ReadOnly);
    // An edit after the user lifts read only drops the kept bytes: the text is saved.
    editor.ReadOnly = false;
    editor.MoveCaret(SourceEditor::Move::DocumentEnd, false);
    Type("!");
    const std::string copy = folder.Path("data-copy.bin");
    ASSERT_TRUE(document.SaveTo(copy));
    EXPECT_TRUE(Read(copy) == "x\0y\r\nz\r\n!"s);
    const std::string text = File("text.htm", "text");
    ASSERT_TRUE(document.Open(text, false));
    EXPECT_FALSE(editor.ReadOnly);
    // Read only set by the user is the user's to lift.
    editor.ReadOnly = true;
    ASSERT_TRUE(document.Open(File("data2.bin", "\0"s), false));
    ASSERT_TRUE(document.Open(text, false));
    EXPECT_TRUE(editor.ReadOnly);
    editor.ReadOnly = false;
    ASSERT_TRUE(document.Open(File("data3.bin", "\0"s), false));
    EXPECT_TRUE(editor.ReadOnly);
    document.New();
    EXPECT_FALSE(editor.ReadOnly);
}

TEST_F(DocumentBytes, NewDocumentsAreSavedWithLfLineEnds) {
    Config("Default Startup", 1);
    document.New();
    const std::string path = folder.Path("new.htm");
    ASSERT_TRUE(document.SaveTo(path));
    const std::string saved = Read(path);
    EXPECT_TRUE(Contains(saved, "<html>\n")) << saved;
    EXPECT_FALSE(Contains(saved, "\r")) << saved;
}

}  // namespace
}  // namespace quinkle::testing

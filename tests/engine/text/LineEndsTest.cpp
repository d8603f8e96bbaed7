// Reading outside text into its stored form: line ends, control bytes, marks, pipes and read
// errors.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/editor/SourceEditor.h"
#include "engine/text/LineEnds.h"

namespace quinkle {
namespace {

/// `bytes` read through a pipe, as a shell's process substitution or standard input gives
/// them.
std::string ReadThroughPipe(const std::string& bytes, bool& ok) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(ends[1]);
    std::string out;
    ok = ReadStoredText(ends[0], out, INT32_MAX);
    ::close(ends[0]);
    return out;
}

TEST(ReadStoredText, PipesGiveTheStoredForm) {
    const struct {
        std::string Bytes;
        std::string Stored;
    } cases[] = {
        {"a\nfoo\n", "a\rfoo\r"},
        {"a\r\nfoo\r\n", "a\rfoo\r"},
        {"a\rfoo", "a\rfoo"},
        {"a\n\rb\r\r\nc", "a\rb\r\rc"},
        {std::string("t\tx\x01y\0z", 7), std::string("t\tx\x01y\0z", 7)},
        {"", ""},
        // A byte-order mark makes it UTF-16 text, decoded as the editor decodes it.
        {"\xFF\xFE" + std::string("a\0\r\0\n\0\xE9\0", 8), "a\r\xC3\xA9"},
    };
    for (const auto& test : cases) {
        bool ok = false;
        EXPECT_EQ(ReadThroughPipe(test.Bytes, ok), test.Stored);
        EXPECT_TRUE(ok);
    }
}

TEST(ReadStoredText, FilesGiveWhatTheEditorLoads) {
    // Long enough for several reads, with a CR LF pair across each read's end; once as bytes,
    // once as UTF-16LE with its mark.
    std::string bytes;
    std::string utf16 = "\xFF\xFE";
    auto add = [&](std::string_view utf8, std::u16string_view units) {
        bytes += utf8;
        for (char16_t unit : units) {
            utf16 += static_cast<char>(unit & 0xFF);
            utf16 += static_cast<char>(unit >> 8);
        }
    };
    for (int i = 0; bytes.size() < 200000; ++i) {
        if (i % 3 == 0)
            add("line\r\n", u"line\r\n");
        else if (i % 3 == 1)
            add("x\xC3\xA9\n", u"x\u00e9\n");
        else
            add("abcdefghijklmnopq\r", u"abcdefghijklmnopq\r");
    }
    for (const std::string& file : {bytes, utf16}) {
        char path[] = "/tmp/quinkle-lineends-XXXXXX";
        int fd = ::mkstemp(path);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, file.data(), file.size()), static_cast<ssize_t>(file.size()));
        ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
        std::string stored;
        EXPECT_TRUE(ReadStoredText(fd, stored, INT32_MAX));
        ::close(fd);
        SourceEditor editor;
        editor.LoadFromFile(path);
        ::unlink(path);
        EXPECT_EQ(stored, editor.Store().GetText(0, editor.Store().CharCount()));
        EXPECT_NE(stored.find("x\xC3\xA9\r"), std::string::npos);
    }
}

TEST(ReadStoredText, ReportsTheReasonItStopped) {
    std::string out;
    errno = 0;
    EXPECT_FALSE(ReadStoredText(-1, out, INT32_MAX));
    EXPECT_EQ(errno, EBADF);
    int folder = ::open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    EXPECT_FALSE(ReadStoredText(folder, out, INT32_MAX));
    EXPECT_EQ(errno, EISDIR);
    ::close(folder);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "abcdef", 6), 6);
    ::close(ends[1]);
    EXPECT_FALSE(ReadStoredText(ends[0], out, 4));
    EXPECT_EQ(errno, EFBIG);
    ::close(ends[0]);
}

}  // namespace
}  // namespace quinkle

// Reading outside text into its stored form: line ends, control bytes, marks, pipes and read
// errors.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/editor/SourceEditor.h"
#include "engine/text/FileText.h"
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

// The stored form and line-end counts of `text` by the plain rule, one byte at a time: each
// line end becomes CR, and a CR LF or LF CR pair, taken from the left, is one line end.
std::string PlainStoredForm(std::string_view text, std::array<int64_t, lkKindCount>& counts) {
    counts = {};
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += '\r';
        const bool pair =
            i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c;
        ++counts[pair ? (c == '\r' ? lkCRLF : lkLFCR) : (c == '\r' ? lkCR : lkLF)];
        i += pair;
    }
    return out;
}

// Texts of mostly line ends, or long runs with few, so that line ends fall at every place of a
// scanned block, next to each other and at the ends of pieces.
std::string RandomLineEndText(std::mt19937& random) {
    static const char kBytes[] = {'a', 'b', '\r', '\n', '\0', '\t', '\xC3', '\xA9'};
    const size_t length = random() % 300;
    const unsigned lineEndShare = random() % 4 == 0 ? 40 : 1 + random() % 8;
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        if (random() % 100 < lineEndShare)
            text += random() % 2 ? '\r' : '\n';
        else
            text += kBytes[random() % sizeof kBytes];
    }
    return text;
}

TEST(LineEndNormaliser, MatchesThePlainRuleInAnyCutsIntoAnotherBufferOrInPlace) {
    std::mt19937 random(7);
    for (int round = 0; round < 4000; ++round) {
        const std::string text = RandomLineEndText(random);
        std::array<int64_t, lkKindCount> expectedCounts;
        const std::string expected = PlainStoredForm(text, expectedCounts);
        std::vector<size_t> cuts = {0, text.size()};
        for (int n = static_cast<int>(random() % 4); n > 0; --n)
            cuts.push_back(text.empty() ? 0 : random() % (text.size() + 1));
        std::sort(cuts.begin(), cuts.end());
        const bool inPlace = round % 2 == 1;
        LineEndNormaliser normaliser;
        std::string stored;
        for (size_t i = 0; i + 1 < cuts.size(); ++i) {
            std::string piece = text.substr(cuts[i], cuts[i + 1] - cuts[i]);
            if (inPlace) {
                piece.resize(normaliser.Normalise(piece.data(), piece.size(), piece.data()));
                stored += piece;
            } else {
                normaliser.Append(piece, stored);
            }
        }
        ASSERT_EQ(stored, expected) << "round " << round;
        ASSERT_EQ(normaliser.Counts(), expectedCounts) << "round " << round;
    }
}

TEST(ReadStoredText, LargeFilesGiveWhatTheDecoderGivesInSmallPieces) {
    // Several reads' worth of text with line ends of every kind, once as bytes, once after a
    // UTF-16 mark, and once with too little room.
    std::mt19937 random(11);
    std::string bytes;
    while (bytes.size() < 600000) bytes += RandomLineEndText(random);
    for (const std::string& file : {bytes, std::string("\xFF\xFE") + bytes}) {
        std::string expected;
        FileTextDecoder decoder;
        for (size_t at = 0; at < file.size(); at += 1000)
            decoder.Append(std::string_view(file).substr(at, 1000), expected);
        decoder.Finish(expected);
        char path[] = "/tmp/quinkle-lineends-XXXXXX";
        int fd = ::mkstemp(path);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, file.data(), file.size()), static_cast<ssize_t>(file.size()));
        ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
        std::string stored = "kept ";
        EXPECT_TRUE(ReadStoredText(fd, stored, INT32_MAX));
        EXPECT_EQ(stored, "kept " + expected);
        ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
        std::string cut;
        EXPECT_FALSE(ReadStoredText(fd, cut, expected.size() - 1));
        EXPECT_EQ(errno, EFBIG);
        ::close(fd);
        ::unlink(path);
    }
}

}  // namespace
}  // namespace quinkle

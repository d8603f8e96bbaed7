// The recovery journal: its format round trip and rejection of damaged files, the folder,
// the search for journals of ended processes and the worker that writes them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "engine/document/JournalWriter.h"
#include "engine/document/RecoveryJournal.h"
#include "engine/store/StoreTestFolder.h"

namespace quinkle::testing {
namespace {

JournalRecord Record(std::string name, std::string text, Charset charset, FileForm form,
                     bool modified, int64_t time = 1700000000, int32_t pid = 4242) {
    JournalRecord record;
    record.FileName = std::move(name);
    record.Text = std::make_shared<const std::string>(std::move(text));
    record.DocumentCharset = charset;
    record.Form = form;
    record.Modified = modified;
    record.Time = time;
    record.ProcessId = pid;
    return record;
}

void ExpectSame(const JournalRecord& a, const JournalRecord& b) {
    EXPECT_EQ(a.FileName, b.FileName);
    EXPECT_EQ(*a.Text, *b.Text);
    EXPECT_EQ(a.DocumentCharset, b.DocumentCharset);
    EXPECT_EQ(a.Form, b.Form);
    EXPECT_EQ(a.Modified, b.Modified);
    EXPECT_EQ(a.Time, b.Time);
    EXPECT_EQ(a.ProcessId, b.ProcessId);
}

// A process id that no process has any more: a child that has ended and been reaped.
int32_t EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(RecoveryJournal, KeepsEveryFieldAndEveryByte) {
    std::string allBytes;
    for (int c = 0; c < 256; ++c) allBytes += static_cast<char>(c);
    const JournalRecord cases[] = {
        Record("", "", Charset::Utf8, {FileEncoding::Bytes, LineEnd::LF}, true),
        Record("/home/u/page.htm", "<p>a\rb</p>\r", Charset::Windows1250,
               {FileEncoding::Bytes, LineEnd::CRLF}, true),
        Record("/tmp/ünï cödé.txt", allBytes + allBytes, Charset::Iso8859_2,
               {FileEncoding::Utf16LE, LineEnd::CR}, false, -5, 0x7FFFFFFF),
        Record("x", std::string(3 * 1024 * 1024, '\0'), Charset::Windows1252,
               {FileEncoding::Utf32BE, LineEnd::LF}, true),
    };
    for (const JournalRecord& record : cases) {
        SCOPED_TRACE(record.FileName);
        ExpectSame(DecodeJournal(EncodeJournal(record)), record);
    }
}

TEST(RecoveryJournal, RejectsTornDamagedAndForeignFiles) {
    const std::string good =
        EncodeJournal(Record("/a/b.htm", "text\rmore", Charset::Utf8, {}, true));
    // The bytes after a change whose CRC is recomputed, so a field check and not the
    // checksum has to find the fault.
    auto resealed = [&](size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        bytes.resize(bytes.size() - 4);
        const uint32_t crc = Crc32(bytes);
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((crc >> (8 * i)) & 0xFF);
        return bytes;
    };
    struct Case {
        const char* what;
        std::function<std::string()> bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", [] { return std::string(); }, "does not start"},
        {"html file", [] { return std::string("<html><body>hello</body></html>"); },
         "does not start"},
        {"magic only", [&] { return good.substr(0, 8); }, "cut short"},
        {"header cut", [&] { return good.substr(0, 30); }, "cut short"},
        {"text cut", [&] { return good.substr(0, good.size() - 6); }, "cut short"},
        {"last byte lost", [&] { return good.substr(0, good.size() - 1); }, "cut short"},
        {"byte added", [&] { return good + "x"; }, "past its end"},
        {"text byte changed",
         [&] {
             std::string b = good;
             b[good.size() - 7] ^= 1;
             return b;
         },
         "checksum"},
        {"checksum changed",
         [&] {
             std::string b = good;
             b.back() ^= 0x40;
             return b;
         },
         "checksum"},
        {"newer version", [&] { return resealed(8, 2); }, "version 2"},
        {"unknown charset", [&] { return resealed(10, 99); }, "unknown charset"},
        {"unknown encoding", [&] { return resealed(11, 9); }, "unknown charset"},
        {"unknown line end", [&] { return resealed(12, 3); }, "unknown charset"},
        {"huge name", [&] { return resealed(29, 0x7F); }, "name is too long"},
        {"huge text", [&] { return resealed(37, 0x7F); }, "text is too long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            DecodeJournal(c.bytes());
            ADD_FAILURE() << "accepted";
        } catch (const EJournalError& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

TEST(RecoveryJournal, FolderAndFilesArePrivate) {
    StoreTestFolder scratch;
    const std::string folder = scratch.Path("state/quinkle/recovery");
    ASSERT_TRUE(PrepareRecoveryFolder(folder));
    const std::string path = OwnJournalPath(folder);
    WriteJournal(path, Record("", "abc", Charset::Utf8, {}, true));
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(*ReadJournal(path).Text, "abc");

    const char* old = std::getenv("XDG_STATE_HOME");
    const std::string before = old != nullptr ? old : "";
    ::setenv("XDG_STATE_HOME", scratch.Path("state").c_str(), 1);
    EXPECT_EQ(RecoveryFolder(), scratch.Path("state") + "/quinkle/recovery");
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(RecoveryFolder(),
              std::string(std::getenv("HOME")) + "/.local/state/quinkle/recovery");
    if (!before.empty()) ::setenv("XDG_STATE_HOME", before.c_str(), 1);
}

TEST(RecoveryJournal, FindsOnlyJournalsOfEndedProcessesNewestFirst) {
    StoreTestFolder scratch;
    const std::string folder = scratch.Path("recovery");
    ASSERT_TRUE(PrepareRecoveryFolder(folder));
    const int32_t ended = EndedProcessId();
    const std::string own = OwnJournalPath(folder);
    WriteJournal(folder + "/old.qkj", Record("/old", "1", Charset::Utf8, {}, true, 100, ended));
    WriteJournal(folder + "/new.qkj", Record("/new", "2", Charset::Utf8, {}, true, 200, ended));
    WriteJournal(folder + "/live.qkj",
                 Record("/live", "3", Charset::Utf8, {}, true, 300, int32_t(::getpid())));
    WriteJournal(own, Record("/own", "4", Charset::Utf8, {}, true, 400, ended));
    StoreTestFolder::Write(folder + "/torn.qkj", "QKJRNL\r\n\x01");
    StoreTestFolder::Write(folder + "/.journal.qkj.tmp-1-0", "partial");
    StoreTestFolder::Write(folder + "/notes.txt", "not a journal");

    const JournalScan scan = FindOrphanJournals(folder, own);
    ASSERT_EQ(scan.Orphans.size(), 2u);
    EXPECT_EQ(scan.Orphans[0].Record.FileName, "/new");
    EXPECT_EQ(scan.Orphans[1].Record.FileName, "/old");
    ASSERT_EQ(scan.Problems.size(), 1u);
    EXPECT_NE(scan.Problems[0].find("torn.qkj"), std::string::npos);
    EXPECT_NE(scan.Problems[0].find("cut short"), std::string::npos);
}

TEST(JournalWriter, WritesTheNewestSnapshotAndRemovesInOrder) {
    StoreTestFolder scratch;
    const std::string path = scratch.Path("own.qkj");
    const std::string other = scratch.Path("other.qkj");
    StoreTestFolder::Write(other, "left by a crash");
    {
        JournalWriter writer(path);
        for (int i = 0; i < 50; ++i)
            writer.Post(Record("", std::to_string(i), Charset::Utf8, {}, true));
        writer.RemoveAfterWrite(other);
        writer.Flush();
        EXPECT_EQ(*ReadJournal(path).Text, "49");
        EXPECT_FALSE(std::filesystem::exists(other));

        writer.Post(Record("", "dropped", Charset::Utf8, {}, true));
        writer.Remove();
        writer.Flush();
        EXPECT_FALSE(std::filesystem::exists(path));

        writer.Remove();
        writer.Post(Record("", "last", Charset::Utf8, {}, true));
    }
    // The writer finishes what was posted before it goes.
    EXPECT_EQ(*ReadJournal(path).Text, "last");
}

TEST(JournalWriter, KeepsTheOtherJournalWhenItsOwnCannotBeWritten) {
    StoreTestFolder scratch;
    const std::string other = scratch.Path("other.qkj");
    StoreTestFolder::Write(other, "left by a crash");
    JournalWriter writer(scratch.Path("missing/own.qkj"));
    writer.Post(Record("", "text", Charset::Utf8, {}, true));
    writer.RemoveAfterWrite(other);
    writer.Flush();
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_NE(writer.TakeError().find("missing/own.qkj"), std::string::npos);
    EXPECT_EQ(writer.TakeError(), "");
}

}  // namespace
}  // namespace quinkle::testing

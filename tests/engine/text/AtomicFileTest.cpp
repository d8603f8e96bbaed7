// The atomic file writer: content, permissions, symbolic links, backups, and failures that
// leave every file as it was.
#include "engine/text/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "engine/store/StoreTestFolder.h"

namespace quinkle {
namespace {

namespace fs = std::filesystem;
using testing::StoreTestFolder;

// Every entry of a folder tree with what it holds, to compare a folder before and after.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string name = entry.path().lexically_relative(folder).string();
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        if (S_ISLNK(info.st_mode)) {
            entries[name] = "-> " + fs::read_symlink(entry.path()).string();
        } else if (S_ISDIR(info.st_mode)) {
            entries[name] = "<folder>";
        } else {
            entries[name] = StoreTestFolder::Read(entry.path()) + " mode " +
                            std::to_string(info.st_mode & 07777);
        }
    }
    return entries;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }

private:
    mode_t m_old;
};

TEST(AtomicFile, ANewFileGetsTheBytesAndTheUsualPermissions) {
    StoreTestFolder folder;
    ScopedUmask mask(027);
    std::string path = folder.Path("new.html");
    std::string bytes("line\r\n\0binary\xff", 14);
    WriteFileAtomically(path, bytes);
    EXPECT_EQ(StoreTestFolder::Read(path), bytes);
    EXPECT_EQ(ModeOf(path), 0640u);
    WriteFileAtomically(path, "");
    EXPECT_EQ(StoreTestFolder::Read(path), "");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissionsAndGetsANewInode) {
    StoreTestFolder folder;
    std::string path = folder.Path("page.html");
    StoreTestFolder::Write(path, "old");
    ::chmod(path.c_str(), 0604);
    // A reader holding the old file still sees the old content: it was replaced, not rewritten.
    std::ifstream reader(path, std::ios::binary);
    WriteFileAtomically(path, "new");
    EXPECT_EQ(StoreTestFolder::Read(path), "new");
    EXPECT_EQ(ModeOf(path), 0604u);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "old");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(AtomicFile, ASymbolicLinkStaysALinkAndItsFileIsReplaced) {
    StoreTestFolder folder;
    fs::create_directory(folder.Path("real"));
    std::string real = folder.Path("real/page.html");
    StoreTestFolder::Write(real, "old");
    ::chmod(real.c_str(), 0600);
    fs::create_symlink("real/page.html", folder.Path("relative"));
    fs::create_symlink(folder.Path("relative"), folder.Path("chain"));
    fs::create_symlink("real/missing.html", folder.Path("dangling"));

    WriteFileAtomically(folder.Path("chain"), "through two links");
    EXPECT_TRUE(fs::is_symlink(folder.Path("chain")));
    EXPECT_TRUE(fs::is_symlink(folder.Path("relative")));
    EXPECT_EQ(StoreTestFolder::Read(real), "through two links");
    EXPECT_EQ(ModeOf(real), 0600u);

    WriteFileAtomically(folder.Path("dangling"), "created");
    EXPECT_TRUE(fs::is_symlink(folder.Path("dangling")));
    EXPECT_EQ(StoreTestFolder::Read(folder.Path("real/missing.html")), "created");
    EXPECT_EQ(folder.EntryCount(), 4u);  // real/, three links: no temporary file left
}

TEST(AtomicFile, TheBackupKeepsTheReplacedFile) {
    struct Case {
        const char* name;
        const char* oldTarget;    // null: no file yet
        const char* oldBackup;    // null: no backup yet
        const char* backupAfter;  // null: still no backup
    };
    const Case cases[] = {
        {"no old file, no backup is made", nullptr, nullptr, nullptr},
        {"no old file, the old backup stays", nullptr, "older", "older"},
        {"the old file becomes the backup", "old", nullptr, "old"},
        {"an old backup is replaced", "old", "older", "old"},
        {"an empty old file is kept too", "", "older", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoreTestFolder folder;
        std::string path = folder.Path("page.html");
        std::string backup = folder.Path("page.~html");
        if (c.oldTarget) StoreTestFolder::Write(path, c.oldTarget);
        if (c.oldBackup) StoreTestFolder::Write(backup, c.oldBackup);
        WriteFileAtomically(path, "new", {backup});
        EXPECT_EQ(StoreTestFolder::Read(path), "new");
        EXPECT_EQ(fs::exists(backup), c.backupAfter != nullptr);
        if (c.backupAfter) {
            EXPECT_EQ(StoreTestFolder::Read(backup), c.backupAfter);
        }
        EXPECT_EQ(folder.EntryCount(), c.backupAfter ? 2u : 1u);
    }
}

TEST(AtomicFile, TheBackupOfALinkedFileGoesWhereTheCallerSays) {
    StoreTestFolder folder;
    fs::create_directory(folder.Path("real"));
    fs::create_directory(folder.Path("backups"));
    StoreTestFolder::Write(folder.Path("real/page.html"), "old");
    ::chmod(folder.Path("real/page.html").c_str(), 0640);
    fs::create_symlink(folder.Path("real/page.html"), folder.Path("link.html"));
    WriteFileAtomically(folder.Path("link.html"), "new", {folder.Path("backups/page.html")});
    EXPECT_EQ(StoreTestFolder::Read(folder.Path("real/page.html")), "new");
    EXPECT_EQ(StoreTestFolder::Read(folder.Path("backups/page.html")), "old");
    EXPECT_EQ(ModeOf(folder.Path("backups/page.html")), 0640u);
    EXPECT_EQ(fs::directory_entry(folder.Path("backups/page.html")).hard_link_count(), 1u);
}

TEST(AtomicFile, TheBackupIsCopiedWhereItCannotBeLinked) {
    // A hard link cannot cross file systems; the shared-memory folder is usually another one.
    StoreTestFolder folder;
    std::string other = "/dev/shm/quinkle-backup-" + std::to_string(::getpid());
    struct stat here {
    }, there{};
    if (::stat(folder.Path().c_str(), &here) != 0 || ::stat("/dev/shm", &there) != 0 ||
        here.st_dev == there.st_dev) {
        GTEST_SKIP() << "no second file system to copy the backup to";
    }
    std::string path = folder.Path("page.html");
    StoreTestFolder::Write(path, "old");
    WriteFileAtomically(path, "new", {other});
    EXPECT_EQ(StoreTestFolder::Read(path), "new");
    EXPECT_EQ(StoreTestFolder::Read(other), "old");
    ::unlink(other.c_str());
}

TEST(AtomicFile, AFailedBackupDoesNotLoseTheSave) {
    StoreTestFolder folder;
    std::string path = folder.Path("page.html");
    StoreTestFolder::Write(path, "old");
    std::string backup = folder.Path("missing/page.~html");
    EXPECT_THROW(WriteFileAtomically(path, "new", {backup}), EBackupError);
    EXPECT_EQ(StoreTestFolder::Read(path), "new");
    EXPECT_EQ(folder.EntryCount(), 1u);

    // A folder in the way of the backup name: the pending copy is not left beside it.
    fs::create_directory(folder.Path("page.~html"));
    StoreTestFolder::Write(folder.Path("page.~html/inside"), "kept");
    try {
        WriteFileAtomically(path, "newer", {folder.Path("page.~html")});
        FAIL() << "no backup error";
    } catch (const EBackupError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot keep the old file '" + path + "' as backup '" +
                                             folder.Path("page.~html") + "'");
    }
    EXPECT_EQ(StoreTestFolder::Read(path), "newer");
    EXPECT_EQ(StoreTestFolder::Read(folder.Path("page.~html/inside")), "kept");
    EXPECT_EQ(folder.EntryCount(), 2u);

    // The target itself, or a link to it, named as the backup: the new content stays.
    fs::create_symlink(path, folder.Path("link"));
    for (const std::string& self : {path, folder.Path("link")}) {
        EXPECT_THROW(WriteFileAtomically(path, "newest", {self}), EBackupError);
        EXPECT_EQ(StoreTestFolder::Read(path), "newest");
    }
    EXPECT_EQ(folder.EntryCount(), 3u);
}

TEST(AtomicFile, AFailedWriteLeavesEveryFileAsItWas) {
    struct Case {
        const char* name;
        std::function<std::string(StoreTestFolder&)> prepare;  // gives the target
        bool creating;  // the temporary file cannot be created, rather than put in place
        std::string reason;
    };
    const Case cases[] = {
        {"missing folder", [](StoreTestFolder& f) { return f.Path("gone/page.html"); }, true,
         "No such file or directory"},
        {"a file where the folder should be",
         [](StoreTestFolder& f) {
             StoreTestFolder::Write(f.Path("plain"), "a file");
             return f.Path("plain/page.html");
         },
         true, "Not a directory"},
        {"a name too long for a temporary file beside it",
         [](StoreTestFolder& f) { return f.Path(std::string(250, 'n')); }, true,
         "File name too long"},
        {"a loop of symbolic links",
         [](StoreTestFolder& f) {
             fs::create_symlink(f.Path("b.html"), f.Path("a.html"));
             fs::create_symlink(f.Path("a.html"), f.Path("b.html"));
             return f.Path("a.html");
         },
         true, "Too many levels of symbolic links"},
        {"a folder where the file should be",
         [](StoreTestFolder& f) {
             fs::create_directory(f.Path("page.html"));
             StoreTestFolder::Write(f.Path("page.html/inside"), "kept");
             return f.Path("page.html");
         },
         false, "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoreTestFolder folder;
        StoreTestFolder::Write(folder.Path("page.~html"), "old backup");
        std::string path = c.prepare(folder);
        auto before = Snapshot(folder.Path());
        std::string message;
        try {
            WriteFileAtomically(path, "new", {folder.Path("page.~html")});
            ADD_FAILURE() << "no error";
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(c.creating);
            message = e.what();
            EXPECT_EQ(message, "Cannot create file '" + path + "': " + c.reason);
        } catch (const EFileSaveError& e) {
            EXPECT_FALSE(c.creating);
            message = e.what();
            EXPECT_EQ(message, "Cannot save file '" + path + "': " + c.reason);
        }
        EXPECT_EQ(Snapshot(folder.Path()), before);
    }
}

TEST(AtomicFile, AReadOnlyFolderLeavesEverythingAsItWas) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    StoreTestFolder folder;
    std::string path = folder.Path("page.html");
    StoreTestFolder::Write(path, "old");
    StoreTestFolder::Write(folder.Path("page.~html"), "old backup");
    auto before = Snapshot(folder.Path());
    ::chmod(folder.Path().c_str(), 0555);
    EXPECT_THROW(WriteFileAtomically(path, "new", {folder.Path("page.~html")}), EFCreateError);
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

TEST(AtomicFileWriter, StreamsPiecesAndCommitsThemAtOnce) {
    StoreTestFolder folder;
    std::string path = folder.Path("big.html");
    StoreTestFolder::Write(path, "old");
    {
        AtomicFileWriter writer(path);
        for (int i = 0; i < 1000; ++i) writer.Write("0123456789");
        EXPECT_EQ(StoreTestFolder::Read(path), "old");  // nothing shows before Commit
        EXPECT_EQ(folder.EntryCount(), 2u);
        writer.Commit();
    }
    EXPECT_EQ(StoreTestFolder::Read(path).size(), 10000u);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(AtomicFileWriter, AWriterGivenUpLeavesNoTrace) {
    StoreTestFolder folder;
    std::string path = folder.Path("page.html");
    StoreTestFolder::Write(path, "old");
    {
        AtomicFileWriter writer(path, {folder.Path("page.~html")});
        writer.Write("half");
    }
    EXPECT_EQ(StoreTestFolder::Read(path), "old");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
}  // namespace quinkle

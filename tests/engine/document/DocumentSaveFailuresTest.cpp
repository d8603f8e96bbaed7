// Saving into a real read-only folder and onto a real full file system loses nothing: the old
// file and its backup stay as they were, the document stays modified and no temporary file is
// left behind.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "engine/document/DocumentTestKit.h"

namespace quinkle::testing {
namespace {

/// A small tmpfs mounted on a folder for one test (needs the right to mount, as root has);
/// unmounted when it goes.
class ScratchFileSystem {
public:
    ScratchFileSystem(const std::string& folder, const char* options) : m_folder(folder) {
        std::filesystem::create_directories(folder);
        m_mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options) == 0;
        if (!m_mounted) m_error = errno;
    }
    ~ScratchFileSystem() {
        if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool Mounted() const { return m_mounted; }
    std::string Error() const { return std::strerror(m_error); }
    bool MakeReadOnly() {
        return ::mount("tmpfs", m_folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string m_folder;
    bool m_mounted = false;
    int m_error = 0;
};

// Whether a file can be created in `folder` (root ignores the folder's permission bits).
bool CanWriteInto(const std::string& folder) {
    const std::string probe = folder + "/probe";
    if (!std::ofstream(probe)) return false;
    std::filesystem::remove(probe);
    return true;
}

class DocumentSaveFailures : public DocumentFixture {
protected:
    void SetUp() override { Config("Backups", 0); }

    // index.html and its backup from an earlier save, in `dir`; the document opens the first.
    void OpenOldFiles(const std::string& dir) {
        StoreTestFolder::Write(dir + "/index.html", "old");
        StoreTestFolder::Write(dir + "/index.~html", "older");
        ASSERT_TRUE(document.Open(dir + "/index.html", false));
    }

    // Saving fails without a trace: an error naming the file and the system's reason `error`,
    // both old files as they were, the document still modified; the save question stops too.
    // `messages` counts the error boxes of one save: the save's alone, as no backup is tried
    // before the new file could be written.
    void SaveFailsAndKeepsEverything(const std::string& dir, int error, int messages) {
        const std::string page = dir + "/index.html";
        const std::string before = Text();
        for (int i = 0; i < messages; ++i) asker.AnswerButton(DocumentAsker::Ok);
        EXPECT_FALSE(document.Save());
        ASSERT_FALSE(asker.Questions.empty());
        const Asked& shown = asker.Questions.back();
        EXPECT_EQ(shown.Kind, DocumentAsker::Kind::Error);
        EXPECT_NE(shown.Text.find(page), std::string::npos) << shown.Text;
        const std::string reason = std::strerror(error);
        EXPECT_EQ(shown.Text.substr(shown.Text.size() - std::min(shown.Text.size(), reason.size())),
                  reason);
        EXPECT_EQ(Read(page), "old");
        EXPECT_EQ(Read(dir + "/index.~html"), "older");
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        EXPECT_EQ(names, (std::set<std::string>{"index.html", "index.~html"}));
        EXPECT_TRUE(document.Modified());
        EXPECT_EQ(document.Title(), "index.html");
        EXPECT_EQ(Text(), before);

        asker.AnswerButton(DocumentAsker::Yes);
        for (int i = 0; i < messages; ++i) asker.AnswerButton(DocumentAsker::Ok);
        EXPECT_FALSE(document.AskSaveChanges());
        EXPECT_TRUE(document.Modified());

        // Saved elsewhere, every character is there.
        const std::string elsewhere = folder.Path("rescued.html");
        asker.AnswerFileName(elsewhere);
        EXPECT_TRUE(document.SaveAs());
        EXPECT_EQ(Read(elsewhere), before);
        EXPECT_EQ(asker.Unexpected, 0);
    }
};

TEST_F(DocumentSaveFailures, ReadOnlyFolder) {
    const std::string dir = folder.Path("readonly");
    std::unique_ptr<ScratchFileSystem> mount;
    if (::geteuid() == 0) {
        // Root writes through permission bits: only a read-only file system stops it.
        mount = std::make_unique<ScratchFileSystem>(dir, "size=1m");
        if (!mount->Mounted())
            GTEST_SKIP() << "mounting a file system was refused: " << mount->Error();
    } else {
        std::filesystem::create_directories(dir);
    }
    OpenOldFiles(dir);
    Type("new ");
    if (mount)
        mount->MakeReadOnly();
    else
        std::filesystem::permissions(
            dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (CanWriteInto(dir)) GTEST_SKIP() << "the folder could not be made read-only";
    SaveFailsAndKeepsEverything(dir, mount ? EROFS : EACCES, 1);
    if (!mount) std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
}

TEST_F(DocumentSaveFailures, FullFileSystem) {
    if (::geteuid() != 0) GTEST_SKIP() << "a full file system needs a tmpfs only root may mount";
    const std::string dir = folder.Path("full");
    ScratchFileSystem tiny(dir, "size=64k");
    if (!tiny.Mounted()) GTEST_SKIP() << "mounting a 64 KiB tmpfs was refused: " << tiny.Error();
    OpenOldFiles(dir);
    // Far more than the file system holds.
    Type(std::string(256 * 1024, 'x'));
    SaveFailsAndKeepsEverything(dir, ENOSPC, 1);
}

}  // namespace
}  // namespace quinkle::testing

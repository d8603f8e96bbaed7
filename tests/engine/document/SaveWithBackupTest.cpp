// Saving with a backup: the old version becomes the backup only after the new file is written.
#include <gtest/gtest.h>

#include "engine/document/SaveWithBackup.h"
#include "engine/store/StoreTestFolder.h"
#include "engine/text/EditorError.h"

namespace quinkle::testing {
namespace {

struct Saving {
    StoreTestFolder folder;
    std::string page = folder.Path("index.html");
    std::string backup = folder.Path("index.~html");
    int backupFailures = 0;

    void Save(bool keepBackup, const std::function<void(const std::string&)>& write) {
        SaveWithBackup(page, keepBackup, backup, write, [this] { ++backupFailures; });
    }
    // Writes "new" through a temporary file renamed over the old one, as the editor saves.
    static void WriteNew(const std::string& path) {
        StoreTestFolder::Write(path + ".tmp", "new");
        std::filesystem::rename(path + ".tmp", path);
    }
};

TEST(SaveWithBackup, OldVersionBecomesTheBackupOnceTheNewFileIsWritten) {
    Saving saving;
    StoreTestFolder::Write(saving.page, "old");
    StoreTestFolder::Write(saving.backup, "older");
    saving.Save(true, [&](const std::string& path) {
        // While the new file is written, the previous backup is still there.
        EXPECT_EQ(StoreTestFolder::Read(saving.backup), "older");
        Saving::WriteNew(path);
    });
    EXPECT_EQ(StoreTestFolder::Read(saving.page), "new");
    EXPECT_EQ(StoreTestFolder::Read(saving.backup), "old");
    EXPECT_EQ(saving.folder.EntryCount(), 2u);
    EXPECT_EQ(saving.backupFailures, 0);
}

TEST(SaveWithBackup, NothingToKeepOrNoBackupWanted) {
    for (const bool existing : {false, true}) {
        Saving saving;
        if (existing) StoreTestFolder::Write(saving.page, "old");
        saving.Save(!existing, Saving::WriteNew);
        EXPECT_EQ(StoreTestFolder::Read(saving.page), "new");
        EXPECT_EQ(saving.folder.EntryCount(), 1u);
        EXPECT_EQ(saving.backupFailures, 0);
    }
}

TEST(SaveWithBackup, FailedWriteLeavesBothOldFilesAndNothingElse) {
    Saving saving;
    StoreTestFolder::Write(saving.page, "old");
    StoreTestFolder::Write(saving.backup, "older");
    EXPECT_THROW(saving.Save(true, [](const std::string&) { throw EFileSaveError("disk full"); }),
                 EFileSaveError);
    EXPECT_EQ(StoreTestFolder::Read(saving.page), "old");
    EXPECT_EQ(StoreTestFolder::Read(saving.backup), "older");
    EXPECT_EQ(saving.folder.EntryCount(), 2u);
    EXPECT_EQ(saving.backupFailures, 0);
}

TEST(SaveWithBackup, BackupThatCannotBeMadeIsReportedAndTheSaveGoesOn) {
    Saving saving;
    StoreTestFolder::Write(saving.page, "old");
    // A folder where the backup should go cannot be replaced by a file.
    std::filesystem::create_directories(saving.backup + "/inside");
    saving.Save(true, Saving::WriteNew);
    EXPECT_EQ(StoreTestFolder::Read(saving.page), "new");
    EXPECT_EQ(saving.backupFailures, 1);
    EXPECT_EQ(saving.folder.EntryCount(), 2u);  // the page and that folder
}

}  // namespace
}  // namespace quinkle::testing

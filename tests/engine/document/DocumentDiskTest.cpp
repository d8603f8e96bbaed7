// The document and its file on disk: changes by another program noticed once each, saving
// over a changed file, and recovery of a journalled document.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "engine/document/DocumentTestKit.h"

namespace quinkle::testing {
namespace {

using namespace std::string_literals;

using Kind = DocumentAsker::Kind;

DiskStamp Stamp(bool exists, uint64_t size, int64_t time, uint64_t hash) {
    return DiskStamp{exists, size, time, hash};
}

TEST(DiskStamp, DecidesWhatToAskOncePerChange) {
    const DiskStamp loaded = Stamp(true, 10, 1000, 7);
    const DiskStamp edited = Stamp(true, 10, 2000, 8);
    const DiskStamp gone = Stamp(false, 0, 0, 0);
    struct Case {
        const char* what;
        bool named;
        DiskStamp recorded, current, lastAsked;
        DiskAction action;
    };
    const Case cases[] = {
        {"untitled", false, {}, edited, {}, DiskAction::Nothing},
        {"unchanged", true, loaded, loaded, loaded, DiskAction::Nothing},
        {"changed", true, loaded, edited, loaded, DiskAction::OfferReload},
        {"changed, asked already", true, loaded, edited, edited, DiskAction::Nothing},
        {"changed again after the question", true, loaded, Stamp(true, 11, 3000, 9), edited,
         DiskAction::OfferReload},
        {"changed back", true, loaded, loaded, edited, DiskAction::Nothing},
        {"deleted", true, loaded, gone, loaded, DiskAction::TellDeleted},
        {"deleted, told already", true, loaded, gone, gone, DiskAction::Nothing},
        {"made again after being told", true, loaded, edited, gone, DiskAction::OfferReload},
        {"never existed", true, gone, gone, gone, DiskAction::Nothing},
        {"appeared", true, gone, edited, gone, DiskAction::OfferReload},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ActionOnActivation(c.named, c.recorded, c.current, c.lastAsked), c.action);
    }
    EXPECT_FALSE(SaveOverNeedsConsent(loaded, loaded));
    EXPECT_TRUE(SaveOverNeedsConsent(loaded, edited));
    EXPECT_FALSE(SaveOverNeedsConsent(loaded, gone));
    EXPECT_TRUE(SaveOverNeedsConsent(gone, edited));
}

TEST(DiskStamp, SeesAChangeAtEitherEndWhenSizeAndTimeStay) {
    StoreTestFolder folder;
    const std::string path = folder.Path("big.txt");
    const std::string bytes(3 * kStampHashedEnd, 'a');
    struct Case {
        const char* what;
        size_t at;
        bool seen;
    };
    const Case cases[] = {{"first byte", 0, true},
                          {"last byte", bytes.size() - 1, true},
                          {"middle", bytes.size() / 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreTestFolder::Write(path, bytes);
        const DiskStamp before = StampOf(path);
        std::string changed = bytes;
        changed[c.at] = 'b';
        StoreTestFolder::Write(path, changed);
        const timespec times[2] = {
            {0, UTIME_OMIT},
            {before.ModifiedNs / 1000000000, long(before.ModifiedNs % 1000000000)}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        EXPECT_EQ(StampOf(path) != before, c.seen);
    }
    EXPECT_FALSE(StampOf(folder.Path("none")).Exists);
}

class DocumentOnDisk : public DocumentFixture {
protected:
    std::string Open(const std::string& bytes) {
        const std::string path = File("page.htm", bytes);
        EXPECT_TRUE(document.Open(path, false));
        return path;
    }
    // Another program's write: new content and a later modification time.
    void ChangeOutside(const std::string& path, const std::string& bytes) {
        StoreTestFolder::Write(path, bytes);
        const timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 5, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), later, 0);
    }
    // The editor's text as stored, CR its only line end.
    std::string Stored() const { return editor.Store().GetText(0, editor.Store().CharCount()); }
};

TEST_F(DocumentOnDisk, OffersAChangedFileOnceAndReloadsIt) {
    const std::string path = Open("one");
    document.CheckFileOnDisk();
    EXPECT_TRUE(asker.Questions.empty());

    ChangeOutside(path, "two");
    asker.AnswerButton(DocumentAsker::No);
    document.CheckFileOnDisk();
    document.CheckFileOnDisk();  // the same change is not asked about again
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(
        asker.Questions[0].Text,
        "The file " + path + " was changed by another program.\nDo you want to load it again?");
    EXPECT_EQ(Text(), "one");

    ChangeOutside(path, "three");
    asker.AnswerButton(DocumentAsker::Yes);
    document.CheckFileOnDisk();
    EXPECT_EQ(Text(), "three");
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentOnDisk, ReloadOfAModifiedDocumentAsksTheSaveQuestionFirst) {
    const std::string path = Open("one");
    Type("mine ");
    ChangeOutside(path, "theirs");
    asker.AnswerButton(DocumentAsker::Yes);     // load it again?
    asker.AnswerButton(DocumentAsker::Cancel);  // save the changes?
    document.CheckFileOnDisk();
    EXPECT_EQ(Text(), "mine one");
    EXPECT_TRUE(document.Modified());

    ChangeOutside(path, "theirs again");
    asker.AnswerButton(DocumentAsker::Yes);
    asker.AnswerButton(DocumentAsker::No);
    document.CheckFileOnDisk();
    EXPECT_EQ(Text(), "theirs again");
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentOnDisk, ADeletedFileIsReportedAndTheTextKeptModified) {
    const std::string path = Open("kept");
    std::filesystem::remove(path);
    asker.AnswerButton(DocumentAsker::Ok);
    document.CheckFileOnDisk();
    document.CheckFileOnDisk();
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(asker.Questions[0].Kind, Kind::Warning);
    EXPECT_EQ(Text(), "kept");
    EXPECT_TRUE(document.Modified());
    // Saving makes the file again without asking about it.
    EXPECT_TRUE(document.Save());
    EXPECT_EQ(Read(path), "kept");
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentOnDisk, OwnSavesAreNoNewsButSavingOverAnotherProgramsChangeAsks) {
    const std::string path = Open("one");
    Type("a");
    ASSERT_TRUE(document.Save());
    document.CheckFileOnDisk();
    EXPECT_TRUE(asker.Questions.empty());

    ChangeOutside(path, "theirs");
    Type("b");
    asker.AnswerButton(DocumentAsker::No);
    EXPECT_FALSE(document.Save());
    EXPECT_EQ(Read(path), "theirs");
    EXPECT_TRUE(document.Modified());

    asker.AnswerButton(DocumentAsker::Yes);
    EXPECT_TRUE(document.Save());
    EXPECT_EQ(Read(path), "abone");
    ASSERT_EQ(asker.Questions.size(), 2u);
    EXPECT_NE(asker.Questions[1].Text.find("save over it"), std::string::npos);
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentOnDisk, RecoversAJournalExactly) {
    const std::string path = File("old.htm", "on disk");
    struct Case {
        const char* what;
        std::string name;
        std::string text;
        FileForm form;
        Charset charset;
        std::string saved;  // the file Save then writes
    };
    const Case cases[] = {
        {"untitled",
         "",
         "a\rb\0c\xff"s,
         {FileEncoding::Bytes, LineEnd::LF},
         Charset::Utf8,
         "a\nb\0c\xff"s},
        {"named CR LF",
         path,
         "<p>\xe9t\xe9</p>\r\r",
         {FileEncoding::Bytes, LineEnd::CRLF},
         Charset::Iso8859_1,
         "<p>\xe9t\xe9</p>\r\n\r\n"},
        {"UTF-16",
         path,
         "x\ry",
         {FileEncoding::Utf16LE, LineEnd::CR},
         Charset::Utf8,
         "\xff\xfex\0\r\0y\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JournalRecord record;
        record.FileName = c.name;
        record.Text = std::make_shared<const std::string>(c.text);
        record.Form = c.form;
        record.DocumentCharset = c.charset;
        ASSERT_TRUE(document.Recover(DecodeJournal(EncodeJournal(record))));
        EXPECT_EQ(Stored(), c.text);
        EXPECT_EQ(document.FileName(), c.name);
        EXPECT_EQ(document.Title(), c.name.empty() ? "(Untitled)" : "old.htm");
        EXPECT_EQ(document.DocumentCharset(), c.charset);
        EXPECT_TRUE(document.Modified());
        const JournalRecord again = document.JournalSnapshot();
        EXPECT_EQ(*again.Text, c.text);
        EXPECT_EQ(again.Form, c.form);
        if (c.name.empty()) {
            asker.AnswerFileName(folder.Path("saved.txt"));
            ASSERT_TRUE(document.Save());
            EXPECT_EQ(Read(folder.Path("saved.txt")), c.saved);
        } else {
            ASSERT_TRUE(document.Save());
            EXPECT_EQ(Read(path), c.saved);
        }
    }
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentOnDisk, OffersJournalsOneAfterTheOther) {
    const std::string kept = File("kept.qkj", "1");
    const std::string recovered = File("recovered.qkj", "2");
    const std::string after = File("after.qkj", "3");
    const std::string discarded = File("discarded.qkj", "4");
    std::vector<FoundJournal> found;
    for (const auto& [path, name] :
         {std::pair{discarded, "/d.htm"}, {kept, "/k.htm"}, {recovered, ""}, {after, "/a.htm"}}) {
        JournalRecord record;
        record.FileName = name;
        record.Text = std::make_shared<const std::string>(path);
        found.push_back({path, record});
    }
    asker.AnswerButton(DocumentAsker::No);
    asker.AnswerButton(DocumentAsker::Cancel);
    asker.AnswerButton(DocumentAsker::Yes);
    const RecoveryOutcome outcome = OfferRecovery(document, asker, found);

    EXPECT_EQ(outcome.RecoveredJournal, recovered);
    EXPECT_EQ(outcome.Discarded, 1);
    EXPECT_EQ(outcome.KeptForLater, 2);
    EXPECT_EQ(outcome.Notice, "2 unsaved documents are kept for recovery at the next start.");
    EXPECT_EQ(Stored(), recovered);
    ASSERT_EQ(asker.Questions.size(), 3u);
    EXPECT_NE(asker.Questions[0].Text.find("/d.htm"), std::string::npos);
    EXPECT_NE(asker.Questions[2].Text.find("(Untitled)"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(discarded));
    for (const std::string& path : {kept, recovered, after})
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_EQ(asker.Unexpected, 0);
}

}  // namespace
}  // namespace quinkle::testing

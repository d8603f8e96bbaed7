// The document: its file changed or deleted by another program, and recovery journals.
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "engine/document/Document.h"
#include "engine/document/DocumentAsker.h"
#include "engine/document/DocumentHost.h"
#include "engine/html/HeadBody.h"

namespace quinkle {

void Document::RecordStamp() {
    m_diskStamp = m_fileName.empty() ? DiskStamp{} : StampOf(m_fileName);
    m_askedStamp = m_diskStamp;
}

bool Document::MaySaveOver(const std::string& path) {
    if (path != m_fileName || !SaveOverNeedsConsent(m_diskStamp, StampOf(path))) return true;
    const int answer = m_asker.Message(
        DocumentAsker::Kind::Confirmation, std::string(kProductName),
        "The file " + path +
            " was changed by another program since it was opened or saved here.\nDo you want to "
            "save over it?",
        DocumentAsker::Yes | DocumentAsker::No);
    return answer == DocumentAsker::Yes;
}

void Document::CheckFileOnDisk() {
    const bool named = !m_fileName.empty();
    const DiskStamp current = named ? StampOf(m_fileName) : DiskStamp{};
    const DiskAction action = ActionOnActivation(named, m_diskStamp, current, m_askedStamp);
    if (action == DiskAction::Nothing) return;
    m_askedStamp = current;
    if (action == DiskAction::TellDeleted) {
        m_asker.Message(DocumentAsker::Kind::Warning, std::string(kProductName),
                        "The file " + m_fileName +
                            " was deleted or moved by another program.\nThe text stays in the "
                            "editor, marked as changed.",
                        DocumentAsker::Ok);
        m_editor.SetModified(true);
        m_host.ModifiedChanged();
        return;
    }
    const int answer =
        m_asker.Message(DocumentAsker::Kind::Confirmation, std::string(kProductName),
                        "The file " + m_fileName +
                            " was changed by another program.\nDo you want to load it again?",
                        DocumentAsker::Yes | DocumentAsker::No);
    if (answer != DocumentAsker::Yes) return;
    if (Modified() && !AskSaveChanges()) return;
    Load(m_fileName, false);
}

JournalRecord Document::JournalSnapshot() const {
    const TextStore& store = m_editor.Store();
    JournalRecord record;
    record.FileName = m_fileName;
    record.DocumentCharset = m_charset;
    record.Form = store.Form;
    record.Modified = Modified();
    record.Time = static_cast<int64_t>(std::time(nullptr));
    record.ProcessId = static_cast<int32_t>(::getpid());
    record.Text = std::make_shared<const std::string>(store.GetText(0, store.CharCount()));
    return record;
}

bool Document::Recover(const JournalRecord& record) {
    if (Modified() && !AskSaveChanges()) return false;
    LiftLoadReadOnly();
    {
        ChangeBatch batch(m_editor);
        m_editor.LoadStoredText(*record.Text);
        m_editor.Store().Form = record.Form;
    }
    m_fileName = record.FileName;
    RecordStamp();
    ApplyCharset(record.DocumentCharset);
    m_editor.SetModified(record.Modified);
    m_host.TextReplaced();
    SetTitle(m_fileName.empty() ? std::string("(Untitled)")
                                : std::filesystem::path(m_fileName).filename().string());
    m_host.ModifiedChanged();
    return true;
}

}  // namespace quinkle

namespace quinkle {
namespace {

std::string LocalTime(int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    localtime_r(&time, &parts);
    char text[32];
    return std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts) ? text : "?";
}

}  // namespace

RecoveryOutcome OfferRecovery(Document& document, DocumentAsker& asker,
                              const std::vector<FoundJournal>& orphans) {
    RecoveryOutcome outcome;
    for (const FoundJournal& journal : orphans) {
        if (!outcome.RecoveredJournal.empty()) {
            ++outcome.KeptForLater;
            continue;
        }
        const std::string name =
            journal.Record.FileName.empty() ? std::string("(Untitled)") : journal.Record.FileName;
        const int answer = asker.Message(
            DocumentAsker::Kind::Confirmation, std::string(kProductName),
            "The document " + name + " was not saved when the editor stopped; its text from " +
                LocalTime(journal.Record.Time) +
                " can be recovered.\nYes: recover it now.\nNo: discard it.\nCancel: keep it "
                "for the next start.",
            DocumentAsker::Yes | DocumentAsker::No | DocumentAsker::Cancel);
        if (answer == DocumentAsker::Yes) {
            if (document.Recover(journal.Record))
                outcome.RecoveredJournal = journal.Path;
            else
                ++outcome.KeptForLater;
        } else if (answer == DocumentAsker::No) {
            std::error_code ignored;
            std::filesystem::remove(journal.Path, ignored);
            ++outcome.Discarded;
        } else {
            ++outcome.KeptForLater;
        }
    }
    if (outcome.KeptForLater > 0)
        outcome.Notice =
            std::to_string(outcome.KeptForLater) +
            (outcome.KeptForLater == 1 ? " unsaved document is" : " unsaved documents are") +
            " kept for recovery at the next start.";
    else if (!outcome.RecoveredJournal.empty())
        outcome.Notice = "Recovered the unsaved document.";
    return outcome;
}

}  // namespace quinkle

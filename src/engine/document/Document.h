// The document: its file life cycle (new, open, save, backups, delete), its declared charset,
// its highlighter and the insertion step every generated text goes through.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/document/DiskStamp.h"
#include "engine/document/RecentDocuments.h"
#include "engine/document/RecoveryJournal.h"
#include "engine/editor/SourceEditor.h"
#include "engine/html/TagText.h"
#include "engine/scheme/Highlighter.h"
#include "engine/text/Charset.h"

namespace quinkle {

/// The status-bar note of a command that would change a read-only document.
inline constexpr const char* kReadOnlyNotice = "The document is read only: nothing was changed.";

/// The status-bar note for a file whose bytes the editor cannot keep as they are, or that it
/// opens read only; empty for a file that it keeps byte for byte.
std::string LoadNotice(const FileFacts& facts);

class DocumentAsker;
class DocumentHost;
class IniFile;
class UserStore;
struct WebPage;

/// One document shown in an editor. It owns the highlighter over the editor's text, so
/// formatted output carries the scheme's colours whatever the view has painted, and keeps the
/// charset the document declares, in which its bytes are shown and generated text is encoded.
///
/// Questions go through the asker. A failure the life cycle reports and then goes on from
/// (a file that cannot be read, written or moved to the trash) is shown through the asker and
/// told by the result; the editor's own faults pass on as EQuinkleError.
class Document {
public:
    /// `editor`, `settings`, `userStore`, `asker` and `host` must outlive the document.
    Document(SourceEditor& editor, IniFile& settings, UserStore& userStore, DocumentAsker& asker,
             DocumentHost& host);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    SourceEditor& Editor() const { return m_editor; }
    Highlighter& DocumentHighlighter() { return m_highlighter; }

    // ---- state ----
    /// Full path of the open document; empty for an untitled one.
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& path) { m_fileName = path; }
    /// The document's part of the title: "(Untitled)" or the file name without its folder.
    const std::string& Title() const { return m_title; }
    bool Modified() const { return m_editor.Modified(); }
    /// The charset the document declares (looked for again on every load and save).
    Charset DocumentCharset() const { return m_charset; }
    /// Typed or generated UTF-8 text as the document's bytes, and its bytes for display.
    std::string DocumentBytes(std::string_view utf8) const;
    std::string DocumentText(std::string_view bytes) const;

    // ---- the life cycle ----
    /// A new document as [Config] "Default Startup" says: blank, minimal, "default.txt" or the
    /// start file; a modified document is asked about first.
    void New();
    /// Asks about a modified document, then opens `fileName` (quotes stripped); a missing file
    /// gives a minimal document instead. `remember` adds it to the recent files. False when
    /// nothing was opened.
    bool Open(const std::string& fileName, bool remember);
    /// Asks about a modified document, then for a file name, and opens it.
    bool OpenAsked();
    /// Writes the document to `path` (with a backup when [Config] "Backups" is 0); false, with
    /// the document still modified, when the write failed.
    bool SaveTo(const std::string& path);
    /// Saves a modified document: to its file, or under a name asked for.
    bool Save();
    /// Asks for a name and saves; false when cancelled or failed.
    bool SaveAs();
    /// Writes the text as HTML or RTF to a file asked for (with a backup as SaveTo makes one).
    /// The document's file name, title, modified state and save format stay as they were.
    bool SaveFormatted(TextSaveFormat format);
    /// Asks whether to save a modified document; true when the caller may go on.
    bool AskSaveChanges();
    /// Moves the document's file to the trash once confirmed, then starts a new document.
    void Delete();
    /// Files dropped on the editor: on an unmodified document, or once the save question is
    /// answered Yes or No, the first is opened; otherwise Internet shortcuts among them
    /// become links.
    void FilesDropped(const std::vector<std::string>& names);

    // ---- the file on disk and the recovery journal (DocumentDisk.cpp) ----
    /// The stamp of the document's file at its last load or save.
    const DiskStamp& RecordedStamp() const { return m_diskStamp; }
    /// Looks whether the document's file changed on disk or went away since it was loaded or
    /// saved, once per change: a changed file is offered for loading again (after the save
    /// question for a modified document); a deleted one is reported and the text kept,
    /// marked modified. The window calls it when it gets the focus.
    void CheckFileOnDisk();
    /// The text and state a recovery journal keeps, taken now.
    JournalRecord JournalSnapshot() const;
    /// Makes a journal's document this one (after the save question for a modified
    /// document): its text byte for byte, file name, charset, file form and modified state.
    /// False when the user kept the current document.
    bool Recover(const JournalRecord& record);

    // ---- folder memory ([LastPaths]) ----
    /// The folder last used for `key`, or the program folder.
    std::string LastFolder(const std::string& key) const;
    /// Remembers the folder of `path` for `key` and makes it the current one; nothing
    /// happens during start-up or for a bare name.
    void RememberFolder(const std::string& key, const std::string& path);

    // ---- recent files ----
    RecentDocuments& RecentFiles() { return m_recent; }
    const RecentDocuments& RecentFiles() const { return m_recent; }
    /// Loads the list with the [Config] "Max" entries.
    void LoadRecentFiles();

    // ---- the insertion step (DocumentInsertion.cpp) ----
    /// Opens undo group `code` (an open group is kept) and holds change reports until the
    /// matching EndCommandGroup. True when this opened the outermost group.
    bool BeginCommandGroup(int code);
    /// True when this closed the outermost group.
    bool EndCommandGroup(int code);
    /// Inserts UTF-8 text, encoded in the document's charset, over the selection as one undo
    /// step; with nothing selected the caret then steps back `stepBack` characters.
    void InsertGeneratedText(std::string_view utf8, int stepBack, int code);
    /// The same for text that already holds the document's bytes.
    void InsertGenerated(const GeneratedText& generated, int code);
    /// "<tag attributes>selection</tag>" as one undo step; the caret ends between the tags
    /// when nothing was selected. Tag and attributes are UTF-8; the selection keeps its bytes.
    void WrapSelection(std::string_view tag, std::string_view attributes, int code);
    /// "<p align=alignment>selection</p>".
    void AlignParagraph(std::string_view alignment);
    /// Removes every tag from the whole text (whatever is selected) as one undo step.
    void StripTags();
    /// Replaces the whole text by a fetched page as one undo step (ucLoadFromWeb), saved
    /// with the page's line ends; the page is shown in the charset its server named, or else
    /// in the one it declares. The file name stays. False, with a notice, when the editor is
    /// read only.
    bool ReplaceWithPage(const WebPage& page);

private:
    /// Replaces the text by a new document of start-up `mode`, asking nothing about the old.
    void NewInMode(int mode);
    /// Opens `fileName` over the text, asking nothing about the old.
    bool Load(const std::string& fileName, bool remember);
    /// The save dialog's filter, the format's own file type first.
    static std::string SaveFilter(TextSaveFormat format);
    std::string MinimalDocument(bool askForTitle);
    void SetText(const std::string& text);
    void DetectCharset();
    /// Makes `charset` the document's and tells the editor and the host.
    void ApplyCharset(Charset charset);
    /// Records the file's stamp after a load or save: a change from here on is news.
    void RecordStamp();
    /// Whether saving to `path` may replace what is there; asks when it is the document's
    /// file and another program changed it since.
    bool MaySaveOver(const std::string& path);
    /// Makes the editor read only for a file it must not change by accident, lifts that for
    /// any other, and tells the host what loading could not keep.
    void ApplyLoadFacts(const FileFacts& facts);
    /// Lifts a read-only state that ApplyLoadFacts set.
    void LiftLoadReadOnly();
    void SetTitle(const std::string& title);
    /// Runs `edit` inside undo group `code`; the group is closed even when `edit` throws.
    void EditInGroup(int code, const std::function<void()>& edit);

    SourceEditor& m_editor;
    IniFile& m_settings;
    DocumentAsker& m_asker;
    DocumentHost& m_host;
    Highlighter m_highlighter;
    RecentDocuments m_recent;
    Charset m_charset = Charset::Utf8;
    /// The charset a fetched page's server named: it outranks the text's declaration until
    /// another text is loaded or made.
    std::optional<Charset> m_servedCharset;
    std::string m_fileName;
    std::string m_title;
    DiskStamp m_diskStamp;          // the file at the last load or save
    DiskStamp m_askedStamp;         // the file as the user was last asked about it
    bool m_readOnlyByLoad = false;  // the editor is read only because of the file it opened
    int m_groupDepth = 0;
    std::unique_ptr<ChangeBatch> m_groupBatch;
};

/// What the offer of left-behind journals came to.
struct RecoveryOutcome {
    /// The journal whose document the window now shows; empty when none was recovered.
    std::string RecoveredJournal;
    int Discarded = 0;
    int KeptForLater = 0;
    /// A line for the status bar saying what happened; empty when nothing did.
    std::string Notice;
};

/// Offers each journal in `orphans` in turn, through the document's asker: Yes recovers it
/// into `document`, No removes it, Cancel keeps it for the next start. Once one is recovered
/// the rest are kept for later without asking, since the window holds one document. The
/// recovered journal itself is left for the caller to remove once the document is
/// journalled again.
RecoveryOutcome OfferRecovery(Document& document, DocumentAsker& asker,
                              const std::vector<FoundJournal>& orphans);

}  // namespace quinkle

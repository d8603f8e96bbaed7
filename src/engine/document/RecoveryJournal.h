// The recovery journal: what it takes to restore an unsaved document after a crash, its file
// format, its folder and the journals that a process which is gone left behind.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/Charset.h"
#include "engine/text/EditorError.h"
#include "engine/text/FileText.h"

namespace quinkle {

/// A journal that is torn, damaged or no journal at all; the message names the fault.
class EJournalError : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

/// One document as a journal holds it.
struct JournalRecord {
    /// Full path of the document's file; empty for an untitled document.
    std::string FileName;
    Charset DocumentCharset = Charset::Utf8;
    /// The encoding and line-end style the document is saved with.
    FileForm Form;
    bool Modified = true;
    /// When the snapshot was taken, in seconds since 1970.
    int64_t Time = 0;
    /// The process that wrote the journal.
    int32_t ProcessId = 0;
    /// The editor's stored text (CR line ends), byte for byte.
    std::shared_ptr<const std::string> Text = std::make_shared<const std::string>();
};

/// Version of the journal format that EncodeJournal writes and DecodeJournal reads.
inline constexpr uint16_t kJournalVersion = 1;

/// The journal file's bytes: a header (magic, version, charset, encoding, line ends, flags,
/// time, process id, name and text lengths), the file name, the text, and a CRC-32 of all
/// bytes before it.
std::string EncodeJournal(const JournalRecord& record);
/// The record in `bytes`; raises EJournalError when they are no journal of this version, are
/// cut short, too long, or fail their checksum.
JournalRecord DecodeJournal(std::string_view bytes);
/// DecodeJournal of a whole file; EJournalError also when it cannot be read.
JournalRecord ReadJournal(const std::string& path);
/// Writes the journal atomically (temporary file, flushed, renamed) with mode 0600.
void WriteJournal(const std::string& path, const JournalRecord& record);

/// CRC-32 (the polynomial of zip and PNG) of `bytes`, continuing from `crc`.
uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);

/// The journals' folder: $XDG_STATE_HOME/quinkle/recovery, $XDG_STATE_HOME defaulting to
/// ~/.local/state.
std::string RecoveryFolder();
/// Makes `folder` (and its parents) and gives it mode 0700; false when it cannot be made.
bool PrepareRecoveryFolder(const std::string& folder);
/// The journal file this process writes in `folder`: named after its process id and start
/// time, so a journal left by an earlier process of the same id is never overwritten.
std::string OwnJournalPath(const std::string& folder);

/// Whether the process `pid` still runs this program (a process of that id running
/// another program counts as gone).
bool JournalWriterRuns(int32_t pid);

/// A journal found in the folder.
struct FoundJournal {
    std::string Path;
    JournalRecord Record;
};

/// What a look through the folder found.
struct JournalScan {
    /// Journals whose writing process is gone, newest first.
    std::vector<FoundJournal> Orphans;
    /// One message per file that is not a readable journal; the files are left as they are.
    std::vector<std::string> Problems;
};

/// The journals in `folder` other than `ownPath` whose writer is gone.
JournalScan FindOrphanJournals(const std::string& folder, const std::string& ownPath);

}  // namespace quinkle

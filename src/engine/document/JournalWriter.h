// Writes a document's recovery journal on a thread of its own, so that the typing path never
// waits for the disk.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/document/RecoveryJournal.h"

namespace quinkle {

/// Owns one journal file and a worker thread that writes it. Posting only hands over a
/// snapshot: the newest one waiting replaces an older one not yet written, and the worker
/// writes it atomically. Work is done in the order posted: a removal posted after a write
/// removes the file the write made.
class JournalWriter {
public:
    explicit JournalWriter(std::string path);
    /// Finishes what was posted, then stops the worker.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    const std::string& Path() const { return m_path; }
    /// Writes `record` to the journal (unless a later Post or Remove overtakes it).
    void Post(JournalRecord record);
    /// Removes the journal; a write still waiting is dropped.
    void Remove();
    /// Removes `path` (another process's journal) once the writes posted before are done.
    void RemoveAfterWrite(std::string path);
    /// Waits until everything posted so far is done.
    void Flush();
    /// The message of the last failed write, or empty; clears it.
    std::string TakeError();

private:
    void Run();

    std::string m_path;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<JournalRecord> m_pending;
    bool m_removePending = false;
    std::vector<std::string> m_removeOthers;
    bool m_busy = false;
    bool m_stop = false;
    std::string m_error;
    std::thread m_worker;
};

}  // namespace quinkle

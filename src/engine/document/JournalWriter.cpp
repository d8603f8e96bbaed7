// The worker thread that writes and removes a document's recovery journal.
#include "engine/document/JournalWriter.h"

#include <unistd.h>

#include <utility>

namespace quinkle {

JournalWriter::JournalWriter(std::string path)
    : m_path(std::move(path)), m_worker([this] { Run(); }) {}

JournalWriter::~JournalWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_worker.join();
}

void JournalWriter::Post(JournalRecord record) {
    {
        std::lock_guard lock(m_mutex);
        m_pending = std::move(record);
        m_removePending = false;
    }
    m_wake.notify_one();
}

void JournalWriter::Remove() {
    {
        std::lock_guard lock(m_mutex);
        m_pending.reset();
        m_removePending = true;
    }
    m_wake.notify_one();
}

void JournalWriter::RemoveAfterWrite(std::string path) {
    {
        std::lock_guard lock(m_mutex);
        m_removeOthers.push_back(std::move(path));
    }
    m_wake.notify_one();
}

void JournalWriter::Flush() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] {
        return !m_busy && !m_pending && !m_removePending && m_removeOthers.empty();
    });
}

std::string JournalWriter::TakeError() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_error, std::string());
}

void JournalWriter::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] {
            return m_stop || m_pending || m_removePending || !m_removeOthers.empty();
        });
        if (!m_pending && !m_removePending && m_removeOthers.empty()) break;  // stopping
        std::optional<JournalRecord> write = std::exchange(m_pending, std::nullopt);
        const bool remove = std::exchange(m_removePending, false);
        std::vector<std::string> others = std::exchange(m_removeOthers, {});
        m_busy = true;
        lock.unlock();

        std::string error;
        if (write) {
            try {
                WriteJournal(m_path, *write);
            } catch (const EQuinkleError& failure) {
                error = failure.what();
            }
        }
        // Another journal is given up only once this one holds its text.
        if (error.empty())
            for (const std::string& other : others) ::unlink(other.c_str());
        if (remove) ::unlink(m_path.c_str());

        lock.lock();
        m_busy = false;
        // Another journal stays where it is when this one could not be written.
        if (!error.empty()) m_error = error;
        m_idle.notify_all();
    }
    m_idle.notify_all();
}

}  // namespace quinkle

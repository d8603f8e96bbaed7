// One web transfer at a time on a thread of its own, its end reported on the GUI thread.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

#include "engine/net/HttpClient.h"
#include "engine/net/WebPage.h"

namespace quinkle {

/// Fetches an address with the engine's client off the GUI thread; the dialog stays
/// responsive and can cancel. Destroying it cancels a running transfer and waits for its end.
class WebTransfer : public QObject {
public:
    /// How a transfer ended: the page, or the message for the user; `cancelled` when it was
    /// stopped.
    using Done = std::function<void(const WebPage* page, const QString& error, bool cancelled)>;

    explicit WebTransfer(QObject* parent);
    ~WebTransfer() override;

    /// Starts fetching `address`; `done` then runs once on the GUI thread, unless Abandon
    /// comes first. Nothing happens while a transfer runs.
    void Start(const QString& address, const FetchOptions& options, Done done);
    /// Asks a running transfer to stop; `done` then reports it cancelled.
    void Cancel() { m_cancel = true; }
    /// Stops a running transfer and waits for its thread; `done` is not called.
    void Abandon();

    bool Running() const { return m_running; }
    /// The body's bytes received so far by the running or last transfer.
    uint64_t Received() const { return m_received; }

private:
    HttpClient m_client;
    FetchOptions m_options;
    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    std::atomic<uint64_t> m_received{0};
    bool m_running = false;
    unsigned m_generation = 0;  // which Start a late report belongs to
};

}  // namespace quinkle

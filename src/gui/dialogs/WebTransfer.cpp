// A web transfer on its own thread.
#include "gui/dialogs/WebTransfer.h"

#include <QMetaObject>

#include "engine/net/HttpError.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

WebTransfer::WebTransfer(QObject* parent) : QObject(parent) {}

WebTransfer::~WebTransfer() { Abandon(); }

void WebTransfer::Start(const QString& address, const FetchOptions& options, Done done) {
    if (m_running) return;
    Abandon();  // a finished thread whose report is still on its way
    m_running = true;
    m_cancel = false;
    m_received = 0;
    m_options = options;
    m_options.Cancel = &m_cancel;
    m_options.Progress = [this](uint64_t bytes) { m_received = bytes; };
    const unsigned generation = ++m_generation;
    m_thread = std::thread([this, generation, url = ToStd(address), done = std::move(done)] {
        auto page = std::make_shared<WebPage>();
        QString error;
        bool cancelled = false;
        try {
            const FetchResult result = m_client.Get(url, m_options);
            *page = PageFromResponse(result.Body, result.ContentType);
        } catch (const EHttpError& failure) {
            error = FromStd(failure.what());
            cancelled = failure.Failure() == HttpFailure::Cancelled;
        } catch (const std::exception& failure) {
            error = FromStd(failure.what());
        }
        // The report is dropped with this object, or when Abandon or a new Start came first.
        QMetaObject::invokeMethod(
            this,
            [this, generation, page, error, cancelled, done] {
                if (generation != m_generation || !m_running) return;
                if (m_thread.joinable()) m_thread.join();
                m_running = false;
                done(error.isEmpty() ? page.get() : nullptr, error, cancelled);
            },
            Qt::QueuedConnection);
    });
}

void WebTransfer::Abandon() {
    m_cancel = true;
    if (m_thread.joinable()) m_thread.join();
    m_running = false;
    ++m_generation;
}

}  // namespace quinkle

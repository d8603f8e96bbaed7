// The channel between two copies of the program: a second copy hands its document to the
// running one instead of starting.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLocalSocket;
class QWidget;

namespace quinkle {

class QuinkleForm;

/// The running copy's end: a local socket beside the single-instance lock that only its own
/// user may reach. Each request names a document to open (or none); the main window comes to
/// the front and opens it as File > Open does, asking first whether to save a changed page.
class InstanceServer : public QObject {
public:
    explicit InstanceServer(QObject* parent = nullptr);

    /// Listens at the socket file `path`. Whoever holds the instance lock owns that name, so a
    /// file left there by a copy that crashed is removed first. False when no socket could be
    /// made; the program then runs without the channel.
    bool Listen(const QString& path);
    /// Hands the requests to `form` from now on, and those that came before it at once.
    void Serve(QuinkleForm& form);

private:
    void Accept();
    void Read(QLocalSocket& socket);
    void Deliver(const QString& file);
    void OpenWhenFree(const QString& file);

    QLocalServer m_server;
    QuinkleForm* m_form = nullptr;
    QPointer<QWidget> m_window;  // m_form, watched: requests never reach a closed window
    QStringList m_early;         // requests that came before the window
};

/// The second copy's end: sends `file` (an absolute path, or empty to only bring the window to
/// the front) to the copy listening at `path`, and waits for it to confirm. A copy that is
/// still starting may not listen yet, so connecting is tried again for up to `timeoutMs`.
bool SendToRunningInstance(const QString& path, const QString& file, int timeoutMs);

}  // namespace quinkle

// The channel between two copies of the program: a second copy hands its document to the
// running one instead of starting.
#include "gui/app/InstanceChannel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

#include <algorithm>
#include <utility>

#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/widgets/CommandGuard.h"

namespace quinkle {
namespace {

// A request: the file name's bytes behind their count (4 bytes, big-endian). The answer is one
// byte, kAccepted.
constexpr qsizetype kHeader = 4;
constexpr quint32 kLongestName = 64 * 1024;
constexpr char kAccepted = '\1';
// A client that connects and then says nothing is dropped after this long.
constexpr int kSilentClientMs = 5000;
// How often a deferred request checks whether the window is free again.
constexpr int kBusyRetryMs = 250;

void Raise(QWidget& window) {
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

InstanceServer::InstanceServer(QObject* parent) : QObject(parent) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

bool InstanceServer::Listen(const QString& path) {
    QLocalServer::removeServer(path);
    return m_server.listen(path);
}

void InstanceServer::Serve(QuinkleForm& form) {
    m_form = &form;
    m_window = &form;
    const QStringList early = std::exchange(m_early, {});
    for (const QString& file : early) Deliver(file);
}

void InstanceServer::Accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(*socket); });
        QTimer::singleShot(kSilentClientMs, socket, [socket] { socket->abort(); });
        if (socket->bytesAvailable() > 0) Read(*socket);
    }
}

void InstanceServer::Read(QLocalSocket& socket) {
    if (socket.bytesAvailable() < kHeader) return;
    const quint32 length = qFromBigEndian<quint32>(socket.peek(kHeader).constData());
    if (length > kLongestName) {
        socket.abort();
        return;
    }
    if (socket.bytesAvailable() < kHeader + qsizetype(length)) return;
    socket.read(kHeader);
    const QString file = QFile::decodeName(socket.read(length));
    socket.write(&kAccepted, 1);
    socket.disconnectFromServer();
    // Delivered from the event loop, not inside this socket's signal: opening may ask a
    // question, whose own event loop must not run inside the socket's handler.
    QTimer::singleShot(0, this, [this, file] {
        if (m_form == nullptr)
            m_early << file;
        else
            Deliver(file);
    });
}

void InstanceServer::Deliver(const QString& file) {
    if (m_window == nullptr) return;
    Raise(*m_window);
    if (QWidget* modal = QApplication::activeModalWidget()) Raise(*modal);
    if (file.isEmpty()) {
        TraceStartup(QStringLiteral("handed over"));
        return;
    }
    OpenWhenFree(file);
}

void InstanceServer::OpenWhenFree(const QString& file) {
    if (m_window == nullptr) return;
    // While a dialog or question is open, the page under it stays as it is; the file is
    // opened once the user has finished there.
    if (QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kBusyRetryMs, this, [this, file] { OpenWhenFree(file); });
        return;
    }
    Guarded([&] { m_form->OpenDocument(file, true); });
    TraceStartup(QStringLiteral("handed over: %1").arg(m_form->CurrentFileName()));
}

bool SendToRunningInstance(const QString& path, const QString& file, int timeoutMs) {
    const QByteArray name = QFile::encodeName(file);
    QByteArray request(kHeader, '\0');
    qToBigEndian<quint32>(quint32(name.size()), request.data());
    request += name;

    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return int(std::max<qint64>(1, timeoutMs - clock.elapsed())); };
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(left())) {
            socket.write(request);
            socket.flush();
            while (socket.bytesAvailable() < 1 && !clock.hasExpired(timeoutMs) &&
                   socket.waitForReadyRead(left())) {
            }
            char answer = 0;
            return socket.getChar(&answer) && answer == kAccepted;
        }
        if (clock.hasExpired(timeoutMs)) return false;
        QThread::msleep(100);
    }
}

}  // namespace quinkle

#include "app/instancechannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace pw {

namespace {
constexpr int kTimeoutMs = 2000;
constexpr int kRetryMs = 50;
constexpr qint64 kMessageLimit = 16 * 1024 * 1024;
} // namespace

InstanceChannel::InstanceChannel(const QString& key, QObject* parent)
    : QObject(parent), m_key(key), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
}

bool InstanceChannel::Listen()
{
    // Only the holder of the instance lock gets here, so a socket left by a crash is stale.
    QLocalServer::removeServer(m_key);
    if (!m_server->listen(m_key))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            auto* buffer = new QByteArray;
            connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] {
                buffer->append(socket->readAll());
                if (buffer->size() > kMessageLimit)
                    socket->abort();
            });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
                buffer->append(socket->readAll());
                QStringList paths;
                for (const QByteArray& line : buffer->split('\n'))
                    if (!line.isEmpty())
                        paths << QString::fromUtf8(line);
                delete buffer;
                socket->deleteLater();
                if (!paths.isEmpty())
                    emit PathsReceived(paths);
            });
        }
    });
    return true;
}

bool InstanceChannel::Send(const QString& key, const QStringList& paths)
{
    // The first copy takes the lock before its window is built and listens only after: a start
    // in between finds no one yet and tries again for a while.
    QLocalSocket socket;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        socket.connectToServer(key);
        if (socket.waitForConnected(kTimeoutMs))
            break;
        if (clock.elapsed() >= kTimeoutMs)
            return false;
        QThread::msleep(kRetryMs);
    }
    QByteArray message;
    for (const QString& path : paths)
        message += QDir::current().absoluteFilePath(path).toUtf8() + '\n';
    socket.write(message);
    const bool sent = socket.waitForBytesWritten(kTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMs);
    return sent;
}

} // namespace pw

#include "adapters/instance/instanceguard.h"

#include <QByteArray>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

#include <unistd.h>

namespace quiz
{

namespace
{

constexpr int connectTimeoutMs = 300;
constexpr int writeTimeoutMs = 1000;
const QByteArray closePrefix = QByteArrayLiteral("close:");

QString qPath(const std::string &path)
{
    return QString::fromStdString(path);
}

QByteArray frame(const QByteArray &text)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(text.size()), out.data());
    return out + text;
}

} // namespace

std::string instanceSocketPath(const std::string &runtimeDir, unsigned uid)
{
    const std::string folder = runtimeDir.empty() ? QDir::tempPath().toStdString() : runtimeDir;
    return folder + "/talvix-quiz-" + std::to_string(uid);
}

std::string instanceSocketPath(const std::string &runtimeDir)
{
    return instanceSocketPath(runtimeDir, static_cast<unsigned>(::getuid()));
}

// What the server's connections share with the guard that made them.
struct InstanceListener {
    std::function<void(const std::string &)> onCloseRequest;
    bool active = true;
};

namespace
{

void readRequests(QLocalSocket *socket, const std::shared_ptr<InstanceListener> &listener);

void acceptConnections(QLocalServer *server, const std::shared_ptr<InstanceListener> &listener)
{
    while (server->hasPendingConnections()) {
        QLocalSocket *socket = server->nextPendingConnection();
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [socket, listener] { readRequests(socket, listener); });
        if (socket->bytesAvailable() > 0)
            readRequests(socket, listener);
    }
}

void readRequests(QLocalSocket *socket, const std::shared_ptr<InstanceListener> &listener)
{
    QByteArray buffer = socket->property("pending").toByteArray() + socket->readAll();
    QList<std::string> titles;
    while (buffer.size() >= 4) {
        const quint32 length = qFromBigEndian<quint32>(buffer.constData());
        if (static_cast<quint64>(buffer.size()) < 4ull + length)
            break;
        const QByteArray text = buffer.mid(4, static_cast<qsizetype>(length));
        buffer.remove(0, 4 + static_cast<qsizetype>(length));
        if (text.startsWith(closePrefix))
            titles.append(text.mid(closePrefix.size()).toStdString());
    }
    socket->setProperty("pending", buffer);
    // The handler may stop listening or end the run: everything read is
    // settled before it is called, and it is not called once stopped.
    const auto keep = listener;
    for (const std::string &title : titles)
        if (keep->active && keep->onCloseRequest)
            keep->onCloseRequest(title);
}

} // namespace

InstanceGuard::InstanceGuard(std::string socketPath) : socketPath_(std::move(socketPath)) {}

InstanceGuard::~InstanceGuard()
{
    stopListening();
}

bool InstanceGuard::listening() const
{
    return server_ && server_->isListening();
}

bool InstanceGuard::anotherInstanceRunning()
{
    if (listening())
        return false;
    QLocalSocket probe;
    probe.connectToServer(qPath(socketPath_));
    const bool answered = probe.waitForConnected(connectTimeoutMs);
    probe.abort();
    return answered;
}

bool InstanceGuard::askOthersToClose(const std::string &title)
{
    if (listening())
        return false;
    QLocalSocket socket;
    socket.connectToServer(qPath(socketPath_));
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(frame(closePrefix + QByteArray::fromStdString(title)));
    bool sent = true;
    while (sent && socket.bytesToWrite() > 0)
        sent = socket.waitForBytesWritten(writeTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

bool InstanceGuard::listen(std::function<void(const std::string &)> onCloseRequest)
{
    stopListening();
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(qPath(socketPath_))) {
        // A socket left by an instance that died, or held by one that did not
        // close in time: the newest instance is the one that answers.
        QLocalServer::removeServer(qPath(socketPath_));
        if (!server->listen(qPath(socketPath_)))
            return false;
    }
    listener_ = std::make_shared<InstanceListener>();
    listener_->onCloseRequest = std::move(onCloseRequest);
    server_ = server.release();
    QObject::connect(server_, &QLocalServer::newConnection, server_,
                     [server = server_, listener = listener_] { acceptConnections(server, listener); });
    return true;
}

void InstanceGuard::stopListening()
{
    if (listener_) {
        listener_->active = false;
        listener_.reset();
    }
    if (server_) {
        server_->close();
        server_->disconnect();
        server_->deleteLater(); // its connections with it
        server_ = nullptr;
    }
}

} // namespace quiz

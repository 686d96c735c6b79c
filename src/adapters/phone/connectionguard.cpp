#include "adapters/phone/connectionguard.h"

#include <QTcpSocket>

namespace quiz
{

ConnectionGuard::ConnectionGuard(Limits limits, QObject *parent) : QTcpServer(parent), limits_(limits)
{
    sweep_.setInterval(500);
    QObject::connect(&sweep_, &QTimer::timeout, this, [this] { sweep(); });
    sweep_.start();
}

void ConnectionGuard::incomingConnection(qintptr handle)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    const QString peer = socket->peerAddress().toString();
    if (perAddress_[peer] >= limits_.perAddress) {
        drop(socket, "503 Service Unavailable");
        return;
    }
    ++perAddress_[peer];
    Connection &c = connections_[socket];
    c.peer = peer;
    c.since.start();
    // Connected before the HTTP server's own reader: this one counts the
    // bytes while they are still unread.
    QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received(socket); });
    QObject::connect(socket, &QTcpSocket::disconnected, this, [this, socket] { release(socket); });
    addPendingConnection(socket);
}

void ConnectionGuard::received(QTcpSocket *socket)
{
    const auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    Connection &c = it->second;
    if (!c.inRequest) {
        c.inRequest = true;
        c.requestBytes = 0;
        c.since.start();
    }
    c.requestBytes += socket->bytesAvailable();
    if (c.requestBytes > limits_.maxRequest)
        drop(socket, "413 Content Too Large");
}

void ConnectionGuard::answered(QTcpSocket *socket)
{
    const auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    it->second.inRequest = false;
    it->second.since.start();
}

void ConnectionGuard::release(QTcpSocket *socket)
{
    const auto it = connections_.find(socket);
    if (it == connections_.end())
        return;
    if (--perAddress_[it->second.peer] <= 0)
        perAddress_.erase(it->second.peer);
    connections_.erase(it);
    QObject::disconnect(socket, nullptr, this, nullptr);
}

void ConnectionGuard::sweep()
{
    std::vector<QTcpSocket *> late;
    for (const auto &[socket, c] : connections_)
        if (c.since.elapsed() > 1000LL * (c.inRequest ? limits_.requestSeconds : limits_.idleSeconds))
            late.push_back(socket);
    for (QTcpSocket *socket : late)
        drop(socket, connections_[socket].inRequest ? "408 Request Timeout" : nullptr);
}

void ConnectionGuard::drop(QTcpSocket *socket, const char *status)
{
    release(socket);
    if (status) // a one-line answer, then the connection ends
        socket->write(QByteArray("HTTP/1.1 ") + status +
                      "\r\nContent-Type: text/plain\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    socket->readAll(); // nothing more of it is read
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    else
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

} // namespace quiz

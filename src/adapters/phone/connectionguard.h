#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>

#include <map>

class QTcpSocket;

namespace quiz
{

// The phone server's listening socket, with limits on what a connection may
// hold (docs/phone-voting.md, "Slow, idle and oversized"): a request must
// arrive whole within requestSeconds of its first byte and within maxRequest
// bytes; a kept-alive connection idle for idleSeconds is closed; one address
// holds at most perAddress connections at once. A connection the server
// hands to its WebSocket (release()) leaves the guard: WebSockets have
// their own limits.
class ConnectionGuard : public QTcpServer
{
  public:
    struct Limits {
        int requestSeconds = 10;
        int idleSeconds = 30;
        qint64 maxRequest = 16 * 1024;
        int perAddress = 256;
    };

    explicit ConnectionGuard(Limits limits, QObject *parent = nullptr);

    // The server answered a request of this connection (its next may start).
    void answered(QTcpSocket *socket);
    // The connection became a WebSocket: no longer guarded.
    void release(QTcpSocket *socket);
    int guarded() const { return static_cast<int>(connections_.size()); }

  protected:
    void incomingConnection(qintptr handle) override;

  private:
    struct Connection {
        QString peer;
        QElapsedTimer since; // the request's first byte, or the last answer
        bool inRequest = false;
        qint64 requestBytes = 0;
    };
    void received(QTcpSocket *socket);
    void sweep();
    void drop(QTcpSocket *socket, const char *status);

    Limits limits_;
    QTimer sweep_;
    std::map<QTcpSocket *, Connection> connections_;
    std::map<QString, int> perAddress_;
};

} // namespace quiz

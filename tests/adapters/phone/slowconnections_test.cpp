// Slow and oversized connections against the phone server: 500 connections
// trickling a byte a second (from another loopback address) are closed by
// the server while 100 phones join and vote as usual; an oversized request is
// refused with 413 before it is read whole.

#include "core/common/fileutil.h"
#include "phoneclient.h"
#include "support/wait.h"

#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace quiz
{
namespace
{

TEST(PhoneSlowConnections, AreClosedAndHoldUpNobody)
{
    test::TestFolder data;
    test::copyDemo(data.path(), {"q1.tlx"});
    PhoneServer::Options options = test::phoneEvening(data);
    options.limits.requestSeconds = 2;
    options.joinsPerMinute = 100; // the phones share 127.0.0.1
    PhoneServer server(options);
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();

    std::vector<std::unique_ptr<QTcpSocket>> slow;
    int closedByServer = 0, timedOut = 0, refused = 0;
    for (int i = 0; i < 500; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        QTcpSocket *s = socket.get();
        s->bind(QHostAddress("127.0.0.2"));
        QObject::connect(s, &QTcpSocket::disconnected, [&, s] {
            ++closedByServer;
            const QByteArray answer = s->readAll();
            timedOut += answer.startsWith("HTTP/1.1 408") ? 1 : 0;
            refused += answer.startsWith("HTTP/1.1 503") ? 1 : 0;
        });
        s->connectToHost(QHostAddress::LocalHost, server.port());
        slow.push_back(std::move(socket));
    }
    const QByteArray trickle = "POST /api/join HTTP/1.1\r\nHost: x\r\nContent-Length: 40\r\n\r\n";
    int sent = 0;
    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&] {
        for (auto &s : slow)
            if (s->state() == QAbstractSocket::ConnectedState)
                s->write(trickle.mid(sent % trickle.size(), 1));
        ++sent;
    });
    second.start(1000);

    int pending = 0, accepted = 0;
    const auto call = [&](const QString &path, const QString &token, const QJsonObject &body,
                          std::function<void(const QJsonObject &)> then) {
        ++pending;
        test::sendThen(server.port(), "POST", path, token, QJsonDocument(body).toJson(),
                       [&, then](const test::HttpAnswer &answer) {
                           --pending;
                           if (answer.status == 200)
                               then(answer.body);
                       });
    };
    call("/api/presenter/open", "presenter-secret", {{"question", "q1.tlx"}}, [](const QJsonObject &) {});
    ASSERT_TRUE(test::waitUntil([&] { return pending == 0; }, 60000));
    for (int i = 0; i < 100; ++i)
        call("/api/join", "", {{"code", "123456"}, {"name", QString("P%1").arg(i)}},
             [&](const QJsonObject &b) {
                 call("/api/answer", b.value("token").toString(), {{"vote", 1}, {"answer", "2"}},
                      [&](const QJsonObject &) { ++accepted; });
             });
    ASSERT_TRUE(test::waitUntil([&] { return pending == 0; }, 60000));
    EXPECT_EQ(accepted, 100);
    EXPECT_EQ(server.closeVote().status, 200);
    const std::string votes = readTextFile(data.str() + "/votes.rec").value_or("");
    EXPECT_NE(votes.find("\"" + QByteArray("2;").repeated(100).toStdString() + "\""), std::string::npos)
        << votes;

    // Every trickling connection is closed by the server: those over the
    // address's limit at once (503), the others when their request is late (408).
    ASSERT_TRUE(test::waitUntil([&] { return closedByServer == 500; }, 60000)) << closedByServer;
    EXPECT_EQ(timedOut + refused, 500);
    EXPECT_GE(timedOut, 256);

    QTcpSocket big;
    big.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(test::waitUntil([&] { return big.state() == QAbstractSocket::ConnectedState; }, 60000));
    big.write("POST /api/join HTTP/1.1\r\nX-Pad: " + QByteArray(20000, 'a'));
    ASSERT_TRUE(test::waitUntil([&] { return big.state() == QAbstractSocket::UnconnectedState; }, 60000));
    EXPECT_TRUE(big.readAll().startsWith("HTTP/1.1 413")) << "an oversized request is refused";
}

} // namespace
} // namespace quiz

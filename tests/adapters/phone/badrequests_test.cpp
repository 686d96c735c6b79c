// Refused requests to the phone server, sent over loopback to a server on a
// free port: each gets its status and one-line reason, and nothing of it is
// recorded (no record file, no answer, no participant).

#include "adapters/phone/phoneserver.h"
#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/controller/namescsv.h"
#include "core/votedata/voterecords.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QWebSocket>
#include <gtest/gtest.h>

#include <filesystem>

namespace quiz
{
namespace
{

struct Answer {
    int status = 0;
    QJsonObject body;
};

Answer send(quint16 port, const QByteArray &method, const QString &path, const QString &token,
            const QByteArray &body)
{
    static QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QString("http://127.0.0.1:%1%2").arg(port).arg(path)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    if (!token.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + token.toUtf8());
    QNetworkReply *reply = network.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                  QJsonDocument::fromJson(reply->readAll()).object()};
    reply->deleteLater();
    return answer;
}

class PhoneBadRequests : public test::RowTest
{
  protected:
    void SetUp() override
    {
        for (const char *file : {"q1.tlx", "q2.tlx", "q5.tlx"})
            std::filesystem::copy_file(std::string(QUIZ_DEMO_DIR) + "/" + file, data.path() / file);
        PhoneServer::Options options;
        options.address = QHostAddress::LocalHost;
        options.port = 0;
        options.dataFolder = QString::fromStdString(data.str());
        options.namesPath = QString::fromStdString(data.str() + "/names.csv");
        options.joinCode = "123456";
        options.presenterToken = "presenter-secret";
        server = std::make_unique<PhoneServer>(options);
        QString error;
        ASSERT_TRUE(server->start(&error)) << error.toStdString();
        const Answer joined =
            send(server->port(), "POST", "/api/join", "", R"({"code":"123456","name":"Ann"})");
        ASSERT_EQ(joined.status, 200);
        phone = joined.body.value("token").toString();
        ASSERT_EQ(send(server->port(), "POST", "/api/presenter/open", "presenter-secret",
                       R"({"question":"q1.tlx"})")
                      .body.value("vote"),
                  1);
    }

    test::TestFolder data;
    std::unique_ptr<PhoneServer> server;
    QString phone;
};

TEST_P(PhoneBadRequests, RefusedAndNothingRecorded)
{
    const test::Row &r = GetParam();
    const QString token = r[2] == "phone"       ? phone
                          : r[2] == "presenter" ? "presenter-secret"
                          : r[2] == "wrong"     ? "0123"
                                                : "";
    QByteArray body = QByteArray::fromStdString(r[3]);
    if (body == "{big}")
        body = R"({"code":"123456","name":")" + QByteArray(5000, 'a') + R"("})";
    const Answer answer =
        send(server->port(), QByteArray::fromStdString(r[0]), QString::fromStdString(r[1]), token, body);
    EXPECT_EQ(answer.status, r.num(4));
    EXPECT_EQ(answer.body.value("error").toString().toStdString(), r[5]);

    EXPECT_FALSE(FileExists(data.str() + "/votes.rec"));
    EXPECT_FALSE(FileExists(data.str() + "/response.rec"));
    EXPECT_EQ(server->participants().size(), 1u);
    const Answer state = send(server->port(), "GET", "/api/state", phone, {});
    EXPECT_EQ(state.body.value("vote").toObject().value("answer"), QJsonValue());
    EXPECT_TRUE(state.body.value("vote").toObject().value("open").toBool());
}
QUIZ_ROWS(PhoneBadRequests, "phonevote/badrequests.rows");

// Five wrong codes from one address within a minute: the right one is refused
// too, and nobody joins.
TEST_F(PhoneBadRequests, WrongCodesAreCounted)
{
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(send(server->port(), "POST", "/api/names", "", R"({"code":"000000"})").status, 403);
    EXPECT_EQ(send(server->port(), "POST", "/api/join", "", R"({"code":"123456","name":"Bob"})").status, 429);
    EXPECT_EQ(server->participants().size(), 1u);
    EXPECT_EQ(send(server->port(), "GET", "/qr.png", "", {}).status, 401); // it holds the code
}

// Records that cannot be written leave the vote open with its answers.
TEST_F(PhoneBadRequests, AVoteThatCannotBeRecordedStaysOpen)
{
    ASSERT_EQ(send(server->port(), "POST", "/api/answer", phone, R"({"vote":1,"answer":"3"})").status, 200);
    std::filesystem::create_directory(data.path() / "votes.rec"); // no file can be written there
    const Answer refused = send(server->port(), "POST", "/api/presenter/close", "presenter-secret", {});
    EXPECT_EQ(refused.status, 500);
    EXPECT_NE(refused.body.value("error").toString().indexOf("votes.rec"), -1);
    EXPECT_TRUE(server->voteOpen());
    // The presenter page says why until a close succeeds (a page loaded again too).
    const auto closeError = [&] {
        return send(server->port(), "GET", "/api/presenter/state", "presenter-secret", {})
            .body.value("closeError");
    };
    EXPECT_EQ(closeError(), refused.body.value("error"));
    std::filesystem::remove(data.path() / "votes.rec");
    EXPECT_EQ(send(server->port(), "POST", "/api/presenter/close", "presenter-secret", {}).status, 200);
    EXPECT_EQ(closeError(), QJsonValue());
    EXPECT_EQ(GetField(readTextFile(data.str() + "/votes.rec").value_or(""), 4), "3;");
}

// A question whose countdown is on closes its vote by itself, recorded.
TEST_F(PhoneBadRequests, TheCountdownClosesTheVote)
{
    std::string quick = readTextFile(data.str() + "/q2.tlx").value_or("");
    quick.replace(quick.find("30,#FALSE#"), 10, "1,#TRUE#");
    data.write("quick.tlx", quick);
    ASSERT_EQ(
        send(server->port(), "POST", "/api/presenter/open", "presenter-secret", R"({"question":"quick.tlx"})")
            .status,
        200);
    const QJsonObject vote =
        send(server->port(), "GET", "/api/state", phone, {}).body.value("vote").toObject();
    EXPECT_GT(vote.value("secondsLeft").toDouble(), 0.0);
    QEventLoop loop; // the vote's end, or the test's own limit
    QTimer check, limit;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (!server->voteOpen())
            loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    check.start(50);
    limit.start(10000);
    loop.exec();
    EXPECT_FALSE(server->voteOpen());
    EXPECT_NE(readTextFile(data.str() + "/votes.rec").value_or("").find("/quick.tlx,0,0,\"-;\","),
              std::string::npos);
}

// A removed participant's device no longer answers, the names file no longer
// lists them, and their keypad is not given again.
TEST_F(PhoneBadRequests, ARemovedParticipantIsGone)
{
    // Saved at the join, so that a controller started again keeps the keypad.
    EXPECT_EQ(readNamesCsv(readTextFile(data.str() + "/names.csv").value_or("")),
              (std::vector<Participant>{{"Ann", 1, 1}}));
    ASSERT_EQ(
        send(server->port(), "POST", "/api/presenter/remove", "presenter-secret", R"({"keypad":1})").status,
        200);
    EXPECT_EQ(send(server->port(), "POST", "/api/answer", phone, R"({"vote":1,"answer":"1"})").status, 401);
    EXPECT_EQ(readTextFile(data.str() + "/names.csv").value_or(""), "Keypad,Name,Weighting\r\n");
    EXPECT_EQ(send(server->port(), "POST", "/api/join", "", R"({"code":"123456","name":"Ann"})")
                  .body.value("keypad")
                  .toInt(),
              2);
}

// The show's slides open and close votes: a voting slide opens its question
// (closing the vote before it, recorded); leaving the slide closes it.
TEST_F(PhoneBadRequests, TheShowOpensAndClosesVotes)
{
    server->showSlide(3, "Q2.TLX", "Question 2");
    const QJsonObject vote =
        send(server->port(), "GET", "/api/state", phone, {}).body.value("vote").toObject();
    EXPECT_EQ(vote.value("title").toString(), "Question 2"); // the slide's title
    EXPECT_EQ(vote.value("text").toString(), "Which gas do plants take in?");
    EXPECT_EQ(send(server->port(), "POST", "/api/answer", phone, R"({"vote":2,"answer":"2"})").status, 200);
    server->showSlide(3, "Q2.TLX"); // the same slide again: the same vote
    EXPECT_TRUE(server->voteOpen());
    server->showSlide(4, "");
    EXPECT_FALSE(server->voteOpen());
    const std::vector<std::string> lines =
        split(readTextFile(data.str() + "/votes.rec").value_or(""), "\r\n");
    ASSERT_EQ(lines.size(), 3u); // q1 (closed by the show's vote), q2, and after the last line end
    EXPECT_EQ(GetField(lines[1], 1), data.str() + "/q2.tlx");
    EXPECT_EQ(GetField(lines[1], 2), "3");
    EXPECT_EQ(GetField(lines[1], 4), "2;");
}

// The WebSocket refuses a connection without a valid token; with one it
// pushes the state at once.
TEST_F(PhoneBadRequests, WebSocketWantsAToken)
{
    for (const QString &token : {QString("wrong"), phone}) {
        QWebSocket socket;
        QEventLoop loop;
        QString message;
        int closeCode = 0;
        QObject::connect(&socket, &QWebSocket::textMessageReceived, &loop, [&](const QString &text) {
            message = text;
            loop.quit();
        });
        QObject::connect(&socket, &QWebSocket::disconnected, &loop, [&] {
            closeCode = socket.closeCode();
            loop.quit();
        });
        socket.open(QUrl(QString("ws://127.0.0.1:%1/ws?token=%2").arg(server->port()).arg(token)));
        loop.exec();
        if (token == phone)
            EXPECT_EQ(QJsonDocument::fromJson(message.toUtf8()).object().value("name").toString(), "Ann");
        else
            EXPECT_EQ(closeCode, QWebSocketProtocol::CloseCodePolicyViolated);
    }
}

} // namespace
} // namespace quiz

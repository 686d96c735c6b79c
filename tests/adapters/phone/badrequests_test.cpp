// Refused requests to the phone server, sent over loopback to a server on a
// free port: each gets its status and one-line reason, and nothing of it is
// recorded (no record file, no answer, no participant).

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/controller/namescsv.h"
#include "core/votedata/voterecords.h"
#include "phoneclient.h"
#include "support/rows.h"
#include "support/wait.h"

#include <QWebSocket>
#include <gtest/gtest.h>

namespace quiz
{
namespace
{

const QString presenter = "presenter-secret";

class PhoneBadRequests : public test::RowTest
{
  protected:
    void SetUp() override
    {
        test::copyDemo(data.path(), {"q1.tlx", "q2.tlx", "q5.tlx"});
        PhoneServer::Options options = test::phoneEvening(data);
        options.namesPath = QString::fromStdString(data.str() + "/names.csv");
        server = std::make_unique<PhoneServer>(options);
        QString error;
        ASSERT_TRUE(server->start(&error)) << error.toStdString();
        const test::HttpAnswer joined = send("POST", "/api/join", "", test::joinBody("Ann"));
        ASSERT_EQ(joined.status, 200);
        phone = joined.body.value("token").toString();
        ASSERT_EQ(
            send("POST", "/api/presenter/open", presenter, R"({"question":"q1.tlx"})").body.value("vote"), 1);
    }
    test::HttpAnswer send(const QByteArray &method, const QString &path, const QString &token,
                          const QByteArray &body = {})
    {
        return test::send(server->port(), method, path, token, body);
    }
    QJsonObject vote() { return send("GET", "/api/state", phone).body.value("vote").toObject(); }

    test::TestFolder data;
    std::unique_ptr<PhoneServer> server;
    QString phone;
};

TEST_P(PhoneBadRequests, RefusedAndNothingRecorded)
{
    const test::Row &r = GetParam();
    const QString token = r[2] == "phone"       ? phone
                          : r[2] == "presenter" ? presenter
                          : r[2] == "wrong"     ? "0123"
                                                : "";
    QByteArray body = QByteArray::fromStdString(r[3]);
    if (body == "{big}")
        body = test::joinBody(QByteArray(5000, 'a'));
    const test::HttpAnswer answer =
        send(QByteArray::fromStdString(r[0]), QString::fromStdString(r[1]), token, body);
    EXPECT_EQ(answer.status, r.num(4));
    EXPECT_EQ(answer.body.value("error").toString().toStdString(), r[5]);

    EXPECT_FALSE(FileExists(data.str() + "/votes.rec"));
    EXPECT_FALSE(FileExists(data.str() + "/response.rec"));
    EXPECT_EQ(server->participants().size(), 1u);
    EXPECT_EQ(vote().value("answer"), QJsonValue());
    EXPECT_TRUE(vote().value("open").toBool());
}
QUIZ_ROWS(PhoneBadRequests, "phonevote/badrequests.rows");

// Five wrong codes from one address within a minute: the right one is refused
// too, and nobody joins.
TEST_F(PhoneBadRequests, WrongCodesAreCounted)
{
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(send("POST", "/api/names", "", R"({"code":"000000"})").status, 403);
    EXPECT_EQ(send("POST", "/api/join", "", test::joinBody("Bob")).status, 429);
    EXPECT_EQ(server->participants().size(), 1u);
    EXPECT_EQ(send("GET", "/qr.png", "").status, 401); // it holds the code
}

// A question whose countdown is on closes its vote by itself, recorded.
TEST_F(PhoneBadRequests, TheCountdownClosesTheVote)
{
    std::string quick = readTextFile(data.str() + "/q2.tlx").value_or("");
    quick.replace(quick.find("30,#FALSE#"), 10, "1,#TRUE#");
    data.write("quick.tlx", quick);
    ASSERT_EQ(send("POST", "/api/presenter/open", presenter, R"({"question":"quick.tlx"})").status, 200);
    EXPECT_GT(vote().value("secondsLeft").toDouble(), 0.0);
    EXPECT_TRUE(test::waitUntil([&] { return !server->voteOpen(); }, 10000));
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
    ASSERT_EQ(send("POST", "/api/presenter/remove", presenter, R"({"keypad":1})").status, 200);
    EXPECT_EQ(send("POST", "/api/answer", phone, R"({"vote":1,"answer":"1"})").status, 401);
    EXPECT_EQ(readTextFile(data.str() + "/names.csv").value_or(""), "Keypad,Name,Weighting\r\n");
    EXPECT_EQ(send("POST", "/api/join", "", test::joinBody("Ann")).body.value("keypad").toInt(), 2);
}

// The show's slides open and close votes: a voting slide opens its question
// (closing the vote before it, recorded); leaving the slide closes it.
TEST_F(PhoneBadRequests, TheShowOpensAndClosesVotes)
{
    server->showSlide(3, "Q2.TLX", "Question 2");
    EXPECT_EQ(vote().value("title").toString(), "Question 2"); // the slide's title
    EXPECT_EQ(vote().value("text").toString(), "Which gas do plants take in?");
    EXPECT_EQ(send("POST", "/api/answer", phone, R"({"vote":2,"answer":"2"})").status, 200);
    server->showSlide(3, "Q2.TLX"); // the same slide again: the same vote
    EXPECT_TRUE(server->voteOpen());
    server->showSlide(4, "");
    EXPECT_FALSE(server->voteOpen());
    const std::vector<std::string> lines =
        split(readTextFile(data.str() + "/votes.rec").value_or(""), "\r\n");
    ASSERT_EQ(lines.size(), 3u); // q1 (closed by the show's vote), q2, and after the last line end
    EXPECT_EQ(GetField(lines[1], 1) + " slide " + GetField(lines[1], 2) + ": " + GetField(lines[1], 4),
              data.str() + "/q2.tlx slide 3: 2;");
}

// The WebSocket refuses a connection without a valid token; with one it
// pushes the state at once.
TEST_F(PhoneBadRequests, WebSocketWantsAToken)
{
    for (const QString &token : {QString("wrong"), phone}) {
        QWebSocket socket;
        QString message;
        int closeCode = 0;
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [&](const QString &text) { message = text; });
        QObject::connect(&socket, &QWebSocket::disconnected, [&] { closeCode = socket.closeCode(); });
        socket.open(QUrl(QString("ws://127.0.0.1:%1/ws?token=%2").arg(server->port()).arg(token)));
        ASSERT_TRUE(test::waitUntil([&] { return !message.isEmpty() || closeCode != 0; }, 10000));
        if (token == phone)
            EXPECT_EQ(QJsonDocument::fromJson(message.toUtf8()).object().value("name").toString(), "Ann");
        else
            EXPECT_EQ(closeCode, QWebSocketProtocol::CloseCodePolicyViolated);
    }
}

} // namespace
} // namespace quiz

// Faults of a phone evening. The serving controller (tlxctrl, a process of
// the test's own) is killed with SIGKILL while a vote is open and at varied
// moments of a close: the records hold whole lines only, every close that was
// answered is on disk, and each restart knows the phones by their tokens.
// The device keys file found damaged; an answer sent again; a close that
// cannot be written.

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/controller/namescsv.h"
#include "core/phonevote/devicekeys.h"
#include "core/votedata/voterecords.h"
#include "phoneclient.h"
#include "support/childprocess.h"
#include "support/rows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iostream>
#include <signal.h>
#include <thread>

namespace quiz
{
namespace
{

// One request over loopback on a connection of its own, each wait at most
// 10 s; afterSend runs once it is sent, before the answer is read.
test::HttpAnswer request(quint16 port, const QByteArray &method, const QByteArray &path,
                         const QByteArray &token, const QByteArray &body,
                         const std::function<void()> &afterSend = {})
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write(method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + token +
                 "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    if (!socket.waitForConnected(10000) || !socket.waitForBytesWritten(10000))
        return {};
    if (afterSend)
        afterSend();
    QByteArray got;
    const auto whole = [&] { // the head and as much body as it says
        const qsizetype head = got.indexOf("\r\n\r\n"), at = got.toLower().indexOf("content-length:");
        return head > 0 && at > 0 &&
               got.size() >= head + 4 + got.mid(at + 15, got.indexOf('\r', at) - at - 15).trimmed().toInt();
    };
    while (!whole() && socket.waitForReadyRead(10000))
        got += socket.readAll();
    if (!whole() || !got.startsWith("HTTP/1.1 "))
        return {};
    return {got.mid(9, 3).toInt(), QJsonDocument::fromJson(got.mid(got.indexOf("\r\n\r\n") + 4)).object()};
}

// tlxctrl serving the data folder on a free loopback port, ended by its id only.
struct Controller {
    explicit Controller(QString data) : data(std::move(data)) {}
    ~Controller()
    {
        process.terminate();
        process.waitForFinished(10000);
    }
    bool start() // the port read from "phones join at http://127.0.0.1:PORT/"
    {
        process.setReadChannel(QProcess::StandardError);
        process.start(QUIZ_BINARY_DIR "/tools/tlxctrl/tlxctrl",
                      {"--serve", "127.0.0.1:0", "--data", data, "--socket", data + "/../c.sock",
                       "--join-code", "123456", "--presenter-token", "presenter-secret", "--log",
                       data + "/../log"});
        const QRegularExpression said("phones join at http://127.0.0.1:(\\d+)/");
        QByteArray text;
        while (!said.match(text).hasMatch() && process.waitForReadyRead(20000))
            text += process.readAllStandardError();
        port = static_cast<quint16>(said.match(text).captured(1).toInt());
        return port != 0;
    }
    void killHard() // SIGKILL to its own id
    {
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(10000);
    }
    QString data;
    QProcess process;
    quint16 port = 0;
};

// The lines of a record file, each checked whole: ended, and read back by
// the record reader with its three keypads.
std::vector<std::string> wholeLines(const std::string &path, bool votes)
{
    const std::string text = readTextFile(path).value_or("");
    EXPECT_TRUE(text.empty() || text.back() == '\n') << path << " ends in a cut line";
    std::vector<std::string> result;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = text.substr(at, end - at + 1);
        const VoteRecords read =
            votes ? VoteRecords::fromContent(&line, nullptr) : VoteRecords::fromContent(nullptr, &line);
        const std::string *entries =
            votes ? &read.answers(GetField(line, 1)) : read.responseText(GetField(line, 1));
        EXPECT_EQ(entries ? SplitAnswerString(*entries).size() : 0u, votes ? 4u : 3u)
            << line; // votes: ";" after each
        result.push_back(line);
    }
    return result;
}

// The rows (phonevote/kills.rows) give the moment of each kill: "open"
// (answers taken, no close), or "close" and the microseconds from sending
// the close request to the kill. One data folder throughout.
TEST(KilledController, LosesNoClosedVoteAndKnowsEveryPhoneAgain)
{
    test::TestFolder folder;
    const std::string data = folder.str() + "/data";
    std::filesystem::create_directory(data);
    test::copyDemo(data, {"q1.tlx", "q2.tlx"});
    Controller controller(QString::fromStdString(data));
    ASSERT_TRUE(controller.start());
    const QByteArrayList names = {"Ann", "Bob", "Cy"};
    QByteArrayList tokens;
    for (const QByteArray &name : names)
        tokens += request(controller.port, "POST", "/api/join", "", test::joinBody(name))
                      .body.value("token")
                      .toString()
                      .toLatin1();
    const std::string keys = data + "/names.keys"; // written once the joins are saved
    std::string reason;
    ASSERT_TRUE(test::waitFor(
        [&] {
            return readDeviceKeys(readTextFile(keys).value_or(""), &reason)
                       .value_or(std::vector<DeviceKey>())
                       .size() == 3;
        },
        10));
    EXPECT_EQ(std::filesystem::status(keys).permissions(), std::filesystem::perms(0600));
    for (const QByteArray &token : tokens)
        EXPECT_EQ(readTextFile(keys)->find(token.toStdString()), std::string::npos); // the hash only

    int answered = 0, unanswered = 0;
    const std::vector<test::Row> rows = test::loadRows("phonevote/kills.rows");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        for (qsizetype k = 0; i > 0 && k < tokens.size(); ++k) { // started again: the token is enough
            ASSERT_TRUE(k > 0 || controller.start());
            const test::HttpAnswer state = request(controller.port, "GET", "/api/state", tokens[k], "");
            EXPECT_EQ(state.body.value("keypad").toInt(), k + 1);
            EXPECT_EQ(state.body.value("name").toString().toLatin1(), names[k]);
        }
        const QByteArray question = i % 2 ? "q2.tlx" : "q1.tlx";
        const int vote = request(controller.port, "POST", "/api/presenter/open", "presenter-secret",
                                 R"({"question":")" + question + R"("})")
                             .body.value("vote")
                             .toInt();
        std::string given;
        for (qsizetype k = 0; k < tokens.size(); ++k) {
            const QByteArray option = QByteArray::number((i + k) % 3 + 1);
            given += option.toStdString() + ";";
            ASSERT_EQ(request(controller.port, "POST", "/api/answer", tokens[k],
                              "{\"vote\":" + QByteArray::number(vote) + ",\"answer\":\"" + option + "\"}")
                          .status,
                      200);
        }
        const std::size_t before = wholeLines(data + "/votes.rec", true).size();
        test::HttpAnswer closed;
        if (rows[i][0] == "open")
            controller.killHard();
        else // the moment of the kill, varied by the rows (a moment, not a wait for anything)
            closed = request(controller.port, "POST", "/api/presenter/close", "presenter-secret", "", [&] {
                std::this_thread::sleep_for(std::chrono::microseconds(rows[i].num(1)));
                controller.killHard();
            });
        const std::vector<std::string> votes = wholeLines(data + "/votes.rec", true);
        wholeLines(data + "/response.rec", false);
        EXPECT_LE(votes.size(), before + (rows[i][0] == "open" ? 0 : 1)); // one line a close at most
        if (closed.status == 200) {
            ++answered;
            ASSERT_EQ(votes.size(), before + 1) << "a close answered is on disk";
            EXPECT_EQ(FileNamePart(GetField(votes.back(), 1)), question.toUpper().toStdString());
            EXPECT_EQ(GetField(votes.back(), 4), given);
        }
        unanswered += closed.status == 200 ? 0 : static_cast<int>(votes.size() - before);
    }
    ASSERT_TRUE(controller.start());
    EXPECT_EQ(request(controller.port, "POST", "/api/names", "", R"({"code":"123456"})").body.value("names"),
              QJsonValue(QJsonArray())); // every name is held by its phone still
    std::cout << "[ figures  ] " << rows.size() << " kills, " << answered
              << " closes answered before the kill, " << unanswered
              << " recorded but killed before answering\n";
}

// Evenings served in-process: requests go to api().
QString join(PhoneServer &server, const QByteArray &name)
{
    return server.api("POST", "/api/join", test::joinBody(name), "", "a").body.value("token").toString();
}

// The device keys file as a restarted controller finds it (rows:
// phonevote/devicekeys.rows): Ann's phone is known by its token again, or the
// file is logged and left alone and Ann picks her name from the list.
using DeviceKeysFile = test::RowTest;
TEST_P(DeviceKeysFile, KnowsThePhoneAgainOrLetsItJoinByName)
{
    const test::Row &r = GetParam();
    test::TestFolder data;
    std::string log;
    PhoneServer::Options options = test::phoneEvening(data, &log);
    options.namesPath = QString::fromStdString(data.str() + "/names.csv");
    QString ann;
    {
        PhoneServer first(options);
        ann = join(first, "Ann");
        join(first, "Bob");
        if (r[0] == "remove Bob")
            first.api("POST", "/api/presenter/remove", R"({"keypad":2})", "presenter-secret", "");
    } // saved at the latest as it ends
    std::string keys = data.read("names.keys");
    keys = r[0] == "cut"       ? keys.substr(0, keys.size() - r.num(1))
           : r[0] == "replace" ? replaceAll(keys, r[1], r[2])
                               : keys;
    data.write("names.keys", keys);
    if (r[0] == "missing")
        std::filesystem::remove(data.path() / "names.keys");
    options.listed = readNamesCsv(data.read("names.csv"));
    log.clear();
    PhoneServer again(options);
    EXPECT_EQ(again.api("GET", "/api/state", {}, ann, "a").status, r.flag(3) ? 200 : 401);
    EXPECT_NE(log.find(r[4]), std::string::npos) << log;
    const QJsonValue offered =
        again.api("POST", "/api/names", R"({"code":"123456"})", "", "a").body.value("names");
    EXPECT_EQ(offered.toArray().contains("Ann"), !r.flag(3));
}
QUIZ_ROWS(DeviceKeysFile, "phonevote/devicekeys.rows");

// Answers sent again, in the order of the rows (phonevote/resends.rows): an
// id taken already is acknowledged with the answer that counts and changes
// nothing; after the close it is acknowledged when it was taken before.
TEST(PhoneResend, AnAnswerSentAgainCountsOnce)
{
    test::TestFolder data;
    test::copyDemo(data.path(), {"q1.tlx"});
    PhoneServer server(test::phoneEvening(data));
    const QString ann = join(server, "Ann");
    server.api("POST", "/api/presenter/open", R"({"question":"q1.tlx"})", "presenter-secret", "");
    for (const test::Row &r : test::loadRows("phonevote/resends.rows")) {
        const bool close = r[0] == "close";
        const PhoneServer::Reply reply =
            close ? server.api("POST", "/api/presenter/close", {}, "presenter-secret", "")
                  : server.api("POST", "/api/answer", QByteArray::fromStdString(r[0]), ann, "a");
        EXPECT_EQ(reply.status, r.num(1)) << r.name;
        EXPECT_EQ((reply.status == 200 && !close ? reply.body.value("answer").toString() : reply.reason)
                      .toStdString(),
                  r[2])
            << r.name;
    }
    EXPECT_EQ(GetField(readTextFile(data.str() + "/votes.rec").value_or(""), 4), "3;");

    VoteSession vote; // the response time stays the first sending's
    vote.open(1, {"q.tlx", PhoneQuestionKind::Options, "T", "Q", {"a", "b"}, 0}, 0, 10.0);
    EXPECT_EQ(vote.answer(1, 1, "2", 12.5, 7), AnswerOutcome::Accepted);
    EXPECT_EQ(vote.answer(1, 1, "1", 20.0, 7), AnswerOutcome::Repeat);
    EXPECT_EQ(vote.record(1).responseSeconds[0], 2.5);
}

} // namespace
} // namespace quiz

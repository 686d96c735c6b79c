// Faults of a phone evening. The serving controller (tlxctrl, a process of
// the test's own) is killed with SIGKILL while a vote is open and at varied
// moments of a close: the records hold whole lines only, every close that was
// answered is on disk, and each restart knows the phones by their tokens.
// The device keys file found damaged; an answer sent again; a close that
// cannot be written.

#include "adapters/phone/phoneserver.h"
#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/controller/namescsv.h"
#include "core/phonevote/devicekeys.h"
#include "core/votedata/voterecords.h"
#include "support/childprocess.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quiz
{
namespace
{

struct Http {
    int status = 0; // 0: no answer (the controller died first)
    QJsonObject body;
};

// One request on a connection of its own over loopback (every wait bounded
// by 10 s); afterSend runs once the request is sent, before the answer is read.
Http request(quint16 port, const std::string &method, const std::string &path, const std::string &token,
             const std::string &body, const std::function<void()> &afterSend = {})
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval limit{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string text = method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" +
                       (token.empty() ? "" : "Authorization: Bearer " + token + "\r\n") +
                       "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
                       "\r\n\r\n" + body;
    Http answer;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to) == 0 &&
        ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size())) {
        if (afterSend)
            afterSend();
        std::string got; // the head, then as much body as it says
        char buffer[4096];
        std::size_t head = std::string::npos, length = 0;
        for (ssize_t n; (head == std::string::npos || got.size() < head + 4 + length) &&
                        (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
            got.append(buffer, static_cast<size_t>(n));
            if (head == std::string::npos && (head = got.find("\r\n\r\n")) != std::string::npos) {
                const std::size_t field = toLower(got.substr(0, head)).find("content-length:");
                length = field == std::string::npos ? 0 : std::stoul(got.substr(field + 15));
            }
        }
        if (got.rfind("HTTP/1.1 ", 0) == 0 && head != std::string::npos && got.size() >= head + 4 + length) {
            answer.status = std::stoi(got.substr(9, 3));
            answer.body = QJsonDocument::fromJson(QByteArray::fromStdString(got.substr(head + 4))).object();
        }
    }
    ::close(fd);
    return answer;
}

// tlxctrl serving a data folder on a free loopback port; ended by its id only.
class Controller
{
  public:
    Controller(std::string data, std::string socket) : data_(std::move(data)), socket_(std::move(socket)) {}
    ~Controller()
    {
        if (pid_ > 0 && ::kill(pid_, SIGTERM) == 0)
            ::waitpid(pid_, nullptr, 0);
        end();
    }
    // Starts it and reads its port from "phones join at http://127.0.0.1:PORT/".
    bool start()
    {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0)
            return false;
        if ((pid_ = ::fork()) == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::dup2(out[1], STDERR_FILENO);
            const std::string program = std::string(QUIZ_BINARY_DIR) + "/tools/tlxctrl/tlxctrl";
            const std::string log = data_ + "/../controller.log";
            ::execl(program.c_str(), program.c_str(), "--serve", "127.0.0.1:0", "--data", data_.c_str(),
                    "--socket", socket_.c_str(), "--join-code", "123456", "--presenter-token",
                    "presenter-secret", "--log", log.c_str(), static_cast<char *>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        stderr_ = out[0];
        std::string said;
        const std::string mark = "phones join at http://127.0.0.1:";
        pollfd wait{stderr_, POLLIN, 0};
        char buffer[512];
        while (said.find(mark) == std::string::npos ||
               said.find('/', said.find(mark) + mark.size()) == std::string::npos) {
            ssize_t n = 0;
            if (::poll(&wait, 1, 20000) <= 0 || (n = ::read(stderr_, buffer, sizeof buffer)) <= 0)
                return false;
            said.append(buffer, static_cast<size_t>(n));
        }
        port = static_cast<quint16>(std::stoi(said.substr(said.find(mark) + mark.size())));
        return true;
    }
    void killHard() // SIGKILL to its own id, then reaped
    {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
        end();
    }
    quint16 port = 0;

  private:
    void end()
    {
        if (stderr_ >= 0)
            ::close(stderr_);
        stderr_ = -1;
    }
    std::string data_, socket_;
    pid_t pid_ = -1;
    int stderr_ = -1;
};

std::vector<std::string> lines(const std::string &path)
{
    const std::string text = readTextFile(path).value_or("");
    std::vector<std::string> result;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        result.push_back(text.substr(at, end - at + 1));
    EXPECT_TRUE(text.empty() || text.back() == '\n') << path << " ends in a cut line";
    return result;
}

// Every line of votes.rec and response.rec is whole and read back by the record reader.
void expectWholeLines(const std::vector<std::string> &votes, const std::vector<std::string> &responses)
{
    for (const std::string &line : votes) {
        const VoteRecords read = VoteRecords::fromContent(&line, nullptr);
        EXPECT_EQ(SplitAnswerString(read.answers(GetField(line, 1))).size(), 4u)
            << line; // ";" after each of 3
    }
    for (const std::string &line : responses) {
        const VoteRecords read = VoteRecords::fromContent(nullptr, &line);
        ASSERT_NE(read.responseText(GetField(line, 1)), nullptr) << line;
        EXPECT_EQ(split(*read.responseText(GetField(line, 1)), ";").size(), 3u) << line;
    }
}

// The rows (phonevote/kills.rows) give the moment of each kill: "open"
// (answers taken, no close), or "close" and the microseconds from sending
// the close request to the kill. One data folder throughout.
TEST(KilledController, LosesNoClosedVoteAndKnowsEveryPhoneAgain)
{
    test::TestFolder folder;
    const std::string data = folder.str() + "/data";
    std::filesystem::create_directory(data);
    for (const char *file : {"q1.tlx", "q2.tlx"})
        std::filesystem::copy_file(std::string(QUIZ_DEMO_DIR) + "/" + file, data + "/" + file);
    Controller controller(data, folder.str() + "/controller.sock");
    ASSERT_TRUE(controller.start());
    const std::vector<std::string> names = {"Ann", "Bob", "Cy"};
    std::vector<std::string> tokens;
    for (const std::string &name : names) {
        const Http joined = request(controller.port, "POST", "/api/join", "",
                                    R"({"code":"123456","name":")" + name + R"("})");
        ASSERT_EQ(joined.status, 200);
        tokens.push_back(joined.body.value("token").toString().toStdString());
    }
    const std::string keysPath = data + "/names.keys";
    std::string reason;
    ASSERT_TRUE(test::waitFor(
        [&] {
            return readDeviceKeys(readTextFile(keysPath).value_or(""), &reason)
                       .value_or(std::vector<DeviceKey>())
                       .size() == 3;
        },
        10));
    struct stat keys {
    };
    ASSERT_EQ(::stat(keysPath.c_str(), &keys), 0);
    EXPECT_EQ(keys.st_mode & 0777, 0600u);
    for (const std::string &token : tokens)
        EXPECT_EQ(readTextFile(keysPath)->find(token), std::string::npos); // the hash only

    int closesAnswered = 0, linesUnanswered = 0;
    const std::vector<test::Row> rows = test::loadRows("phonevote/kills.rows");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        if (i > 0) {
            ASSERT_TRUE(controller.start());
            for (std::size_t k = 0; k < tokens.size(); ++k) { // no join: the token is enough
                const Http state = request(controller.port, "GET", "/api/state", tokens[k], "");
                EXPECT_EQ(state.status, 200);
                EXPECT_EQ(state.body.value("keypad").toInt(), static_cast<int>(k) + 1);
                EXPECT_EQ(state.body.value("name").toString().toStdString(), names[k]);
            }
        }
        const std::string question = i % 2 ? "q2.tlx" : "q1.tlx";
        const Http opened = request(controller.port, "POST", "/api/presenter/open", "presenter-secret",
                                    R"({"question":")" + question + R"("})");
        ASSERT_EQ(opened.status, 200);
        std::string expected;
        for (std::size_t k = 0; k < tokens.size(); ++k) {
            const std::string option = std::to_string((i + k) % 3 + 1);
            expected += option + ";";
            ASSERT_EQ(request(controller.port, "POST", "/api/answer", tokens[k],
                              R"({"vote":)" + std::to_string(opened.body.value("vote").toInt()) +
                                  R"(,"answer":")" + option + R"("})")
                          .status,
                      200);
        }
        const std::size_t before = lines(data + "/votes.rec").size();
        Http closed;
        if (rows[i][0] == "open") {
            controller.killHard();
        } else {
            closed = request(controller.port, "POST", "/api/presenter/close", "presenter-secret", "", [&] {
                // The moment of the kill, varied by the rows (not a wait for anything).
                std::this_thread::sleep_for(std::chrono::microseconds(rows[i].num(1)));
                controller.killHard();
            });
        }
        const std::vector<std::string> votes = lines(data + "/votes.rec");
        expectWholeLines(votes, lines(data + "/response.rec"));
        EXPECT_LE(votes.size(), before + 1); // one line a close at most
        if (closed.status == 200) {
            ++closesAnswered;
            ASSERT_EQ(votes.size(), before + 1) << "a close answered is on disk";
            EXPECT_EQ(FileNamePart(GetField(votes.back(), 1)), FileNamePart(question));
            EXPECT_EQ(GetField(votes.back(), 4), expected);
        } else if (rows[i][0] == "open") {
            EXPECT_EQ(votes.size(), before);
        } else {
            linesUnanswered += static_cast<int>(votes.size() - before);
        }
    }
    ASSERT_TRUE(controller.start());
    EXPECT_EQ(request(controller.port, "POST", "/api/names", "", R"({"code":"123456"})").body.value("names"),
              QJsonValue(QJsonArray())); // every name is held by its phone still
    std::cout << "[ figures  ] " << rows.size() << " kills, " << closesAnswered << " closes answered before "
              << "the kill, " << linesUnanswered << " recorded but killed before answering\n";
}

// The device keys file as a restarted controller finds it (rows:
// phonevote/devicekeys.rows): Ann's phone is known by its token again, or the
// file is logged and left alone and Ann picks her name from the list.
using DeviceKeysFile = test::RowTest;
TEST_P(DeviceKeysFile, KnowsThePhoneAgainOrLetsItJoinByName)
{
    const test::Row &r = GetParam();
    test::TestFolder data;
    PhoneServer::Options options;
    options.dataFolder = QString::fromStdString(data.str());
    options.namesPath = QString::fromStdString(data.str() + "/names.csv");
    options.joinCode = "123456";
    options.presenterToken = "presenter-secret";
    std::string log;
    options.log = [&](const std::string &line) { log += line + "\n"; };
    QString ann;
    {
        PhoneServer first(options);
        ann = first.api("POST", "/api/join", R"({"code":"123456","name":"Ann"})", "", "a")
                  .body.value("token")
                  .toString();
        first.api("POST", "/api/join", R"({"code":"123456","name":"Bob"})", "", "a");
        if (r[0] == "remove Bob")
            first.api("POST", "/api/presenter/remove", R"({"keypad":2})", "presenter-secret", "");
    } // saved at the latest as it ends
    std::string keys = data.read("names.keys");
    if (r[0] == "cut")
        keys.resize(keys.size() - static_cast<std::size_t>(r.num(1)));
    else if (r[0] == "replace")
        keys = replaceAll(keys, r[1], r[2]);
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

// A phone that never heard the acknowledgement sends its answer again with
// the same id: acknowledged, counted once, its response time kept; after the
// close it is acknowledged when it was taken and refused when it was not.
TEST(PhoneResend, AnAnswerSentAgainCountsOnce)
{
    test::TestFolder data;
    std::filesystem::copy_file(std::string(QUIZ_DEMO_DIR) + "/q1.tlx", data.path() / "q1.tlx");
    PhoneServer::Options options;
    options.dataFolder = QString::fromStdString(data.str());
    options.joinCode = "123456";
    options.presenterToken = "presenter-secret";
    PhoneServer server(options);
    const QString ann = server.api("POST", "/api/join", R"({"code":"123456","name":"Ann"})", "", "a")
                            .body.value("token")
                            .toString();
    ASSERT_EQ(
        server.api("POST", "/api/presenter/open", R"({"question":"q1.tlx"})", "presenter-secret", "").status,
        200);
    const struct {
        const char *body; // "close": the presenter closes the vote
        int status;
        const char *reply; // the answer acknowledged, or the reason refused
    } steps[] = {
        {R"({"vote":1,"answer":"2","id":1})", 200, "2"},
        {R"({"vote":1,"answer":"3","id":1})", 200, "2"}, // id 1 again: taken already
        {R"({"vote":1,"answer":"3","id":3})", 200, "3"},
        {R"({"vote":1,"answer":"1","id":2})", 200, "3"}, // an older one, late
        {R"({"vote":1,"question":"q2.tlx","answer":"1","id":4})", 409,
         "this answer is for another question: it was not counted"},
        {"close", 200, ""},
        {R"({"vote":1,"answer":"4","id":3})", 200, "3"}, // taken before the close
        {R"({"vote":1,"answer":"4","id":4})", 409, "this vote has closed: the answer was not counted"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.body);
        if (std::string(step.body) == "close") {
            ASSERT_EQ(server.api("POST", "/api/presenter/close", {}, "presenter-secret", "").status, 200);
            continue;
        }
        const PhoneServer::Reply reply = server.api("POST", "/api/answer", step.body, ann, "a");
        EXPECT_EQ(reply.status, step.status);
        EXPECT_EQ((reply.status == 200 ? reply.body.value("answer").toString() : reply.reason).toStdString(),
                  step.reply);
    }
    EXPECT_EQ(GetField(readTextFile(data.str() + "/votes.rec").value_or(""), 4), "3;");

    VoteSession vote; // the response time is the first sending's
    vote.open(1, {"q.tlx", PhoneQuestionKind::Options, "T", "Q", {"a", "b"}, 0}, 0, 10.0);
    EXPECT_EQ(vote.answer(1, 1, "2", 12.5, 7), AnswerOutcome::Accepted);
    EXPECT_EQ(vote.answer(1, 1, "1", 20.0, 7), AnswerOutcome::Repeat);
    EXPECT_EQ(vote.record(1).responseSeconds[0], 2.5);
}

} // namespace
} // namespace quiz

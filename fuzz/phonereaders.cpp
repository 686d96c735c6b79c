// The phone controller's readers of network input, fed the way requests
// reach them (adapters/phone/phonerequest.h) and checked against the rules of
// docs/phone-voting.md.
#include "readers.h"

#include "adapters/phone/phonerequest.h"
#include "adapters/phone/phoneserver.h"
#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/controller/namescsv.h"
#include "core/phonevote/phonequestion.h"
#include "core/phonevote/roster.h"
#include "core/phonevote/votesession.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace quiz::fuzz
{

namespace
{

namespace fs = std::filesystem;

const char *const kCode = "482916";
const char *const kPresenter = "0123456789abcdef0123456789abcdef";

void check(bool holds, const char *rule)
{
    if (!holds)
        throw std::logic_error(rule);
}

QByteArray bytes(std::string_view input)
{
    return QByteArray(input.data(), static_cast<qsizetype>(input.size()));
}

PhoneQuestion fourOptions()
{
    return readPhoneQuestion("q1.tlx",
                             "2,4,0,\"Planets\",\"Largest?\",\"Single\",\"Bar\",0,\"\"\r\n"
                             "\"Mercury\",0,0\r\n\"Venus\",0,0\r\n\"Earth\",0,0\r\n\"Jupiter\",0,0\r\n"
                             "\"Arial\",24,0\r\n\"Bar\",0,#TRUE#\r\n0,#FALSE#,0\r\n");
}

// A name as the roster keeps it: 1 to 40 code points of valid UTF-8, no
// control character, no comma, no blank at either end; kept again unchanged,
// and saved in the names file it reads back as given out.
void checkName(const std::string &raw)
{
    std::string reason;
    const std::optional<std::string> name = normalizeName(raw, &reason);
    if (!name) {
        check(!reason.empty() && reason.find('\n') == std::string::npos,
              "a refused name says why, on one line");
        return;
    }
    check(isValidUtf8(*name) && name->find(',') == std::string::npos, "a name is UTF-8 without commas");
    check(!name->empty() && *name == trim(*name), "a name has no blank at either end");
    check(normalizeName(*name, &reason) == name, "a kept name is kept again unchanged");
    Roster roster(kCode);
    const JoinResult first = roster.join(kCode, raw, std::string(32, 'a'));
    const JoinResult second = roster.join(kCode, raw, std::string(32, 'b'));
    check(first.refusal == JoinRefusal::None && first.name == *name, "a good name joins as kept");
    check(second.refusal == JoinRefusal::None && second.name == *name + " (2)", "a name held gets \" (2)\"");
    const std::vector<Participant> saved = readNamesCsv(formatNamesCsv(roster.participants()));
    check(saved == roster.participants(), "the names file gives every name back");
}

// A request body through the body and field readers of every request.
void readPhoneBody(std::string_view input)
{
    QString reason;
    const std::optional<QJsonObject> body = parseRequestBody(bytes(input), &reason);
    check(body || !reason.isEmpty(), "a refused body says why");
    check(!body || input.size() <= static_cast<size_t>(kMaxRequestBody), "a body over 4 KB is refused");
    if (!body)
        return;
    if (const auto join = parseJoinRequest(*body, &reason))
        checkName(join->name.toStdString());
    parseNamesRequest(*body, &reason);
    parseOpenRequest(*body, &reason);
    parseRemoveRequest(*body, &reason);
    if (const auto given = parseAnswerRequest(*body, &reason)) {
        VoteSession vote;
        vote.open(1, fourOptions(), 0, 0.0);
        const std::string text = given->answer.toStdString();
        const bool plain = text.size() == 1 && text[0] >= '1' && text[0] <= '4';
        const AnswerOutcome outcome = vote.answer(given->vote, 1, text, 1.0);
        check(given->vote != 1 || (outcome == AnswerOutcome::Accepted) == plain,
              "the open vote takes \"1\" to the option count, written plainly, and nothing else");
        check(given->vote == 1 || outcome == AnswerOutcome::NotOpen, "another vote's answer is not taken");
        check((vote.answerCount() == 1) == (outcome == AnswerOutcome::Accepted),
              "a refused answer counts nothing");
    }
}

// The Authorization header (the first line) and the request's address (the
// rest): the token the server takes from them.
void readPhoneToken(std::string_view input)
{
    const size_t end = std::min(input.find('\n'), input.size());
    const QByteArray header = bytes(input.substr(0, end));
    const QUrl url = QUrl::fromEncoded(bytes(input.substr(std::min(end + 1, input.size()))));
    const QString token = requestToken(header, url);
    if (header.startsWith("Bearer "))
        check(token == QString::fromLatin1(header.mid(7).trimmed()), "a bearer token is the header's");
    const std::optional<QString> socket = socketToken(url);
    check(socket.has_value() == (url.path() == "/ws"), "a WebSocket opens on /ws only");
    check(!socket || header.startsWith("Bearer ") || *socket == token,
          "the pages' token parameter is the same for requests and WebSockets");
    check(sameSecret(token.toStdString(), kPresenter) == (token == kPresenter),
          "a token matches itself only");
    Roster roster(kCode);
    roster.join(kCode, "Ann", kPresenter);
    check((roster.byToken(token.toStdString()) != nullptr) == (token == kPresenter),
          "a phone is found by its token");
}

QCoreApplication &application()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = QCoreApplication::instance()
                                       ? nullptr
                                       : new QCoreApplication(argc, argv); // lives to the end of the process
    return app ? *app : *QCoreApplication::instance();
}

// A data folder with two voting questions: an ordinary one and a series.
const std::string &phoneFolder()
{
    static const std::string folder = [] {
        const fs::path dir = fs::temp_directory_path() / ("quizfuzz-phone-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ofstream(dir / "q1.tlx", std::ios::binary)
            << "2,4,0,\"Planets\",\"Largest?\",\"Single\",\"Bar\",0,\"\"\r\n\"Mercury\",0,0\r\n\"Venus\",0,"
               "0\r\n"
               "\"Earth\",0,0\r\n\"Jupiter\",0,0\r\n\"Arial\",24,0\r\n\"Bar\",0,#TRUE#\r\n0,#FALSE#,0\r\n";
        std::ofstream(dir / "q2.tlx", std::ios::binary)
            << "2,2,2,\"Series\",\"?\",\"Single\",\"Bar\",0,\"\"\r\n\"A\",0,0\r\n\"B\",0,0\r\n";
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(fs::temp_directory_path() / ("quizfuzz-phone-" + std::to_string(::getpid())),
                           ignored);
        });
        return dir.string();
    }();
    return folder;
}

// Requests to one new server, a line each: "METHOD PATH TOKEN BODY", where
// TOKEN "$p" is the token of the last phone that joined, "$P" the
// presenter's and "-" none. Every answer has a documented status; a refused
// one says why on one line and changes nothing.
void readPhoneApi(std::string_view input)
{
    application();
    PhoneServer::Options options;
    options.dataFolder = QString::fromStdString(phoneFolder());
    options.joinCode = kCode;
    options.presenterToken = kPresenter;
    PhoneServer server(options);
    QString phone;
    int lines = 0;
    for (size_t at = 0; at < input.size() && lines < 16; ++lines) {
        const size_t end = std::min(input.find('\n', at), input.size());
        const QByteArray line = bytes(input.substr(at, end - at));
        at = end + 1;
        QList<QByteArray> parts = line.split(' ');
        while (parts.size() < 4)
            parts.append(QByteArray());
        const QByteArray body = line.mid(
            std::min<qsizetype>(line.size(), parts[0].size() + parts[1].size() + parts[2].size() + 3));
        const QString token = parts[2] == "$p"   ? phone
                              : parts[2] == "$P" ? QString(kPresenter)
                              : parts[2] == "-"  ? QString()
                                                 : QString::fromUtf8(parts[2]);
        const auto before = server.participants();
        const bool wasOpen = server.voteOpen();
        const PhoneServer::Reply reply =
            server.api(parts[0], QString::fromUtf8(parts[1]), body, token, "192.0.2.1");
        static const int statuses[] = {200, 400, 401, 403, 404, 405, 409, 429, 500};
        check(std::find(std::begin(statuses), std::end(statuses), reply.status) != std::end(statuses),
              "every answer has a documented status");
        if (reply.status != 200) {
            check(!reply.reason.isEmpty() && !reply.reason.contains('\n'), "a refusal says why on one line");
            check(server.participants() == before, "a refused request changes no participant");
            check(server.voteOpen() == wasOpen || parts[1] == "/api/presenter/open",
                  "a refused request opens or closes no vote");
            continue;
        }
        check(reply.reason.isEmpty(), "an accepted request has no reason");
        if (parts[1] == "/api/join") {
            phone = reply.body.value("token").toString();
            check(phone.size() == 32 && reply.body.value("keypad").toInt() >= 1,
                  "a join gives a keypad and a token");
            check(reply.body.value("name").toString().size() > 0, "a join gives the name out");
        }
        if (parts[1] == "/api/answer") {
            const QString answer = reply.body.value("answer").toString();
            check(answer.size() == 1 && answer >= "1" && answer <= "4",
                  "an answer taken is an option's number");
        }
    }
    QCoreApplication::processEvents(); // the pushes a close leaves for later
    std::error_code ignored;
    fs::remove(fs::path(phoneFolder()) / "votes.rec", ignored);
    fs::remove(fs::path(phoneFolder()) / "response.rec", ignored);
}

// A question file as the phones show it.
void readPhoneQuestionFile(std::string_view input)
{
    const PhoneQuestion q = readPhoneQuestion("q.tlx", std::string(input));
    check(q.kind != PhoneQuestionKind::Options || (!q.options.empty() && q.options.size() <= 10),
          "an ordinary question has 1 to 10 options");
    check(q.countdownSeconds >= 0, "a countdown is never negative");
}

} // namespace

const std::vector<Reader> &phoneReaders()
{
    static const std::vector<Reader> all{{"phonebody", readPhoneBody},
                                         {"phonetoken", readPhoneToken},
                                         {"phoneapi", readPhoneApi},
                                         {"phonequestion", readPhoneQuestionFile}};
    return all;
}

} // namespace quiz::fuzz

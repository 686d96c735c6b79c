#include "adapters/phone/phoneserver.h"

#include "adapters/phone/connectionguard.h"
#include "adapters/phone/qrcode.h"
#include "core/common/fileutil.h"
#include "core/common/writeformat.h"
#include "core/votedata/voterecordwriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QWebSocket>

#include <algorithm>

static void initPhonePages()
{
    Q_INIT_RESOURCE(phonepages);
}

namespace quiz
{

namespace
{

constexpr qsizetype kMaxBody = 4096;
constexpr int kMaxFailures = 5;         // wrong join codes from one address...
constexpr double kFailureWindow = 60.0; // ...within a minute
constexpr int kMaxSocketsPerToken = 4;
constexpr int kCloseReplaced = 4000; // the pages do not reconnect after it
constexpr int kPresenterPushMs = 100;
constexpr qint64 kNamesSaveMs = 100;

PhoneServer::Reply refused(int status, const QString &reason)
{
    return {status, {}, reason};
}

// The pages and what they are.
struct Page {
    const char *path;
    const char *resource;
    const char *mime;
};
constexpr Page kPages[] = {
    {"/", ":/phone/phone.html", "text/html; charset=utf-8"},
    {"/phone.js", ":/phone/phone.js", "text/javascript; charset=utf-8"},
    {"/presenter", ":/phone/presenter.html", "text/html; charset=utf-8"},
    {"/presenter.js", ":/phone/presenter.js", "text/javascript; charset=utf-8"},
    {"/style.css", ":/phone/style.css", "text/css; charset=utf-8"},
};

QString bearerToken(const QHttpServerRequest &request)
{
    const QByteArray header = request.value("Authorization");
    if (header.startsWith("Bearer "))
        return QString::fromLatin1(header.mid(7).trimmed());
    return QUrlQuery(request.url()).queryItemValue("token");
}

} // namespace

PhoneServer::PhoneServer(Options options)
    : options_(std::move(options)), roster_([&] {
          const QString code =
              options_.joinCode.isEmpty() ? QString::fromStdString(newJoinCode()) : options_.joinCode;
          return Roster(code.toStdString(), options_.listed);
      }())
{
    initPhonePages();
    presenterToken_ =
        options_.presenterToken.isEmpty() ? QString::fromStdString(newToken()) : options_.presenterToken;
    clock_.start();
    countdown_.setInterval(200);
    QObject::connect(&countdown_, &QTimer::timeout, this, [this] { tick(); });
    namesSave_.setSingleShot(true);
    QObject::connect(&namesSave_, &QTimer::timeout, this, [this] {
        namesSaved_.invalidate();
        saveNames();
    });
    presenterPush_.setSingleShot(true);
    presenterPush_.setInterval(kPresenterPushMs);
    QObject::connect(&presenterPush_, &QTimer::timeout, this, [this] { pushPresenter(); });
    QObject::connect(this, &QAbstractHttpServer::newWebSocketConnection, this,
                     [this] { acceptWebSockets(); });
}

PhoneServer::~PhoneServer()
{
    if (namesSave_.isActive()) { // a join not saved yet
        namesSaved_.invalidate();
        saveNames();
    }
    for (Client &client : clients_)
        client.socket->abort();
}

bool PhoneServer::start(QString *error)
{
    guard_ = new ConnectionGuard(options_.limits, this);
    port_ = guard_->listen(options_.address, options_.port) ? guard_->serverPort() : 0;
    if (port_ != 0)
        bind(guard_);
    if (port_ == 0) {
        *error = QString("cannot serve %1:%2").arg(options_.address.toString()).arg(options_.port);
        return false;
    }
    return true;
}

QString PhoneServer::audienceUrlFor(const QHostAddress &address, quint16 port)
{
    QHostAddress host = address;
    if (host == QHostAddress::Any || host == QHostAddress::AnyIPv4 || host == QHostAddress::AnyIPv6) {
        // The network the phones share: Wi-Fi first, then Ethernet, then the
        // rest; bridges of containers and virtual machines last.
        host = QHostAddress::LocalHost;
        int best = 100;
        for (const QNetworkInterface &i : QNetworkInterface::allInterfaces()) {
            const auto flags = i.flags();
            if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
                (flags & QNetworkInterface::IsLoopBack))
                continue;
            int rank = i.type() == QNetworkInterface::Wifi       ? 0
                       : i.type() == QNetworkInterface::Ethernet ? 1
                                                                 : 2;
            for (const char *virtualName : {"docker", "br-", "veth", "virbr", "vmnet", "lxc"})
                if (i.name().startsWith(virtualName))
                    rank = 3;
            for (const QNetworkAddressEntry &entry : i.addressEntries()) {
                const QHostAddress a = entry.ip();
                if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLinkLocal() && rank < best) {
                    host = a;
                    best = rank;
                }
            }
        }
    }
    const QString name =
        host.protocol() == QAbstractSocket::IPv6Protocol ? "[" + host.toString() + "]" : host.toString();
    return QString("http://%1:%2/").arg(name).arg(port);
}

QString PhoneServer::presenterUrl() const
{
    const bool any = options_.address == QHostAddress::Any || options_.address == QHostAddress::AnyIPv4;
    const QString base = any ? QString("http://127.0.0.1:%1/").arg(port_) : audienceUrl();
    return base + "presenter?token=" + presenterToken_;
}

void PhoneServer::log(const QString &line) const
{
    if (options_.log)
        options_.log(("phones: " + line).toStdString());
}

// ---- HTTP ----------------------------------------------------------------

bool PhoneServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const QString path = request.url().path();
    // Qt HTTP Server (6.4) hands an upgrade request that the handler takes
    // on to the WebSocket server (acceptWebSockets): taken without an answer.
    if (path == "/ws" && request.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
        if (guard_)
            guard_->release(socket);
        return true;
    }
    if (guard_)
        guard_->answered(socket);
    const QByteArray method = request.method() == QHttpServerRequest::Method::Get    ? "GET"
                              : request.method() == QHttpServerRequest::Method::Post ? "POST"
                                                                                     : "OTHER";
    QHttpServerResponse response(QHttpServerResponse::StatusCode::NotFound);
    const auto page =
        std::find_if(std::begin(kPages), std::end(kPages), [&](const Page &p) { return path == p.path; });
    if (page != std::end(kPages) && method == "GET") {
        if (path == "/presenter" &&
            !sameSecret(bearerToken(request).toStdString(), presenterToken_.toStdString())) {
            response = QHttpServerResponse("text/plain; charset=utf-8", "no valid presenter token\n",
                                           QHttpServerResponse::StatusCode::Unauthorized);
        } else {
            QFile file(page->resource);
            file.open(QIODevice::ReadOnly);
            response = QHttpServerResponse(page->mime, file.readAll());
        }
    } else if (path == "/qr.png" && method == "GET") { // it holds the join code: the presenter's only
        if (sameSecret(bearerToken(request).toStdString(), presenterToken_.toStdString()))
            response = QHttpServerResponse("image/png", qrCodePng(audienceUrl() + "#code=" + joinCode(), 6));
        else
            response = QHttpServerResponse("text/plain; charset=utf-8", "no valid presenter token\n",
                                           QHttpServerResponse::StatusCode::Unauthorized);
    } else if (path.startsWith("/api/")) {
        const Reply reply =
            api(method, path, request.body(), bearerToken(request), request.remoteAddress().toString());
        const auto status = static_cast<QHttpServerResponse::StatusCode>(reply.status);
        if (reply.status == 200)
            response = QHttpServerResponse(reply.body, status);
        else
            response = QHttpServerResponse(QJsonObject{{"error", reply.reason}}, status);
    } else {
        response = QHttpServerResponse("text/plain; charset=utf-8", "no such page\n",
                                       QHttpServerResponse::StatusCode::NotFound);
    }
    response.addHeader("Cache-Control", "no-store");
    response.addHeader("X-Content-Type-Options", "nosniff");
    response.addHeader("Referrer-Policy", "no-referrer");
    response.addHeader("Content-Security-Policy",
                       "default-src 'self'; img-src 'self'; connect-src 'self'; frame-ancestors 'none'");
    response.write(makeResponder(request, socket));
    return true;
}

void PhoneServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

PhoneServer::Reply PhoneServer::api(const QByteArray &method, const QString &path, const QByteArray &body,
                                    const QString &token, const QString &client)
{
    static const std::map<QString, QByteArray> methods = {{"/api/join", "POST"},
                                                          {"/api/names", "POST"},
                                                          {"/api/state", "GET"},
                                                          {"/api/answer", "POST"},
                                                          {"/api/presenter/state", "GET"},
                                                          {"/api/presenter/open", "POST"},
                                                          {"/api/presenter/close", "POST"},
                                                          {"/api/presenter/remove", "POST"}};
    const auto known = methods.find(path);
    if (known == methods.end())
        return refused(404, "no such request");
    if (known->second != method)
        return refused(405, "this request takes " + QString::fromLatin1(known->second));
    if (body.size() > kMaxBody)
        return refused(400, "the request is over 4 KB");
    QJsonObject object;
    if (method == "POST" && !body.trimmed().isEmpty()) { // no body reads as {}
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(body, &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            return refused(400, "the request is not a JSON object");
        object = document.object();
    }
    if (path == "/api/join")
        return join(object, client);
    if (path == "/api/names")
        return listedNames(object, client);
    if (path.startsWith("/api/presenter/")) {
        if (!sameSecret(token.toStdString(), presenterToken_.toStdString()))
            return refused(401, "no valid presenter token");
        if (path == "/api/presenter/state")
            return {200, presenterState(), {}};
        if (path == "/api/presenter/close")
            return closeVote();
        if (path == "/api/presenter/remove")
            return removeParticipant(object);
        if (!object.value("question").isString())
            return refused(400, "missing field: question");
        return openQuestion(object.value("question").toString(), 0);
    }
    const RosterEntry *entry = roster_.byToken(token.toStdString());
    if (!entry)
        return refused(401, "no valid token");
    if (path == "/api/state")
        return {200, phoneState(*entry), {}};
    return answer(*entry, object);
}

// ---- joining -------------------------------------------------------------

bool PhoneServer::tooManyFailures(const QString &client)
{
    std::deque<double> &times = failures_[client];
    while (!times.empty() && times.front() < now() - kFailureWindow)
        times.pop_front();
    return static_cast<int>(times.size()) >= kMaxFailures;
}

void PhoneServer::noteFailure(const QString &client)
{
    failures_[client].push_back(now());
    log("wrong join code from " + client);
}

PhoneServer::Reply PhoneServer::join(const QJsonObject &body, const QString &client)
{
    if (!body.value("code").isString())
        return refused(400, "missing field: code");
    if (!body.value("name").isString())
        return refused(400, "missing field: name");
    if (tooManyFailures(client))
        return refused(429, "too many wrong codes; wait a minute");
    std::deque<double> &joins = joins_[client];
    while (!joins.empty() && joins.front() < now() - kFailureWindow)
        joins.pop_front();
    if (static_cast<int>(joins.size()) >= options_.joinsPerMinute)
        return refused(429, "too many joins from this device; wait a minute");
    const JoinResult result = roster_.join(body.value("code").toString().toStdString(),
                                           body.value("name").toString().toStdString(), newToken());
    switch (result.refusal) {
    case JoinRefusal::WrongCode:
        noteFailure(client);
        return refused(403, QString::fromStdString(result.reason));
    case JoinRefusal::BadName:
        return refused(400, QString::fromStdString(result.reason));
    case JoinRefusal::Full:
        return refused(409, QString::fromStdString(result.reason));
    case JoinRefusal::None:
        break;
    }
    joins.push_back(now());
    log(QString("keypad %1 joined from %2").arg(result.keypad).arg(client));
    saveNames();
    pushPresenterSoon();
    return {200,
            {{"keypad", result.keypad},
             {"name", QString::fromStdString(result.name)},
             {"token", QString::fromStdString(result.token)}},
            {}};
}

PhoneServer::Reply PhoneServer::listedNames(const QJsonObject &body, const QString &client)
{
    if (!body.value("code").isString())
        return refused(400, "missing field: code");
    if (tooManyFailures(client))
        return refused(429, "too many wrong codes; wait a minute");
    if (!sameSecret(body.value("code").toString().toStdString(), roster_.joinCode())) {
        noteFailure(client);
        return refused(403, "wrong join code");
    }
    QJsonArray names;
    for (const std::string &name : roster_.unclaimedNames())
        names.append(QString::fromStdString(name));
    return {200, {{"names", names}}, {}};
}

PhoneServer::Reply PhoneServer::removeParticipant(const QJsonObject &body)
{
    if (!body.value("keypad").isDouble())
        return refused(400, "missing field: keypad");
    const int keypad = body.value("keypad").toInt();
    const std::vector<RosterEntry> before = roster_.entries();
    if (!roster_.remove(keypad))
        return refused(400, "no such participant");
    log(QString("keypad %1 removed").arg(keypad));
    namesSaved_.invalidate(); // a removal is saved at once, never coalesced
    saveNames();
    pushState();
    return {200, {{"removed", keypad}}, {}};
}

void PhoneServer::saveNames()
{
    if (options_.namesPath.isEmpty())
        return;
    // A hall joining at once: the names file is written at once unless it
    // was written within the last kNamesSaveMs; then once at the end of them.
    if (namesSaved_.isValid() && namesSaved_.elapsed() < kNamesSaveMs) {
        if (!namesSave_.isActive())
            namesSave_.start(static_cast<int>(kNamesSaveMs - namesSaved_.elapsed()));
        return;
    }
    namesSave_.stop();
    namesSaved_.start();
    std::string error;
    if (!writeFileAtomic(options_.namesPath.toStdString(), formatNamesCsv(roster_.participants()), &error))
        log("cannot save the names: " + QString::fromStdString(error));
}

// ---- votes ---------------------------------------------------------------

std::vector<PhoneQuestion> PhoneServer::votingQuestions() const
{
    const std::string folder = options_.dataFolder.toStdString();
    std::vector<std::string> files;
    if (const std::string list = resolveFile(folder, "quizslds.txt"); FileExists(list)) {
        ItemReader reader = ItemReader::fromFile(list);
        while (!reader.atEnd())
            if (const std::optional<std::string> item = reader.next(); item && !item->empty())
                files.push_back(*item);
    } else {
        for (const QString &name :
             QDir(options_.dataFolder).entryList({"*.tlx", "*.TLX"}, QDir::Files, QDir::Name))
            files.push_back(name.toStdString());
    }
    std::vector<PhoneQuestion> questions;
    for (const std::string &file : files) {
        const std::optional<std::string> content = readTextFile(resolveFile(folder, file));
        questions.push_back(readPhoneQuestion(file, content.value_or("")));
    }
    return questions;
}

PhoneServer::Reply PhoneServer::openQuestion(const QString &file, int slide, const QString &slideTitle)
{
    const std::vector<PhoneQuestion> questions = votingQuestions();
    const auto q = std::find_if(questions.begin(), questions.end(), [&](const PhoneQuestion &p) {
        return QString::fromStdString(p.file).compare(file, Qt::CaseInsensitive) == 0;
    });
    if (q == questions.end())
        return refused(400, "no such voting question");
    if (q->kind != PhoneQuestionKind::Options)
        return refused(409, q->kind == PhoneQuestionKind::Unreadable
                                ? "the question file cannot be read"
                                : "this kind of question is not answered from phones yet");
    if (!recordPathField(options_.dataFolder.toStdString() + "/" + q->file))
        return refused(409, "the question file's name cannot be recorded");
    if (vote_.isOpen()) {
        const Reply closed = closeVote();
        if (closed.status != 200)
            return closed;
    }
    vote_.open(++voteCount_, *q, slide, now());
    slideTitle_ = slideTitle.trimmed();
    anyVote_ = true;
    lastSlide_ = slide;
    if (q->countdownSeconds > 0)
        countdown_.start();
    log(QString("vote %1 opened: %2").arg(voteCount_).arg(QString::fromStdString(q->file)));
    pushState();
    return {200, {{"vote", voteCount_}}, {}};
}

void PhoneServer::showSlide(int slide, const QString &voteFile, const QString &slideTitle)
{
    if (vote_.isOpen() && vote_.slide() != 0 && (vote_.slide() != slide || voteFile.isEmpty()))
        closeVote();
    if (voteFile.isEmpty() || (vote_.isOpen() && vote_.slide() == slide))
        return;
    const Reply opened = openQuestion(voteFile, slide, slideTitle);
    if (opened.status != 200)
        log(QString("slide %1: the vote of %2 does not open: %3").arg(slide).arg(voteFile, opened.reason));
}

PhoneServer::Reply PhoneServer::closeVote()
{
    if (!vote_.isOpen())
        return refused(409, "no vote is open");
    const QDateTime at = QDateTime::currentDateTime();
    const ClosedVote closed = vote_.record(roster_.highestKeypad());
    VoteRecordEntry record{options_.dataFolder.toStdString() + "/" + closed.file,
                           closed.slide,
                           closed.answers,
                           closed.responseSeconds,
                           {at.date().year(), at.date().month(), at.date().day(), at.time().hour(),
                            at.time().minute(), at.time().second()}};
    std::string error;
    if (!appendVoteRecord(options_.dataFolder.toStdString(), record, &error)) {
        // The vote stays open with its answers: the presenter can free the
        // folder (or the disk) and close it again. The countdown stops trying.
        countdown_.stop();
        log(QString("vote %1 NOT closed: %2").arg(vote_.id()).arg(QString::fromStdString(error)));
        return refused(500, "the votes could not be recorded: " + QString::fromStdString(error));
    }
    countdown_.stop();
    vote_.close();
    log(QString("vote %1 closed and recorded").arg(vote_.id()));
    // The lines are on disk before any phone hears of the close; the phones
    // hear of it once the close is answered (a hall's pushes take a while).
    QTimer::singleShot(0, this, [this] { pushState(); });
    return {200, {{"recorded", true}}, {}};
}

PhoneServer::Reply PhoneServer::answer(const RosterEntry &entry, const QJsonObject &body)
{
    if (!body.value("vote").isDouble())
        return refused(400, "missing field: vote");
    if (!body.value("answer").isString())
        return refused(400, "missing field: answer");
    const AnswerOutcome outcome = vote_.answer(body.value("vote").toInt(), entry.keypad,
                                               body.value("answer").toString().toStdString(), now());
    if (outcome == AnswerOutcome::NotOpen)
        return refused(409, "this vote is not open");
    if (outcome == AnswerOutcome::NotTaken)
        return refused(400, "this question does not take that answer");
    pushToPhone(entry);
    pushPresenterSoon();
    return {200, {{"answer", body.value("answer").toString()}}, {}};
}

void PhoneServer::tick()
{
    if (vote_.countdownOver(now()))
        closeVote();
}

// ---- state ---------------------------------------------------------------

QJsonObject PhoneServer::voteObject(bool forPhone) const
{
    const PhoneQuestion &q = vote_.question();
    QJsonArray options;
    for (const std::string &text : q.options)
        options.append(QString::fromStdString(text));
    QJsonObject vote{{"id", vote_.id()},
                     {"question", QString::fromStdString(q.file)},
                     {"title", slideTitle_.isEmpty() ? QString::fromStdString(q.title) : slideTitle_},
                     {"text", QString::fromStdString(q.question)},
                     {"kind", phoneQuestionKindName(q.kind)},
                     {"options", options},
                     {"open", vote_.isOpen()}};
    const std::optional<double> left = vote_.isOpen() ? vote_.secondsLeft(now()) : std::nullopt;
    vote.insert("secondsLeft", left ? QJsonValue(*left) : QJsonValue());
    if (!forPhone)
        vote.insert("answers", vote_.answerCount());
    return vote;
}

QJsonObject PhoneServer::phoneState(const RosterEntry &entry, const QJsonObject *phoneVote) const
{
    QJsonObject state{{"keypad", entry.keypad}, {"name", QString::fromStdString(entry.name)}};
    if (!anyVote_) {
        state.insert("vote", QJsonValue());
        return state;
    }
    QJsonObject vote = phoneVote ? *phoneVote : voteObject(true);
    const std::optional<std::string> given = vote_.answerOf(entry.keypad);
    vote.insert("answer", given ? QJsonValue(QString::fromStdString(*given)) : QJsonValue());
    state.insert("vote", vote);
    return state;
}

QJsonObject PhoneServer::presenterState() const
{
    QJsonArray participants, questions;
    for (const RosterEntry &e : roster_.entries())
        if (!e.removed)
            participants.append(QJsonObject{{"keypad", e.keypad},
                                            {"name", QString::fromStdString(e.name)},
                                            {"joined", !e.token.empty()}});
    for (const PhoneQuestion &q : votingQuestions())
        questions.append(QJsonObject{{"question", QString::fromStdString(q.file)},
                                     {"title", QString::fromStdString(q.title)},
                                     {"kind", phoneQuestionKindName(q.kind)}});
    QJsonObject spread;
    for (const auto &[option, count] : vote_.spread())
        spread.insert(QString::fromStdString(option), count);
    return {{"joinCode", joinCode()},
            {"address", audienceUrl()},
            {"participants", participants},
            {"questions", questions},
            {"vote", anyVote_ ? QJsonValue(voteObject(false)) : QJsonValue()},
            {"spread", vote_.isOpen() || !anyVote_ ? QJsonValue() : QJsonValue(spread)}};
}

// ---- WebSocket -----------------------------------------------------------

void PhoneServer::acceptWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (!socket)
            continue;
        const QString token = QUrlQuery(socket->requestUrl()).queryItemValue("token");
        const bool presenter = sameSecret(token.toStdString(), presenterToken_.toStdString());
        if (socket->requestUrl().path() != "/ws" || (!presenter && !roster_.byToken(token.toStdString()))) {
            QWebSocket *refused = socket.release(); // kept until the close is through
            QObject::connect(refused, &QWebSocket::disconnected, refused, &QObject::deleteLater);
            refused->close(QWebSocketProtocol::CloseCodePolicyViolated, "no valid token");
            continue;
        }
        // A few tabs of one phone are fine; more close the oldest (a flood
        // of connections with one token holds no more than this).
        const auto sameToken = [&](const Client &c) { return c.token == token; };
        if (std::count_if(clients_.begin(), clients_.end(), sameToken) >= kMaxSocketsPerToken)
            std::find_if(clients_.begin(), clients_.end(), sameToken)
                ->socket->close(static_cast<QWebSocketProtocol::CloseCode>(kCloseReplaced),
                                "opened elsewhere");
        socket->setMaxAllowedIncomingMessageSize(kMaxBody);
        QWebSocket *raw = socket.get();
        QObject::connect(raw, &QWebSocket::disconnected, this, [this, raw] {
            const auto it = std::find_if(clients_.begin(), clients_.end(),
                                         [raw](const Client &c) { return c.socket.get() == raw; });
            if (it != clients_.end()) {
                it->socket.release()->deleteLater();
                clients_.erase(it);
            }
        });
        const QJsonObject state =
            presenter ? presenterState() : phoneState(*roster_.byToken(token.toStdString()));
        const QString message = QString::fromUtf8(QJsonDocument(state).toJson(QJsonDocument::Compact));
        raw->sendTextMessage(message);
        clients_.push_back({std::move(socket), token, presenter, message});
    }
}

void PhoneServer::pushState()
{
    presenterPush_.stop();
    QString presenter;
    // The vote as phones see it is the same for all but each one's answer.
    const QJsonObject phoneVote = anyVote_ ? voteObject(true) : QJsonObject();
    for (Client &client : clients_) {
        QString message;
        if (client.presenter) {
            if (presenter.isEmpty())
                presenter = QString::fromUtf8(QJsonDocument(presenterState()).toJson(QJsonDocument::Compact));
            message = presenter;
        } else if (const RosterEntry *entry = roster_.byToken(client.token.toStdString())) {
            message = QString::fromUtf8(
                QJsonDocument(phoneState(*entry, &phoneVote)).toJson(QJsonDocument::Compact));
        } else {
            client.socket->close(QWebSocketProtocol::CloseCodePolicyViolated, "no valid token");
            continue;
        }
        if (message != client.lastSent)
            client.socket->sendTextMessage(message);
        client.lastSent = message;
    }
}

} // namespace quiz

namespace quiz
{

// A hall answering at once: an answer changes its phone's state and the
// presenter's count only. The phone hears at once; the presenter page at
// most every kPresenterPushMs (its count is a glance, not a record).
void PhoneServer::pushToPhone(const RosterEntry &entry)
{
    const QString token = QString::fromStdString(entry.token);
    // A phone with one page open has its answer from the request's own
    // acknowledgement: only other pages of the same phone need the push.
    if (std::count_if(clients_.begin(), clients_.end(), [&](const Client &c) { return c.token == token; }) <
        2)
        return;
    QString message;
    for (Client &client : clients_) {
        if (client.presenter || client.token != token)
            continue;
        if (message.isEmpty())
            message = QString::fromUtf8(QJsonDocument(phoneState(entry)).toJson(QJsonDocument::Compact));
        if (message != client.lastSent)
            client.socket->sendTextMessage(message);
        client.lastSent = message;
    }
}

void PhoneServer::pushPresenterSoon()
{
    if (!presenterPush_.isActive())
        presenterPush_.start();
}

void PhoneServer::pushPresenter()
{
    QString message;
    for (Client &client : clients_) {
        if (!client.presenter)
            continue;
        if (message.isEmpty())
            message = QString::fromUtf8(QJsonDocument(presenterState()).toJson(QJsonDocument::Compact));
        if (message != client.lastSent)
            client.socket->sendTextMessage(message);
        client.lastSent = message;
    }
}

} // namespace quiz

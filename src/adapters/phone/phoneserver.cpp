#include "adapters/phone/phoneserver.h"

#include "adapters/phone/connectionguard.h"
#include "adapters/phone/phonerequest.h"
#include "adapters/phone/qrcode.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QTcpSocket>
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

constexpr int kMaxSocketsPerToken = 4;
constexpr int kCloseReplaced = 4000; // the pages do not reconnect after it
constexpr int kPresenterPushMs = 100;

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
    return requestToken(request.value("Authorization"), request.url());
}

} // namespace

PhoneServer::PhoneServer(Options options)
    : options_(std::move(options)),
      evening_({options_.dataFolder, options_.namesPath, options_.listed, options_.joinCode,
                [this](const QString &line) { log(line); }, options_.joinsPerMinute},
               {[this](const RosterEntry &entry) { pushToPhone(entry); }, [this] { pushPresenterSoon(); },
                [this] { pushPresenter(); }, [this] { pushState(); },
                [this] { QTimer::singleShot(0, this, [this] { pushState(); }); }})
{
    initPhonePages();
    presenterToken_ =
        options_.presenterToken.isEmpty() ? QString::fromStdString(newToken()) : options_.presenterToken;
    presenterPush_.setSingleShot(true);
    presenterPush_.setInterval(kPresenterPushMs);
    QObject::connect(&presenterPush_, &QTimer::timeout, this, [this] { pushPresenter(); });
    QObject::connect(this, &QAbstractHttpServer::newWebSocketConnection, this,
                     [this] { acceptWebSockets(); });
}

PhoneServer::~PhoneServer()
{
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
        return refuse(404, "no such request");
    if (known->second != method)
        return refuse(405, "this request takes " + QString::fromLatin1(known->second));
    QString reason;
    const std::optional<QJsonObject> parsed =
        method == "POST" || body.size() > kMaxRequestBody ? parseRequestBody(body, &reason) : QJsonObject();
    if (!parsed)
        return refuse(400, reason);
    const QJsonObject &object = *parsed;
    if (path == "/api/join")
        return evening_.join(object, client);
    if (path == "/api/names")
        return evening_.listedNames(object, client);
    if (path.startsWith("/api/presenter/")) {
        if (!sameSecret(token.toStdString(), presenterToken_.toStdString()))
            return refuse(401, "no valid presenter token");
        if (path == "/api/presenter/state")
            return {200, presenterState(), {}};
        if (path == "/api/presenter/close")
            return evening_.closeVote();
        if (path == "/api/presenter/remove")
            return evening_.removeParticipant(object);
        const std::optional<QString> question = parseOpenRequest(object, &reason);
        return question ? evening_.openQuestion(*question, 0) : refuse(400, reason);
    }
    const RosterEntry *entry = evening_.roster().byToken(PhoneEvening::tokenHash(token));
    if (!entry)
        return refuse(401, "no valid token");
    if (path == "/api/state")
        return {200, evening_.phoneState(*entry), {}};
    return evening_.answer(*entry, object);
}

// ---- WebSocket -----------------------------------------------------------

void PhoneServer::acceptWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (!socket)
            continue;
        const QString token = socketToken(socket->requestUrl()).value_or(QString());
        const bool presenter = sameSecret(token.toStdString(), presenterToken_.toStdString());
        const std::string key = PhoneEvening::tokenHash(token);
        if (!presenter && !evening_.roster().byToken(key)) { // "" (another path) is nobody's
            QWebSocket *refused = socket.release();          // kept until the close is through
            QObject::connect(refused, &QWebSocket::disconnected, refused, &QObject::deleteLater);
            refused->close(QWebSocketProtocol::CloseCodePolicyViolated, "no valid token");
            continue;
        }
        // A few tabs of one phone are fine; more close the oldest (a flood
        // of connections with one token holds no more than this).
        const auto sameToken = [&](const Client &c) { return c.key == key; };
        if (std::count_if(clients_.begin(), clients_.end(), sameToken) >= kMaxSocketsPerToken)
            std::find_if(clients_.begin(), clients_.end(), sameToken)
                ->socket->close(static_cast<QWebSocketProtocol::CloseCode>(kCloseReplaced),
                                "opened elsewhere");
        socket->setMaxAllowedIncomingMessageSize(kMaxRequestBody);
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
            presenter ? presenterState() : evening_.phoneState(*evening_.roster().byToken(key));
        const QString message = QString::fromUtf8(QJsonDocument(state).toJson(QJsonDocument::Compact));
        raw->sendTextMessage(message);
        clients_.push_back({std::move(socket), key, presenter, message});
    }
}

void PhoneServer::pushState()
{
    presenterPush_.stop();
    QString presenter;
    // The vote as phones see it is the same for all but each one's answer.
    const QJsonObject phoneVote = evening_.anyVote() ? evening_.voteObject(true) : QJsonObject();
    for (Client &client : clients_) {
        QString message;
        if (client.presenter) {
            if (presenter.isEmpty())
                presenter = QString::fromUtf8(QJsonDocument(presenterState()).toJson(QJsonDocument::Compact));
            message = presenter;
        } else if (const RosterEntry *entry = evening_.roster().byToken(client.key)) {
            message = QString::fromUtf8(
                QJsonDocument(evening_.phoneState(*entry, &phoneVote)).toJson(QJsonDocument::Compact));
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
    const std::string &key = entry.tokenHash;
    // A phone with one page open has its answer from the request's own
    // acknowledgement: only other pages of the same phone need the push.
    if (std::count_if(clients_.begin(), clients_.end(), [&](const Client &c) { return c.key == key; }) < 2)
        return;
    QString message;
    for (Client &client : clients_) {
        if (client.presenter || client.key != key)
            continue;
        if (message.isEmpty())
            message =
                QString::fromUtf8(QJsonDocument(evening_.phoneState(entry)).toJson(QJsonDocument::Compact));
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

#pragma once

#include "adapters/phone/connectionguard.h"
#include "adapters/phone/phoneevening.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QJsonObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QWebSocket;

namespace quiz
{

// The phone evening's server: the audience page, the presenter page and the
// HTTP API they share (docs/phone-voting.md), and the WebSocket that pushes
// each client its state on every change. The evening's rules are
// PhoneEvening's (and below it the core's); this class carries requests to them.
class PhoneServer : public QAbstractHttpServer
{
  public:
    struct Options {
        QHostAddress address = QHostAddress::Any;
        quint16 port = 8080; // 0: any free port
        QString dataFolder;  // votes.rec, response.rec, quizslds.txt, the question files
        QString namesPath;   // where the roster is saved (names.csv); the device keys beside it
        std::vector<Participant> listed;
        QString joinCode;       // "" makes a new one
        QString presenterToken; // "" makes a new one
        std::function<void(const std::string &)> log;
        ConnectionGuard::Limits limits; // of each HTTP connection
        int joinsPerMinute = 30;        // from one address
    };

    using Reply = PhoneReply;

    explicit PhoneServer(Options options);
    ~PhoneServer() override;

    bool start(QString *error);
    quint16 port() const { return port_; }
    QString joinCode() const { return evening_.joinCode(); }
    QString presenterToken() const { return presenterToken_; }
    QString audienceUrl() const { return audienceUrlFor(options_.address, port_); }
    // The address phones open: on every interface, an IPv4 address of the
    // Wi-Fi, else of the Ethernet... (docs/phone-voting.md); loopback when none.
    static QString audienceUrlFor(const QHostAddress &address, quint16 port);
    QString presenterUrl() const; // on the loopback address when serving every interface

    // The names list of "GetNames": everybody not removed.
    std::vector<Participant> participants() const { return evening_.roster().participants(); }

    // The show's side: a slide with a VOTE shape opens its question; leaving
    // it, or "NextSlide", closes the vote (recorded first).
    // slideTitle: the slide's title the phones show ("": the question file's).
    Reply openQuestion(const QString &file, int slide, const QString &slideTitle = {})
    {
        return evening_.openQuestion(file, slide, slideTitle);
    }
    // The show came to a slide (0: the show ended) whose VOTE shape names
    // voteFile ("" for none): its vote opens; a vote the show opened closes
    // when the show leaves its slide. Votes the presenter page opened stay.
    void showSlide(int slide, const QString &voteFile, const QString &slideTitle = {})
    {
        evening_.showSlide(slide, voteFile, slideTitle);
    }
    Reply closeVote() { return evening_.closeVote(); }
    bool voteOpen() const { return evening_.voteOpen(); }

    // One API request (also what the tests call); authorization is the
    // bearer token, or the page's "token" query parameter.
    Reply api(const QByteArray &method, const QString &path, const QByteArray &body, const QString &token,
              const QString &client);

  protected:
    static Reply refuse(int status, const QString &reason) { return {status, {}, reason}; }
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

  private:
    struct Client {
        std::unique_ptr<QWebSocket> socket;
        std::string key; // PhoneEvening::tokenHash() of the connection's token
        bool presenter = false;
        QString lastSent; // a state is pushed only when it changed
    };

    QJsonObject presenterState() const { return evening_.presenterState(audienceUrl()); }
    void acceptWebSockets();
    void pushState();
    void pushToPhone(const RosterEntry &entry);
    void pushPresenterSoon();
    void pushPresenter();
    void log(const QString &line) const;

    Options options_;
    PhoneEvening evening_;
    QString presenterToken_;
    quint16 port_ = 0;
    QTimer presenterPush_;
    ConnectionGuard *guard_ = nullptr; // the listening socket, a child of the server
    std::vector<Client> clients_;
};

} // namespace quiz

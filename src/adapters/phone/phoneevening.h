#pragma once

#include "core/phonevote/phonequestion.h"
#include "core/phonevote/roster.h"
#include "core/phonevote/votesession.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quiz
{

// An answer to one request: a status and a JSON object, or a one-line reason.
struct PhoneReply {
    int status = 200;
    QJsonObject body;
    QString reason;
};

// The phone evening's rules as the API reaches them: joining (the join code's
// slowdown, the names file and the device keys), the votes and their records,
// and the state each page is sent. The server (phoneserver.h) carries HTTP and
// WebSocket requests to it and pushes the states it is told have changed.
class PhoneEvening
{
  public:
    struct Options {
        QString dataFolder; // votes.rec, response.rec, quizslds.txt, the question files
        QString namesPath;  // where the roster is saved (names.csv); the device keys beside it
        std::vector<Participant> listed;
        QString joinCode; // "" makes a new one
        std::function<void(const QString &)> log;
        int joinsPerMinute = 30; // from one address
    };
    // Whose state changed, for the server to push it.
    struct Pushes {
        std::function<void(const RosterEntry &)> phone; // that phone's other pages
        std::function<void()> presenterSoon;            // the presenter page, at most every 100 ms
        std::function<void()> presenter;                // the presenter page, now
        std::function<void()> everybody;                // every page, now
        std::function<void()> everybodyLater;           // every page, once the request is answered
    };

    PhoneEvening(Options options, Pushes pushes);
    ~PhoneEvening();
    PhoneEvening(const PhoneEvening &) = delete;
    PhoneEvening &operator=(const PhoneEvening &) = delete;

    // The key a device's token is known by: its SHA-256, hex.
    static std::string tokenHash(const QString &token);

    const Roster &roster() const { return roster_; }
    QString joinCode() const { return QString::fromStdString(roster_.joinCode()); }
    bool voteOpen() const { return vote_.isOpen(); }
    bool anyVote() const { return anyVote_; }

    PhoneReply join(const QJsonObject &body, const QString &client);
    PhoneReply listedNames(const QJsonObject &body, const QString &client);
    PhoneReply removeParticipant(const QJsonObject &body);
    PhoneReply answer(const RosterEntry &entry, const QJsonObject &body);
    // slideTitle: the slide's title the phones show ("": the question file's).
    PhoneReply openQuestion(const QString &file, int slide, const QString &slideTitle = {});
    void showSlide(int slide, const QString &voteFile, const QString &slideTitle = {});
    PhoneReply closeVote();

    // The vote as phones (forPhone) or the presenter see it.
    QJsonObject voteObject(bool forPhone) const;
    // phoneVote: the vote as phones see it, when the caller made it already.
    QJsonObject phoneState(const RosterEntry &entry, const QJsonObject *phoneVote = nullptr) const;
    // address: where the phones join.
    QJsonObject presenterState(const QString &address) const;

  private:
    static PhoneReply refuse(int status, const QString &reason) { return {status, {}, reason}; }
    std::vector<PhoneQuestion> votingQuestions() const;
    bool tooManyFailures(const QString &client);
    void noteFailure(const QString &client);
    void saveNames();
    void loadDeviceKeys();
    void tick();
    double now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }
    void log(const QString &line) const;

    Options options_;
    Pushes pushes_;
    Roster roster_;
    VoteSession vote_;
    int voteCount_ = 0;
    QString slideTitle_; // of the vote's slide, "" when the presenter page opened it
    bool anyVote_ = false;
    QString closeError_; // why the open vote could not be recorded; "" once a close succeeds
    QElapsedTimer clock_;
    QTimer countdown_;
    QTimer namesSave_;
    QElapsedTimer namesSaved_;
    std::map<QString, std::deque<double>> failures_;
    std::map<QString, std::deque<double>> joins_;
};

} // namespace quiz

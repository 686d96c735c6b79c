#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <optional>

namespace quiz
{

// What the phone controller reads from the network, each part by one small
// function that the server calls and the fuzzers call the same way
// (docs/phone-voting.md). A refused part gives nullopt and a one-line reason.

constexpr qsizetype kMaxRequestBody = 4096; // bytes of a body, also of a WebSocket message

// The token of a request: "Authorization: Bearer TOKEN", else the address's
// "token" query parameter; "" for none.
QString requestToken(const QByteArray &authorization, const QUrl &url);

// The token a WebSocket opens with: its address must be /ws?token=TOKEN;
// nullopt for any other path.
std::optional<QString> socketToken(const QUrl &url);

// A POST body as a JSON object; an empty (or blank) body reads as {}.
std::optional<QJsonObject> parseRequestBody(const QByteArray &body, QString *reason);

// The fields of each request's body, typed.
struct JoinRequest {
    QString code;
    QString name; // as given: the roster's rules check it
};
std::optional<JoinRequest> parseJoinRequest(const QJsonObject &body, QString *reason);
std::optional<QString> parseNamesRequest(const QJsonObject &body, QString *reason); // the code

struct AnswerRequest {
    int vote = 0; // 0 for a number that is not a whole int: no vote has it
    QString answer;
    // The page numbers its answers, so that one sent again after a lost
    // acknowledgement counts once; 0: no number, the answer always counts.
    std::int64_t id = 0;
    std::optional<QString> question; // the question file the page answered, when it says
};
std::optional<AnswerRequest> parseAnswerRequest(const QJsonObject &body, QString *reason);
std::optional<QString> parseOpenRequest(const QJsonObject &body, QString *reason); // the question file
std::optional<int> parseRemoveRequest(const QJsonObject &body, QString *reason);   // the keypad

} // namespace quiz

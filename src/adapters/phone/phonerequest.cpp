#include "adapters/phone/phonerequest.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QUrlQuery>

#include <cmath>

namespace quiz
{

namespace
{

constexpr double kMaxAnswerId = 9007199254740991; // 2^53 - 1: a whole number a page can count to

template <typename T> std::optional<T> missing(const char *field, QString *reason)
{
    *reason = QString("missing field: ") + field;
    return std::nullopt;
}

} // namespace

QString requestToken(const QByteArray &authorization, const QUrl &url)
{
    if (authorization.startsWith("Bearer "))
        return QString::fromLatin1(authorization.mid(7).trimmed());
    return QUrlQuery(url).queryItemValue("token");
}

std::optional<QString> socketToken(const QUrl &url)
{
    if (url.path() != "/ws")
        return std::nullopt;
    return QUrlQuery(url).queryItemValue("token");
}

std::optional<QJsonObject> parseRequestBody(const QByteArray &body, QString *reason)
{
    if (body.size() > kMaxRequestBody) {
        *reason = "the request is over 4 KB";
        return std::nullopt;
    }
    if (body.trimmed().isEmpty())
        return QJsonObject();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        *reason = "the request is not a JSON object";
        return std::nullopt;
    }
    return document.object();
}

std::optional<JoinRequest> parseJoinRequest(const QJsonObject &body, QString *reason)
{
    if (!body.value("code").isString())
        return missing<JoinRequest>("code", reason);
    if (!body.value("name").isString())
        return missing<JoinRequest>("name", reason);
    return JoinRequest{body.value("code").toString(), body.value("name").toString()};
}

std::optional<QString> parseNamesRequest(const QJsonObject &body, QString *reason)
{
    if (!body.value("code").isString())
        return missing<QString>("code", reason);
    return body.value("code").toString();
}

std::optional<AnswerRequest> parseAnswerRequest(const QJsonObject &body, QString *reason)
{
    if (!body.value("vote").isDouble())
        return missing<AnswerRequest>("vote", reason);
    if (!body.value("answer").isString())
        return missing<AnswerRequest>("answer", reason);
    AnswerRequest request{body.value("vote").toInt(), body.value("answer").toString()};
    const QJsonValue id = body.value("id");
    if (!id.isUndefined()) {
        const double number = id.toDouble();
        if (!id.isDouble() || number < 1 || number > kMaxAnswerId || number != std::floor(number)) {
            *reason = "the answer's id is not a whole number from 1";
            return std::nullopt;
        }
        request.id = static_cast<std::int64_t>(number);
    }
    if (const QJsonValue question = body.value("question"); question.isString())
        request.question = question.toString();
    return request;
}

std::optional<QString> parseOpenRequest(const QJsonObject &body, QString *reason)
{
    if (!body.value("question").isString())
        return missing<QString>("question", reason);
    return body.value("question").toString();
}

std::optional<int> parseRemoveRequest(const QJsonObject &body, QString *reason)
{
    if (!body.value("keypad").isDouble())
        return missing<int>("keypad", reason);
    return body.value("keypad").toInt();
}

} // namespace quiz

#pragma once

// What the phone server's tests share: an evening on a test folder (the demo
// questions copied in, join code "123456", presenter token
// "presenter-secret"), and one request at a time to a server on a port.

#include "adapters/phone/phoneserver.h"
#include "support/testfolder.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

namespace quiz::test
{

inline void copyDemo(const std::filesystem::path &folder, std::initializer_list<const char *> files)
{
    for (const char *file : files)
        std::filesystem::copy_file(std::string(QUIZ_DEMO_DIR) + "/" + file, folder / file);
}

// Served on a free loopback port once started; in-process requests go to api().
inline PhoneServer::Options phoneEvening(const TestFolder &data, std::string *log = nullptr)
{
    PhoneServer::Options options;
    options.address = QHostAddress::LocalHost;
    options.port = 0;
    options.dataFolder = QString::fromStdString(data.str());
    options.joinCode = "123456";
    options.presenterToken = "presenter-secret";
    if (log)
        options.log = [log](const std::string &line) { *log += line + "\n"; };
    return options;
}

inline QByteArray joinBody(const QByteArray &name)
{
    return R"({"code":"123456","name":")" + name + R"("})";
}

struct HttpAnswer {
    int status = 0; // 0: no whole answer
    QJsonObject body;
};

// One request over loopback; then() gets its answer in the event loop.
inline void sendThen(quint16 port, const QByteArray &method, const QString &path, const QString &token,
                     const QByteArray &body, std::function<void(const HttpAnswer &)> then)
{
    static QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QString("http://127.0.0.1:%1%2").arg(port).arg(path)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    request.setTransferTimeout(60000); // a server that does not answer fails the test, not hangs it
    if (!token.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + token.toUtf8());
    QNetworkReply *reply = network.sendCustomRequest(request, method, body);
    QObject::connect(reply, &QNetworkReply::finished, [reply, then = std::move(then)] {
        then({reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
              QJsonDocument::fromJson(reply->readAll()).object()});
        reply->deleteLater();
    });
}

// The same, its answer waited for.
inline HttpAnswer send(quint16 port, const QByteArray &method, const QString &path, const QString &token,
                       const QByteArray &body = {})
{
    HttpAnswer answer;
    QEventLoop loop;
    sendThen(port, method, path, token, body, [&](const HttpAnswer &got) {
        answer = got;
        loop.quit();
    });
    loop.exec();
    return answer;
}

} // namespace quiz::test

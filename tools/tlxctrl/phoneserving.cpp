#include "phoneserving.h"

#include "adapters/phone/qrcode.h"
#include "core/controller/presenterurl.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>

namespace quiz
{

namespace
{

QString optionOrEnv(const QCommandLineParser &parser, const QString &option, const char *env)
{
    return parser.isSet(option) ? parser.value(option) : qEnvironmentVariable(env);
}

bool fail(int *exitCode, const QString &message)
{
    std::fprintf(stderr, "tlxctrl: %s\n", qPrintable(message));
    *exitCode = 1;
    return false;
}

} // namespace

void PhoneServing::addOptions(QCommandLineParser &parser)
{
    parser.addOption({"serve",
                      "Serve the phone keypads on [ADDRESS:]PORT (default address: every interface).",
                      "[ADDRESS:]PORT"});
    parser.addOption(
        {"join-code", "The audience's join code (6 digits; new each start when not given).", "CODE"});
    parser.addOption(
        {"presenter-token", "The presenter page's token (new each start when not given).", "TOKEN"});
    parser.addOption({"qr", "Write the QR code of the audience address to FILE.png.", "FILE.png"});
    parser.addOption(
        {"data", "The data folder (votes.rec, question files); the current folder by default.", "FOLDER"});
}

std::unique_ptr<PhoneServing> PhoneServing::start(const QCommandLineParser &parser, const QString &socketPath,
                                                  const QString &namesFile, std::vector<Participant> listed,
                                                  std::function<void(const std::string &)> log, int *exitCode)
{
    *exitCode = -1;
    const QString serve = optionOrEnv(parser, "serve", "TALVIX_SERVE");
    const QString qrPath = parser.value("qr");
    if (serve.isEmpty() && qrPath.isEmpty())
        return nullptr;
    ServeAddress where{"", 8080};
    if (!serve.isEmpty() && !parseServeAddress(serve.toStdString(), &where))
        return fail(exitCode, "--serve takes [ADDRESS:]PORT, not " + serve), nullptr;
    PhoneServer::Options options;
    options.address = where.address.empty() ? QHostAddress(QHostAddress::Any)
                                            : QHostAddress(QString::fromStdString(where.address));
    if (options.address.isNull())
        return fail(exitCode, "--serve: no such address " + QString::fromStdString(where.address)), nullptr;
    options.port = static_cast<quint16>(where.port);
    options.joinCode = parser.value("join-code");
    if (!options.joinCode.isEmpty() && !QRegularExpression("^[0-9]{6}$").match(options.joinCode).hasMatch())
        return fail(exitCode, "--join-code takes 6 digits"), nullptr;
    options.presenterToken = parser.value("presenter-token");
    options.dataFolder =
        QDir(parser.isSet("data") ? parser.value("data") : QDir::currentPath()).absolutePath();
    options.namesPath = namesFile.isEmpty() ? QDir(options.dataFolder).filePath("names.csv") : namesFile;
    options.listed = std::move(listed);
    options.log = std::move(log);

    auto serving = std::unique_ptr<PhoneServing>(new PhoneServing);
    serving->server_ = std::make_unique<PhoneServer>(options);
    PhoneServer &server = *serving->server_;
    if (serve.isEmpty()) { // only the QR code of a slide: the address, the code when it is fixed
        const QString text = PhoneServer::audienceUrlFor(options.address, options.port) +
                             (options.joinCode.isEmpty() ? "" : "#code=" + options.joinCode);
        const QByteArray png = qrCodePng(text);
        QFile file(qrPath);
        if (png.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(png) != png.size())
            return fail(exitCode, "cannot write " + qrPath), nullptr;
        std::fprintf(stderr, "tlxctrl: wrote the QR code of %s to %s\n", qPrintable(text),
                     qPrintable(qrPath));
        *exitCode = 0;
        return nullptr;
    }
    QString error;
    if (!server.start(&error))
        return fail(exitCode, error), nullptr;
    if (!qrPath.isEmpty()) {
        QFile file(qrPath);
        const QByteArray png = qrCodePng(server.audienceUrl() + "#code=" + server.joinCode());
        if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size())
            return fail(exitCode, "cannot write " + qrPath), nullptr;
    }
    serving->url_ = server.presenterUrl();
    serving->urlFile_ = QString::fromStdString(presenterUrlFilePath(socketPath.toStdString()));
    std::string writeError;
    if (!writePrivateFileAtomic(serving->urlFile_.toStdString(), serving->url_.toStdString() + "\n",
                                &writeError))
        std::fprintf(stderr, "tlxctrl: %s\n", writeError.c_str());
    std::fprintf(stderr, "tlxctrl: phones join at %s with the code %s\ntlxctrl: presenter page %s\n",
                 qPrintable(server.audienceUrl()), qPrintable(server.joinCode()), qPrintable(serving->url_));
    return serving;
}

PhoneServing::~PhoneServing()
{
    if (urlFile_.isEmpty())
        return;
    QFile file(urlFile_);
    // Another controller may have taken the file over since: leave its address.
    if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == url_.toUtf8()) {
        file.close();
        file.remove();
    }
}

} // namespace quiz

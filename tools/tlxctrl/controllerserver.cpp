#include "controllerserver.h"

#include "core/controller/namescsv.h"

#include <QCoreApplication>
#include <QLocalSocket>

namespace quiz
{

ControllerServer::ControllerServer(Options options, QFile *log) : options_(std::move(options)), log_(log)
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, [this] { accept(); });
    idleSince_.start();
    if (options_.idleExitSeconds > 0) {
        QObject::connect(&idleTimer_, &QTimer::timeout, [this] { checkIdle(); });
        idleTimer_.start(200);
    }
}

ControllerServer::~ControllerServer()
{
    server_.close();
}

bool ControllerServer::listen(QString *error)
{
    {
        QLocalSocket probe;
        probe.connectToServer(options_.socketPath);
        if (probe.waitForConnected(500)) {
            probe.abort();
            *error = "a controller already serves " + options_.socketPath;
            return false;
        }
    }
    QLocalServer::removeServer(options_.socketPath);
    if (!server_.listen(options_.socketPath)) {
        *error = "cannot listen on " + options_.socketPath + ": " + server_.errorString();
        return false;
    }
    return true;
}

void ControllerServer::accept()
{
    while (QLocalSocket *socket = server_.nextPendingConnection()) {
        auto client = std::make_unique<Client>();
        client->socket = socket;
        clients_[socket] = std::move(client);
        QObject::connect(socket, &QLocalSocket::readyRead, [this, socket] { readFrom(socket); });
        QObject::connect(socket, &QLocalSocket::disconnected, [this, socket] {
            clients_.erase(socket);
            socket->deleteLater();
            idleSince_.restart();
        });
        if (options_.sendStatus)
            sendText(socket, "baseType=stand-in\r\nmax_kpads=" +
                                 std::to_string(std::max<std::size_t>(options_.participants.size(), 1)));
    }
}

void ControllerServer::readFrom(QLocalSocket *socket)
{
    const auto it = clients_.find(socket);
    if (it == clients_.end())
        return;
    Client &client = *it->second;
    const QByteArray bytes = socket->readAll();
    client.decoder.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    while (auto command = client.decoder.next()) {
        log(*command);
        if (*command == "GetNames")
            sendText(socket, formatNamesReply(options_.currentNames ? options_.currentNames()
                                                                    : options_.participants));
        if (options_.onCommand)
            options_.onCommand(*command);
    }
    if (client.decoder.broken()) {
        log("(a frame too long: connection closed)");
        socket->abort();
    }
}

void ControllerServer::sendText(QLocalSocket *socket, const std::string &text)
{
    const std::string frame = encodeFrame(text);
    socket->write(frame.data(), static_cast<qint64>(frame.size()));
    socket->flush();
}

void ControllerServer::log(const std::string &command)
{
    log_->write(command.data(), static_cast<qint64>(command.size()));
    log_->write("\n");
    log_->flush();
}

void ControllerServer::checkIdle()
{
    if (clients_.empty() && idleSince_.elapsed() >= options_.idleExitSeconds * 1000LL)
        QCoreApplication::quit();
    if (!clients_.empty())
        idleSince_.restart();
}

} // namespace quiz

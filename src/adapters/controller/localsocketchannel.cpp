#include "adapters/controller/localsocketchannel.h"

#include "core/controller/socketpath.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QStringList>

namespace quiz
{

std::string LocalSocketChannel::defaultSocketPath(const std::string &controllerSocket,
                                                  const std::string &runtimeFolder)
{
    return controllerSocketPath(controllerSocket, runtimeFolder, QDir::tempPath().toStdString());
}

LocalSocketChannel::LocalSocketChannel(std::string socketPath) : socketPath_(std::move(socketPath)) {}

LocalSocketChannel::~LocalSocketChannel()
{
    if (socket_) {
        socket_->disconnect();
        socket_->abort();
    }
}

bool LocalSocketChannel::isOpen() const
{
    return socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

bool LocalSocketChannel::controllerRunning()
{
    if (isOpen())
        return true;
    QLocalSocket probe;
    probe.connectToServer(QString::fromStdString(socketPath_));
    const bool running = probe.waitForConnected(probeTimeoutMs);
    probe.abort();
    return running;
}

bool LocalSocketChannel::open()
{
    if (socket_) {
        socket_->disconnect();
        socket_->abort();
        socket_.reset();
    }
    decoder_ = FrameDecoder{};
    socket_ = std::make_unique<QLocalSocket>();
    QObject::connect(socket_.get(), &QLocalSocket::readyRead, [this] { readAvailable(); });
    socket_->connectToServer(QString::fromStdString(socketPath_));
    if (!socket_->waitForConnected(connectTimeoutMs)) {
        socket_.reset();
        return false;
    }
    return true;
}

SendResult LocalSocketChannel::send(const std::string &command)
{
    if (command.size() > FrameDecoder::maxFrameLength)
        return SendResult::Refused;
    if (!isOpen())
        return SendResult::Failed;
    const std::string frame = encodeFrame(command);
    if (socket_->write(frame.data(), static_cast<qint64>(frame.size())) != static_cast<qint64>(frame.size()))
        return SendResult::Failed;
    while (socket_->bytesToWrite() > 0) {
        if (!socket_->waitForBytesWritten(connectTimeoutMs))
            return SendResult::Failed;
    }
    return isOpen() ? SendResult::Delivered : SendResult::Failed;
}

void LocalSocketChannel::setTextHandler(std::function<void(const std::string &)> handler)
{
    handler_ = std::move(handler);
}

void LocalSocketChannel::readAvailable()
{
    if (!socket_)
        return;
    const QByteArray bytes = socket_->readAll();
    decoder_.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    while (auto text = decoder_.next()) {
        if (handler_)
            handler_(*text);
    }
    if (decoder_.broken())
        socket_->abort(); // the next send fails and the link is made again
}

bool LocalSocketChannel::startController(const std::string &programPath, const std::string &workingFolder)
{
    qint64 pid = 0;
    const bool started = QProcess::startDetached(QString::fromStdString(programPath), QStringList(),
                                                 QString::fromStdString(workingFolder), &pid);
    if (started)
        startedPid_ = pid;
    return started;
}

} // namespace quiz

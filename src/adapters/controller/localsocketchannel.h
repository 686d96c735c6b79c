#pragma once

#include "core/controller/frame.h"
#include "ports/controllerchannel.h"

#include <QtGlobal>

#include <memory>

class QLocalSocket;

namespace quiz
{

// The controller link over a local socket: every message one frame (4-byte
// big-endian length, UTF-8 text). Texts from the controller are delivered to
// the handler in order, as the event loop reads them.
class LocalSocketChannel : public ControllerChannel
{
  public:
    static constexpr int connectTimeoutMs = 2000;
    static constexpr int probeTimeoutMs = 500;

    // The socket path from $TALVIX_CONTROLLER_SOCKET, $XDG_RUNTIME_DIR (the
    // variables' values) or the system's temporary folder.
    static std::string defaultSocketPath(const std::string &controllerSocket,
                                         const std::string &runtimeFolder);

    explicit LocalSocketChannel(std::string socketPath);
    ~LocalSocketChannel() override;

    bool controllerRunning() override;
    bool open() override;
    SendResult send(const std::string &command) override;
    void setTextHandler(std::function<void(const std::string &)> handler) override;
    bool startController(const std::string &programPath, const std::string &workingFolder = {}) override;

    const std::string &socketPath() const { return socketPath_; }
    bool isOpen() const;
    // The process id of the last controller started, 0 when none was.
    qint64 startedProcessId() const { return startedPid_; }

  private:
    void readAvailable();

    std::string socketPath_;
    std::unique_ptr<QLocalSocket> socket_;
    FrameDecoder decoder_;
    std::function<void(const std::string &)> handler_;
    qint64 startedPid_ = 0;
};

} // namespace quiz

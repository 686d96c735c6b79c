#pragma once

#include "core/controller/frame.h"
#include "core/startup/quizstate.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QLocalSocket;

namespace quiz
{

// The stand-in's server: one frame per message both ways; "GetNames" is
// answered with the names list, every command is logged, nothing else is
// answered.
class ControllerServer
{
  public:
    struct Options {
        QString socketPath;
        std::vector<Participant> participants;
        // When set, "GetNames" answers what it gives (the phones that joined).
        std::function<std::vector<Participant>()> currentNames;
        bool sendStatus = false;
        int idleExitSeconds = 0; // 0: serve until killed
        // Called with every command after it is logged (the show beside the office).
        std::function<void(const std::string &)> onCommand;
    };

    ControllerServer(Options options, QFile *log);
    ~ControllerServer();
    // Removes a stale socket and listens; false (with the reason) when another
    // controller already serves the socket or listening fails.
    bool listen(QString *error);
    // One line in the log.
    void log(const std::string &line);

  private:
    struct Client {
        QLocalSocket *socket = nullptr;
        FrameDecoder decoder;
    };

    void accept();
    void readFrom(QLocalSocket *socket);
    void sendText(QLocalSocket *socket, const std::string &text);
    void checkIdle();

    Options options_;
    QFile *log_;
    QLocalServer server_;
    std::map<QLocalSocket *, std::unique_ptr<Client>> clients_;
    QTimer idleTimer_;
    QElapsedTimer idleSince_;
};

} // namespace quiz

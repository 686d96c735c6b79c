#pragma once

#include "core/controller/frame.h"
#include "core/startup/quizstate.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class QLocalSocket;

namespace quiz {

// The stand-in's server: one frame per message both ways; "GetNames" is
// answered with the names list, every command is logged, nothing else is
// answered.
class ControllerServer {
public:
    struct Options {
        QString socketPath;
        std::vector<Participant> participants;
        bool sendStatus = false;
        int idleExitSeconds = 0; // 0: serve until killed
    };

    ControllerServer(Options options, QFile *log);
    ~ControllerServer();
    // Removes a stale socket and listens; false (with the reason) when another
    // controller already serves the socket or listening fails.
    bool listen(QString *error);

private:
    struct Client {
        QLocalSocket *socket = nullptr;
        FrameDecoder decoder;
    };

    void accept();
    void readFrom(QLocalSocket *socket);
    void sendText(QLocalSocket *socket, const std::string &text);
    void log(const std::string &command);
    void checkIdle();

    Options options_;
    QFile *log_;
    QLocalServer server_;
    std::map<QLocalSocket *, std::unique_ptr<Client>> clients_;
    QTimer idleTimer_;
    QElapsedTimer idleSince_;
};

} // namespace quiz

#pragma once

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace quiz
{

struct InstanceListener;

// "<runtimeDir>/talvix-quiz-<uid>", or in the system's temporary folder when
// runtimeDir is empty.
std::string instanceSocketPath(const std::string &runtimeDir, unsigned uid);
// The same for this user (runtimeDir: the value of XDG_RUNTIME_DIR).
std::string instanceSocketPath(const std::string &runtimeDir);

// One running instance of the program per user. The running instance listens
// on a private local socket; a new one finds it there and asks it to close
// its windows of a given title. Each request is one frame: a 4-byte
// big-endian length, then the UTF-8 text "close:" + title.
class InstanceGuard
{
  public:
    explicit InstanceGuard(std::string socketPath);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    // True when another instance answers on the socket (never this one).
    bool anotherInstanceRunning();
    // Asks the instance on the socket to close its windows titled exactly
    // `title`; returns once the request is sent (false when nobody answers).
    bool askOthersToClose(const std::string &title);
    // Answers requests from now on: each requested title goes to
    // onCloseRequest, from the event loop. A stale socket, or one still held
    // by an older instance, is taken over. False when listening failed.
    bool listen(std::function<void(const std::string &title)> onCloseRequest);
    void stopListening();
    bool listening() const;

    // The title this instance answers to as an application (the one that
    // ends its run when a close request names it).
    void setApplicationTitle(const std::string &title) { applicationTitle_ = title; }
    const std::string &applicationTitle() const { return applicationTitle_; }
    const std::string &socketPath() const { return socketPath_; }

  private:
    std::string socketPath_;
    std::string applicationTitle_ = "Quiz";
    QLocalServer *server_ = nullptr; // deleted later: a handler may stop listening from inside a request
    // Shared with the server's connections, which may outlive this guard.
    std::shared_ptr<InstanceListener> listener_;
};

} // namespace quiz

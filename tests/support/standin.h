#pragma once

// Runs the controller stand-in (build/tools/tlxctrl/tlxctrl) for a test, and
// lets the event loop run while a test waits for it.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <functional>
#include <string>

#include "support/wait.h"

namespace quiz::test
{

inline QString standInPath()
{
    return QString(QUIZ_BINARY_DIR) + "/tools/tlxctrl/tlxctrl";
}

class StandIn
{
  public:
    StandIn(const std::string &socketPath, const QStringList &extra)
    {
        process_.setProgram(standInPath());
        process_.setArguments(QStringList{"--socket", QString::fromStdString(socketPath)} + extra);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        started_ = process_.waitForStarted(5000);
    }
    ~StandIn() { stop(); }
    StandIn(const StandIn &) = delete;
    StandIn &operator=(const StandIn &) = delete;

    bool started() const { return started_; }
    void stop()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000)) {
                process_.kill();
                process_.waitForFinished(3000);
            }
        }
    }

  private:
    QProcess process_;
    bool started_ = false;
};

} // namespace quiz::test

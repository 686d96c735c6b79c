#pragma once

// Runs the real program for a benchmark, with the controller stand-in
// serving the meeting's folder for the whole benchmark.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QThread>

namespace quiz::bench {

// The environment of a run in a meeting folder: offscreen, the folder's own
// controller socket, no workbook opened on the desktop.
inline QProcessEnvironment runEnvironment(const QString &folder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("TALVIX_DIALOGS");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TALVIX_CONTROLLER_SOCKET", folder + "/controller.sock");
    env.insert("TALVIX_NO_OPEN", "1");
    return env;
}

inline QString programPath(const char *relative)
{
    return QString(QUIZ_BINARY_DIR) + "/" + relative;
}

// The controller stand-in, running while the object lives.
class ControllerStandIn {
public:
    ControllerStandIn(const QString &folder, const QProcessEnvironment &env)
    {
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(folder);
        process_.start(programPath("tools/tlxctrl/tlxctrl"), {"--idle-exit", "600"});
        started_ = process_.waitForStarted(5000);
        if (started_)
            QThread::msleep(300); // until it listens
    }
    ~ControllerStandIn()
    {
        process_.kill();
        process_.waitForFinished(3000);
    }
    ControllerStandIn(const ControllerStandIn &) = delete;
    ControllerStandIn &operator=(const ControllerStandIn &) = delete;

    bool started() const { return started_; }

private:
    QProcess process_;
    bool started_ = false;
};

} // namespace quiz::bench

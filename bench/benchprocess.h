#pragma once

// Runs the real program for a benchmark, with the controller stand-in
// serving the meeting's folder for the whole benchmark.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QThread>

#include <sys/resource.h>
#include <zlib.h>

#include <chrono>
#include <string>
#include <vector>

namespace quiz::bench
{

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
    // Its own runtime folder: runs of other programs on the machine are not
    // taken for an earlier instance of this one.
    const QString runtime = folder + "/runtime";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert("XDG_RUNTIME_DIR", runtime);
    return env;
}

// The largest resident size of any child process waited for so far, in MB.
inline double childrenPeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Processor time (user and system) of the child processes waited for so far, in seconds.
inline double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The processor time (user and system) of this process so far, in seconds.
inline double selfCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The floor of a workbook: its parts' XML (unzipped by the system's unzip)
// compressed once with zlib at the level the xlsx writer uses (6, zlib's
// default), on one core. Seconds of processor time; xmlBytes gets the XML's size.
inline double compressXmlOnce(const QString &workbook, double *xmlBytes = nullptr)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", workbook});
    unzip.waitForFinished(120000);
    const QByteArray xml = unzip.readAllStandardOutput();
    if (xmlBytes)
        *xmlBytes = static_cast<double>(xml.size());
    std::vector<Bytef> out(compressBound(static_cast<uLong>(xml.size())));
    uLongf size = static_cast<uLongf>(out.size());
    const double before = selfCpuSeconds();
    compress2(out.data(), &size, reinterpret_cast<const Bytef *>(xml.constData()),
              static_cast<uLong>(xml.size()), Z_DEFAULT_COMPRESSION);
    return selfCpuSeconds() - before;
}

inline QString programPath(const char *relative)
{
    return QString(QUIZ_BINARY_DIR) + "/" + relative;
}

// The controller stand-in, running while the object lives.
class ControllerStandIn
{
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

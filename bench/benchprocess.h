#pragma once

// Runs the real program for a benchmark, with the controller stand-in
// serving the meeting's folder for the whole benchmark.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QThread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace quiz::bench
{

// What one run of the program measured.
struct ProcessFigures {
    bool ok = false;   // it ended with 0 and printed what was waited for
    double toSeen = 0; // seconds from the start until `seen` said enough
    double cpu = 0;    // its user + system time, in seconds
    long peakKb = 0;   // its largest resident size
};

// Runs program with args in folder under env (its standard error dropped),
// reading its standard output a character at a time until seen(c) says
// enough or the output ends (with no seen, until it ends: enough then);
// then waits for its end. The child's peak memory
// starts from this process's (the spawn shares it until exec), so this
// process's peak is brought down to what it holds first.
inline ProcessFigures runMeasured(const std::string &program, const std::vector<std::string> &args,
                                  const std::string &folder, const std::vector<std::string> &env,
                                  const std::function<bool(char)> &seen)
{
    ProcessFigures f;
    int out[2];
    if (::pipe(out) != 0)
        return f;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);
    if (::chdir(folder.c_str()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[0]);
        ::close(out[1]);
        return f;
    }
    if (FILE *refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return f;
    }
    bool enough = false;
    char c = 0;
    while (!enough && ::read(out[0], &c, 1) == 1)
        enough = seen && seen(c);
    enough = enough || !seen;
    f.toSeen = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && enough;
    f.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    f.peakKb = usage.ru_maxrss;
    return f;
}

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

// Reads the files' bytes once, as fast as the system gives them (a run's
// floor: the record files read once). Seconds of wall clock.
inline double readFilesOnce(const std::vector<std::string> &paths)
{
    static std::vector<char> buffer(1 << 20);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string &p : paths) {
        const int fd = ::open(p.c_str(), O_RDONLY);
        while (fd >= 0 && ::read(fd, buffer.data(), buffer.size()) > 0) {
        }
        if (fd >= 0)
            ::close(fd);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The floor of a workbook: its parts' XML (unzipped by the system's unzip)
// compressed once with zlib at the given level (the xlsx writer's), on one core. Seconds of processor time;
// xmlBytes gets the XML's size.
inline double compressXmlOnce(const QString &workbook, int level, double *xmlBytes = nullptr)
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
              static_cast<uLong>(xml.size()), level);
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

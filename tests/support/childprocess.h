#pragma once

// A program a test starts (the office, the controller) and ends by its id,
// and polling for a condition.

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <map>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quiz::test
{

inline bool waitFor(const std::function<bool()> &condition, int seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(250)))
        if (condition())
            return true;
    return false;
}

// As waitFor, an exception from the condition counting as "not yet" (a program
// still coming up may refuse a call).
inline bool waitThroughErrors(const std::function<bool()> &condition, int seconds)
{
    return waitFor(
        [&] {
            try {
                return condition();
            } catch (const std::exception &) {
                return false;
            }
        },
        seconds);
}

// In a child just forked: it ends with the test, even one killed on a
// time-out, and holds none of the test's streams open.
inline void tieToTestAndSilence(int deathSignal)
{
    prctl(PR_SET_PDEATHSIG, deathSignal);
    const int null = open("/dev/null", O_RDWR);
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        dup2(null, fd);
}

// Started with changes to the environment ("" removes a variable), the program
// found on the PATH unless named with its folder. The office started on a new
// profile may ask to be started again (exit code 81).
class Child
{
  public:
    Child(std::vector<std::string> args, std::map<std::string, std::string> env = {})
        : args_(std::move(args)), env_(std::move(env))
    {
        start();
    }
    ~Child() { stop(); }
    // Ends it (SIGTERM, then SIGKILL after 10 s) and waits for it.
    void stop()
    {
        if (pid_ > 0 && kill(pid_, SIGTERM) == 0 &&
            !waitFor([&] { return waitpid(pid_, nullptr, WNOHANG); }, 10))
            kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    bool runningOrRestarted()
    {
        int status = 0;
        if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            if (WIFEXITED(status) && WEXITSTATUS(status) == 81 && restarts_++ < 2)
                start();
        }
        return pid_ > 0;
    }

  private:
    void start()
    {
        if ((pid_ = fork()) != 0)
            return;
        tieToTestAndSilence(SIGKILL);
        for (const auto &[name, value] : env_)
            value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
        std::vector<char *> argv;
        for (std::string &arg : args_)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    std::vector<std::string> args_;
    std::map<std::string, std::string> env_;
    pid_t pid_ = -1;
    int restarts_ = 0;
};

} // namespace quiz::test

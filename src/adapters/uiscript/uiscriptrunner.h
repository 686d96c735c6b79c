#pragma once

#include "core/diagnostics/uiscript.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace quiz
{

// Runs a UI script on the GUI thread: each action waits (up to the timeout)
// for its window to be shown and its control to exist, is checked, logged as
// one JSON line, and performed. Actions run from timers, so they go on inside
// the modal loops that earlier actions open (a pop-up menu's, a dialog's).
//
// A fault is logged and handed to `stop` with its exit code and a one-line
// reason; in the program, `stop` ends the run. When the script has run out
// and the run has not ended within the timeout, that is a fault too
// (Unfinished). Actions the run never reached because it ended are logged
// as "notrun" when the runner goes.
class UiScriptRunner : public QObject
{
  public:
    using Stop = std::function<void(int exitCode, const std::string &reason)>;

    // logPath "" keeps no log.
    UiScriptRunner(UiScript script, std::string logPath, Stop stop, int timeoutMs = 10000);
    ~UiScriptRunner() override;

    // Reads the script at `path` (its log is `path` + ".log", started afresh).
    // An unreadable file gives a script whose fault is Unreadable.
    static std::unique_ptr<UiScriptRunner> fromFile(const std::string &path, Stop stop,
                                                    int timeoutMs = 10000);

    // Reports a script that does not parse, else starts the first action.
    void start();

    bool stopped() const { return stopped_; }
    int actionsDone() const { return static_cast<int>(next_); }

  private:
    void step();
    void schedule(int ms);
    // Schedules the current action again unless its timeout has run out (false).
    bool lookAgainLater();
    void fail(int line, const std::string &word, const std::string &target, const std::string &args,
              UiScriptFault fault, const std::string &message);
    void log(int line, const std::string &word, const std::string &target, const std::string &args,
             const std::string &result, const std::string &message);

    UiScript script_;
    std::string logPath_;
    Stop stop_;
    int timeoutMs_;
    size_t next_ = 0;
    bool waiting_ = false;
    QElapsedTimer waited_;
    bool endArmed_ = false;
    bool stopped_ = false;
    bool started_ = false;
};

} // namespace quiz

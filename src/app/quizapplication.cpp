#include "app/quizapplication.h"

#include "adapters/uiscript/uiscriptrunner.h"
#include "app/environment.h"
#include "app/modes/modes.h"
#include "app/options.h"
#include "app/phonevotingstart.h"
#include "app/platformservices.h"
#include "app/presentationplatform.h"
#include "app/uiscriptstart.h"
#include "app/usage.h"
#include "core/common/runend.h"
#include "core/run/startup.h"
#include "core/startup/commandline.h"
#include "qtsupport/noscreen.h"
#include "qtsupport/trace.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace quiz
{

namespace
{

// The variable naming the script that answers the program's windows (uiscriptstart.h).
constexpr const char *kUiScriptVariable = "TALVIX_UI_SCRIPT";

// Ends the run from inside the event loop. The windows' handlers catch an
// end of the run themselves (ui/common/handlerguard.h), latch it and leave
// the event loops, so it never unwinds through Qt's frames; an end that still
// reaches a dispatched event stops here. Once the run has ended, no event is
// delivered any more.
class QuizApplication : public QApplication
{
  public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (ended_ || latchedRunEnd())
            return false;
        try {
            return QApplication::notify(receiver, event);
        } catch (const RunEnded &end) {
            // Thrown again where the program regains control (a yield, a
            // dialog's return), so a waiting loop does not carry on.
            latchRunEnd(end);
            finish(end);
            return true;
        } catch (const std::exception &error) {
            // An unexpected failure ends the run the same way, so the
            // desktop is given back as the run's platform unwinds.
            const RunEnded end{1, std::string("unexpected error: ") + error.what()};
            latchRunEnd(end);
            finish(end);
            return true;
        }
    }

    void finish(const RunEnded &end)
    {
        if (ended_)
            return;
        ended_ = true;
        exitCode_ = end.exitCode;
        if (!end.reason.empty())
            std::fprintf(stderr, "quiz: %s\n", end.reason.c_str());
        QCoreApplication::exit(end.exitCode);
    }

    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }

  private:
    bool ended_ = false;
    int exitCode_ = 0;
};

// With TALVIX_TRACE set, each run says on standard error which mode it runs
// and with which quiz file.
ModeHandler traced(const char *name, void (*handler)(RunContext &))
{
    return [name, handler](RunContext &ctx) {
        trace(std::string("mode ") + name + ", quiz file \"" + ctx.state.quizFileName + "\", slide " +
              std::to_string(ctx.state.currentSlide));
        handler(ctx);
    };
}

ModeTable modeTable()
{
    return {
        {"SETUP", traced("SETUP", runSetupMode)},
        {"WIZARD", traced("WIZARD", runWizardMode)},
        {"DISPLAY", traced("DISPLAY", runDisplayMode)},
        {"INSERT", traced("INSERT", runInsertMode)},
        {"EXPORT", traced("EXPORT", runExportMode)},
        {"RESULTSTABLE", traced("RESULTSTABLE", runResultsTableMode)},
        {"PRINT", traced("PRINT", runPrintMode)},
        {"PARTSETUP", traced("PARTSETUP", runPartSetupMode)},
        {"QUESTION", traced("QUESTION", runQuestionMode)},
    };
}

} // namespace

int runQuiz(int argc, char *argv[])
{
    // Answered before anything looks for a display or a presentation program.
    if (const std::string information = informationFor(argc, argv); !information.empty()) {
        std::fputs(information.c_str(), stdout);
        return 0;
    }
    const ProgramEnvironment env = readProgramEnvironment();
    setTraceTarget(env.trace);
    const Options options = readOptions(argc, argv, env);
    chooseToolkitPlatform(options.hostFile, env);
    QuizApplication app(argc, argv);
    QApplication::setApplicationName("Quiz");
    QApplication::setQuitOnLastWindowClosed(false);
    // The office's "Phone voting..." entry: no presentation program, no mode.
    if (argc == 3 && std::string(argv[1]) == "--phone-voting")
        return runPhoneVoting(argv[2], env);
    // QApplication takes the user's locale; the files' numbers are always written with a point.
    std::setlocale(LC_NUMERIC, "C");

    // Destroyed before the application, after the run's end.
    std::unique_ptr<UiScriptRunner> uiScript;
    try {
        uiScript = startUiScript(env);
        PlatformServices platform(env, options.hostFile, options.impressConnection);
        RunContext &ctx = platform.context();
        RunStartup(ctx, joinArguments(options.words), platform.startupPlatform(), modeTable());
        rethrowLatchedRunEnd();
        // A window mode is up: the run lives in its window until it ends it;
        // without a screen only a UI script can answer the window.
        if (runsWithoutScreen(env) && !env.uiScriptRequested())
            endRunWithoutScreen("the program's window", std::string(kUiScriptVariable) + " to a UI script");
        app.exec();
        // An end latched by a handler ends the run here, with its code and reason.
        rethrowLatchedRunEnd();
    } catch (const RunEnded &end) {
        app.finish(end);
    } catch (const std::exception &error) {
        // Unwinding has given the desktop back (the pointer grab, the shields
        // over the presentation program) before the process ends.
        app.finish(RunEnded{1, std::string("unexpected error: ") + error.what()});
    }
    return app.exitCode();
}

} // namespace quiz

#include "core/run/startup.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/presentationlink/presentationlink.h"
#include "core/run/endofrun.h"
#include "core/startup/commandline.h"
#include "core/startup/workingfiles.h"
#include "ports/controllerchannel.h"
#include "ports/dialogs.h"
#include "ports/eventpump.h"
#include "ports/presentationhost.h"

namespace quiz
{

namespace
{

constexpr int controllerStartWaitMs = 4000;

std::string withTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool anyWordIsDisplay(const QuizState &s)
{
    for (const std::string *word : {&s.quizFileName, &s.modeWord, &s.slideArg, &s.extraArg})
        if (toUpper(trim(*word)) == "DISPLAY")
            return true;
    return false;
}

template <typename F> std::string valueOrBlank(F &&read)
{
    try {
        return std::to_string(read());
    } catch (...) {
        return {};
    }
}

} // namespace

std::string PresentationFolder(const std::string &path)
{
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash); // a presentation in the root folder
}

std::string DispatchModeName(const std::string &runMode)
{
    for (const char *mode :
         {"SETUP", "WIZARD", "DISPLAY", "INSERT", "EXPORT", "RESULTSTABLE", "PRINT", "QUESTION"})
        if (runMode == mode || runMode == std::string(mode) + " ")
            return mode;
    if (runMode == "PARTSETUP")
        return "PARTSETUP";
    return {};
}

void CheckPPTSlideNumber(RunContext &ctx)
{
    PresentationHost &host = *ctx.host;
    try {
        if (!host.attach())
            throw HostError(429, "Quiz", "The presentation program is not running");
        if (anyWordIsDisplay(ctx.state) && host.slideShowWindowCount() > 0 &&
            host.slideShowCurrentSlide() != ctx.state.currentSlide) {
            ctx.state.onFinishChoice = 0;
            QuitQuiz(ctx);
        }
    } catch (const HostError &error) {
        const std::string crlf = "\r\n";
        const std::string text =
            "Module: CheckPPTSlideNumber" + crlf + crlf + "Source: " + error.source() + crlf + crlf +
            "Error: " + std::to_string(error.number()) + crlf + error.what() + crlf + crlf +
            "Additional Info: " + "PPT.SlideShowWindows.Count = " +
            valueOrBlank([&] { return host.slideShowWindowCount(); }) + crlf +
            "PPT.ActiveWindow.View.Type = " + valueOrBlank([&] { return host.activeWindowViewType(); });
        ctx.dialogs->message(text, "Quiz Unexpected Error", MessageIcon::Exclamation, MessageButtons::Ok);
        endRun(1, "the presentation program failed while checking the slide");
    }
}

void EnsureControllerRunning(RunContext &ctx)
{
    ControllerChannel &controller = *ctx.controller;
    if (controller.controllerRunning())
        return;
    const std::string program = ctx.state.addinFolder + "tlxctrl";
    if (!FileExists(program)) {
        ctx.dialogs->message("The talvix controller is not installed.", "talvix", MessageIcon::Critical,
                             MessageButtons::Ok);
        endRun(1, "no controller at " + program);
    }
    controller.startController(program);
    // Waits as long as a starting controller needs, never more than the
    // fixed start-up allowance.
    const long long until = ctx.pump->nowMs() + controllerStartWaitMs;
    while (ctx.pump->nowMs() < until && !controller.controllerRunning())
        ctx.pump->waitMs(50);
}

void RunStartup(RunContext &ctx, const std::string &commandText, const StartupPlatform &platform,
                const ModeTable &modes)
{
    QuizState &s = ctx.state;
    PresentationHost &host = *ctx.host;

    // 1-2: the presentation program must show a window.
    s.pptWindows = {0};
    s.showWindows = {0};
    if (!WindowExists(ctx, host.titlePatterns().anyWindow))
        endRun(0, "no presentation program window");

    // 3-5: the command words.
    const CommandWords words =
        ParseCommandLine(commandText, [&host] { return host.slideShowCurrentSlide(); });
    s.quizFileName = words.quizFileName;
    s.modeWord = words.modeWord;
    s.slideArg = words.slideArg;
    s.extraArg = words.extraArg;
    s.currentSlide = words.currentSlide;
    CheckPPTSlideNumber(ctx);
    if (toUpper(s.modeWord) == "MAKE") {
        const auto answer =
            ctx.dialogs->input("What type? Setup, Display, Insert, Export, ResultsTable, Print, PartSetup",
                               "Debug mode", "ResultsTable");
        s.modeWord = toUpper(answer.value_or(""));
    }

    // 6-8: the add-in's folder and the controller.
    try {
        if (!host.attach())
            endRun(0, "the presentation program is not running");
        s.addinFolder = withTrailingSlash(host.addinFolder("talvix"));
    } catch (const HostError &error) {
        endRun(1, std::string("the presentation program failed: ") + error.what());
    }
    EnsureControllerRunning(ctx);
    CheckPPTSlideNumber(ctx);

    // 9-10: one instance; the presentation program's windows are disabled.
    if (platform.claimSingleInstance)
        platform.claimSingleInstance();
    CheckPPTSlideNumber(ctx);
    ReadTlxIni(s);
    EnablePowerPointWindows(ctx, false);
    CheckPPTSlideNumber(ctx);
    CheckPPTSlideNumber(ctx);

    // 11-15: the display table, the screen and the set-up defaults.
    s.displayAreas = {};
    if (platform.twipsPerPixel)
        std::tie(s.twipsPerPixelX, s.twipsPerPixelY) = platform.twipsPerPixel();
    s.displayCount = 5;
    s.onFinishChoice = 1;
    s.autoStart = true;
    s.reserved1 = 20;
    s.reserved2 = 20;
    s.displayFontName = "Arial";
    s.displayFontSize = 24;
    if (toUpper(s.quizFileName) == "DISPLAY") {
        // "DISPLAY,5" is the short form too: a number in the mode's place
        // names no mode, so the run is a DISPLAY run (and ends as one).
        if (s.modeWord.empty() || leadingNumber(s.modeWord) > 0)
            s.modeWord = "DISPLAY";
        s.quizFileName = "quiz.quz";
    }
    ResetDisplayPositions(s);
    s.showScores = 1;

    // 16: the active presentation, saved, gives the data folder.
    std::string presentationPath;
    try {
        if (host.presentationCount() == 0)
            endRun(0, "no presentation is open");
        presentationPath = host.activePresentationPath();
    } catch (const HostError &error) {
        endRun(1, std::string("the presentation program failed: ") + error.what());
    }
    if (presentationPath.empty())
        endRun(0, "the presentation was never saved");
    s.dataFolder = PresentationFolder(presentationPath);
    if (platform.setCurrentDirectory && !platform.setCurrentDirectory(s.dataFolder))
        endRun(1, "cannot open the presentation's folder " + s.dataFolder);

    // 17-19: the mode.
    s.runMode = toUpper(s.modeWord);
    if (s.modeWord.empty() || leadingNumber(s.modeWord) > 0) {
        s.runMode = toUpper(s.quizFileName);
        s.quizFileName = "quiz.quz";
    }
    s.setupForm = SetupFormKind::QuizForm;
    const std::string mode = DispatchModeName(s.runMode);
    const auto handler = modes.find(mode);
    if (mode.empty() || handler == modes.end() || !handler->second)
        endRun(0, "unknown mode \"" + s.runMode + "\"");
    handler->second(ctx);
}

} // namespace quiz

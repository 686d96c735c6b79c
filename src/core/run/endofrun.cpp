#include "core/run/endofrun.h"

#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/controller/controllerlink.h"
#include "core/presentationlink/presentationlink.h"
#include "core/startup/workingfiles.h"
#include "ports/presentationhost.h"
#include "ports/windowsystem.h"

namespace quiz
{

namespace
{

template <typename F> void ignoringFailure(F &&step)
{
    try {
        step();
    } catch (const RunEnded &) {
        throw;
    } catch (...) {
    }
}

} // namespace

void SendToController(RunContext &ctx, const std::string &command)
{
    if (ctx.link)
        ctx.link->SendCommandtoController(command);
}

void QuitQuiz(RunContext &ctx)
{
    QuizState &s = ctx.state;
    ignoringFailure([&] { EnablePowerPointWindows(ctx, true); });
    if (toUpper(s.modeWord) == "DISPLAY") {
        ignoringFailure([&] {
            const HostTitlePatterns patterns = ctx.host->titlePatterns();
            for (const std::string &title : {patterns.mainWindowTitle, patterns.showWindowTitle})
                if (const WindowHandle window = FindWindowToActivate(ctx, title))
                    ctx.windows->activateWindow(window);
        });
    }
    ignoringFailure([&] { ParkCursorOnShow(ctx); });
    ignoringFailure([&] { ReleaseCursor(ctx); });
    ignoringFailure([&] { HideAllForms(ctx); });
    ignoringFailure([&] { RemoveQuizActiveMarker(s); });
    // The results tables never move the show on, in the short form (mode in the first word) too.
    const bool resultsTable = s.modeWord == "RESULTSTABLE" || s.runMode == "RESULTSTABLE";
    if (!resultsTable && s.onFinishChoice == 1) {
        ignoringFailure([&] {
            const int slide = ctx.host->slideShowCurrentSlide();
            SendToController(ctx, "NextSlide," + std::to_string(slide));
        });
    }
    endRun(0);
}

void QuitAndRunBrevak(RunContext &ctx)
{
    ignoringFailure([&] { EnablePowerPointWindows(ctx, true); });
    ignoringFailure([&] { ReleaseCursor(ctx); });
    ignoringFailure([&] { ClearClipboard(ctx); });
    ignoringFailure([&] { HideAllForms(ctx); });
    ignoringFailure([&] {
        if (ctx.host->attach())
            ctx.host->runMacro("Brevak", {});
    });
    endRun(0);
}

} // namespace quiz

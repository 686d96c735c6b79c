#include "app/modes/modes.h"

#include "adapters/qt/widgetlinkform.h"
#include "app/uiscriptstart.h"
#include "core/common/runend.h"
#include "core/startup/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/presentationlink.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/displayrun.h"
#include "ui/display/frmtchartdisplay.h"

#include <cstdio>

namespace quiz {

// The top places over the running slide show, until a key or a click ends it.
void runDisplayMode(RunContext &ctx)
{
    if (!ctx.host || ctx.host->slideShowWindowCount() == 0) {
        if (ctx.dialogs)
            ctx.dialogs->message("Slide Show not running", "talvix Quiz", MessageIcon::Exclamation,
                                 MessageButtons::Ok);
        if (ctx.windows)
            EnablePowerPointWindows(ctx, true);
        endRun(0, "the slide show is not running");
    }

    LoadDisplayParticipants(ctx);
    const std::vector<std::string> quizList = ReadQuizForDisplay(ctx);
    std::string error;
    if (!WriteQuizActiveMarker(ctx.state, &error) && !error.empty())
        std::fprintf(stderr, "quiz: %s\n", error.c_str());

    MoveDisplayAreaDown(ctx);
    CaptureSlideShow(ctx);
    const int displayRowCount = ctx.state.displayCount;

    // The window lives as long as the run; the run's end ends the process.
    auto *window = new FrmTChartDisplay(ctx, programDisplayHooks(ctx));
    const DisplayArea area = ctx.state.displayAreas[0];
    if (ctx.windows)
        PlaceOverSlideShow(ctx, ctx.windows->ownWindowHandle(window), area.top, area.left, area.height,
                           area.width);
    ComposeChartDisplay(ctx, chartWindowParts(*window), false, false, displayRowCount, quizScoring(quizList));
    programDisplayHooks(ctx).fade(window, 0, 255, true);
    if (ctx.windows)
        ConfineCursorToWindow(ctx, WidgetLinkForm(window, ctx.state.twipsPerPixelX, ctx.state.twipsPerPixelY));

    if (runsWithoutScreen() && !uiScriptRequested()) {
        // Nobody can see or answer the window: leave its picture and end as a key would.
        // A UI script answers it instead, so the window then stays up.
        const std::string path = offscreenPicturePath(ctx);
        if (saveWindowPicture(window, path))
            std::printf("%s\n", path.c_str());
        else
            std::fprintf(stderr, "quiz: cannot write %s\n", path.c_str());
        std::fflush(stdout);
        QuitQuiz(ctx);
    }
}

} // namespace quiz

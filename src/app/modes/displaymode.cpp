#include "app/modes/displaymode.h"

#include "core/common/runend.h"
#include "core/presentationlink/presentationlink.h"
#include "core/quiz/calculatescores.h"
#include "core/quiz/quizrecord.h"
#include "core/run/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/voterecords.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"
#include "qtsupport/noscreen.h"
#include "qtsupport/widgetlinkform.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/displayrun.h"
#include "ui/display/frmtchartdisplay.h"

#include <cstdio>

namespace quiz
{

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

    const std::vector<std::string> quizList = ReadQuizForDisplay(ctx);
    // The records are read while the names come and the window is made.
    std::shared_future<VoteRecords> records = loadVoteRecordsInBackground(ctx.state.dataFolder, quizList);
    LoadDisplayParticipants(ctx);
    std::string error;
    // The marker only tells the add-in that a quiz is up: the display goes on without it.
    if (!WriteQuizActiveMarker(ctx.state, &error))
        std::fprintf(stderr, "quiz: quizActive.txt could not be written in %s (%s); the display goes on\n",
                     ctx.state.addinFolder.c_str(), error.c_str());

    MoveDisplayAreaDown(ctx);
    CaptureSlideShow(ctx);
    const int displayRowCount = ctx.state.displayCount;

    // The window lives as long as the run; the run's end ends the process.
    auto *window = new FrmTChartDisplay(ctx, programDisplayHooks(ctx));
    const DisplayArea area = ctx.state.displayAreas[0];
    if (ctx.windows)
        PlaceOverSlideShow(ctx, ctx.windows->ownWindowHandle(window), area.top, area.left, area.height,
                           area.width);
    // The scores: the question files and the records (waited for here), the
    // ranking and the rows; the run's quiz.txt record is appended before they
    // show. Only the rows are kept, and the records go once they are placed.
    DisplayRows rows;
    {
        ScoringRun scores = CalculateScores(ctx, quizList, records);
        AppendQuizRecord(ctx.state.dataFolder, ctx.state.quizFileName, scores.totals, ctx.dialogs);
        rows = std::move(scores.rows);
    }
    ComposeChartDisplay(ctx, chartWindowParts(*window), false, false, displayRowCount, &rows);
    records = {};
    programDisplayHooks(ctx).fade(window, 0, 255, true);
    if (ctx.windows)
        ConfineCursorToWindow(ctx,
                              WidgetLinkForm(window, ctx.state.twipsPerPixelX, ctx.state.twipsPerPixelY));

    if (runsWithoutScreen(ctx.environment) && !ctx.environment.uiScriptRequested()) {
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

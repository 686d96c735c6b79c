#include "app/modes/insertmode.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/presentationlink/presentationlink.h"
#include "core/quiz/calculatescores.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/voterecords.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/displayrun.h"
#include "ui/display/frmtchartdisplay.h"

namespace quiz
{

// The top places pasted into the quiz slide as a picture.
void runInsertMode(RunContext &ctx)
{
    const std::vector<std::string> quizList = ReadQuizForDisplay(ctx);
    // The records are read while the window is made.
    std::shared_future<VoteRecords> records = loadVoteRecordsInBackground(ctx.state.dataFolder, quizList);
    MoveDisplayAreaDown(ctx);
    const int displayRowCount = ctx.state.displayCount;
    LoadValidKeypads(ctx.state, joinPath(ctx.state.dataFolder, "valid.kpd"));
    LoadDisplayParticipants(ctx);

    FrmTChartDisplay window(ctx, programDisplayHooks(ctx));
    window.resize(insertWindowSize(ctx));
    // An insertion shows the scores on the slide and keeps no quiz.txt record.
    const DisplayRows rows = CalculateScores(ctx, quizList, records).rows;
    ComposeChartDisplay(ctx, chartWindowParts(window), false, true, displayRowCount, &rows);
    records = {};
    window.ExportToPowerPoint(leadingInt(ctx.state.slideArg));

    if (ctx.windows)
        EnablePowerPointWindows(ctx, true);
    endRun(0);
}

} // namespace quiz

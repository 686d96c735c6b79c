#include "app/modes/modes.h"

#include "app/uiscriptstart.h"
#include "core/common/runend.h"
#include "core/startup/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/votedata/participants.h"
#include "core/votedata/presentationlink.h"
#include "ui/display/displayrun.h"
#include "ui/results/frmresultstable.h"

#include <cstdio>

namespace quiz
{

// RESULTSTABLE: the results window; the run lives until the window closes.
void runResultsTableMode(RunContext &ctx)
{
    ResultsTableActions actions;
    actions.unload = [&ctx] {
        EnablePowerPointWindows(ctx, true);
        endRun(0);
    };
    actions.quitQuiz = [&ctx] { QuitQuiz(ctx); };
    actions.loadNames = [&ctx] {
        if (ctx.link && ctx.pump)
            LoadParticipants(ctx.state, *ctx.link, *ctx.pump);
        return ctx.state.participants;
    };
    // The window lives as long as the run; the run's end ends the process.
    auto *window = new frmResultsTable(ctx, std::move(actions));
    if (window->Form_Load() == LoadOutcome::Ready && runsWithoutScreen() && !uiScriptRequested()) {
        // Nobody can see or close the window: leave its pictures and close it as Exit would.
        for (const std::string &path : window->saveTabPictures(ctx.state.dataFolder))
            std::printf("%s\n", path.c_str());
        std::fflush(stdout);
        window->cmdExit_Click();
        rethrowLatchedRunEnd();
    }
}

} // namespace quiz

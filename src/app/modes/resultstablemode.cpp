#include "app/modes/resultstablemode.h"

#include "app/desktopopen.h"
#include "app/unattendedrun.h"
#include "core/common/runend.h"
#include "core/controller/loadparticipants.h"
#include "core/presentationlink/presentationlink.h"
#include "core/results/resultstableload.h"
#include "core/run/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/votedata/participants.h"
#include "qtsupport/noscreen.h"
#include "ui/display/displayrun.h"
#include "ui/results/frmresultstable.h"

#include <QtGlobal>

#include <cstdio>

namespace quiz
{

// RESULTSTABLE: the results window; the run lives until the window closes.
// With TALVIX_OUTPUT set the results workbook is saved under that name
// without any dialog and the run ends.
void runResultsTableMode(RunContext &ctx)
{
    UnattendedRun unattended(ctx);
    const bool reporting = unattended.active();
    ResultsTableActions actions;
    actions.openWorkbook = [&ctx](const std::string &path) {
        openWithDesktopApplication(path, ctx.environment);
    };
    actions.unload = [&ctx] {
        EnablePowerPointWindows(ctx, true);
        endRun(0);
    };
    actions.quitQuiz = [&ctx] { QuitQuiz(ctx); };
    // The names are asked for once, here, and handed to the window's build.
    // Without a names list (none within the 8 seconds) the grid has no names,
    // so its first column lists the keypad numbers; the default record that
    // the table keeps would name keypad 1 alone. Without votes.rec the run
    // ends at once with its message: no names are asked for.
    std::vector<Participant> names;
    if (resultsTableHasVotes(ctx) && ctx.link && ctx.pump &&
        LoadParticipants(ctx.state, *ctx.link, *ctx.pump))
        names = ctx.state.participants;
    // The window lives as long as the run; the run's end ends the process.
    auto *window = new frmResultsTable(ctx, std::move(actions));
    const LoadOutcome loaded = window->Form_Load(names);
    if (loaded == LoadOutcome::Ready && reporting) {
        if (!window->cmdExportToExcel_Click()) {
            EnablePowerPointWindows(ctx, true);
            endRun(1, "the results workbook was not written");
        }
        rethrowLatchedRunEnd();
    }
    if (loaded == LoadOutcome::Ready && runsWithoutScreen(ctx.environment) &&
        !ctx.environment.uiScriptRequested()) {
        // Nobody can see or close the window: leave its pictures and close it as Exit would.
        for (const std::string &path : window->saveTabPictures(ctx.state.dataFolder))
            std::printf("%s\n", path.c_str());
        std::fflush(stdout);
        window->cmdExit_Click();
        rethrowLatchedRunEnd();
    }
}

} // namespace quiz

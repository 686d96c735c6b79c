#include "core/results/resultstableload.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/presentationlink/presentationlink.h"
#include "core/quiz/lookupvotes.h"
#include "core/results/resultsbuild.h"
#include "core/results/resultswithtext.h"
#include "core/run/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/votedata/voterecords.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"

namespace quiz
{

namespace
{

constexpr const char *title = "Results Table";

void message(RunContext &ctx, const std::string &text, MessageIcon icon)
{
    if (ctx.dialogs)
        ctx.dialogs->message(text, title, icon, MessageButtons::Ok);
}

} // namespace

std::string presentationFolderOf(const std::string &presentationPath)
{
    const std::size_t slash = presentationPath.find_last_of("\\/");
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : presentationPath.substr(0, slash); // the root folder: "/"
}

bool resultsTableHasVotes(const RunContext &ctx)
{
    return FileExists(resolveFile(ctx.state.dataFolder, "votes.rec"));
}

LoadOutcome LoadResultsTable(RunContext &ctx, const std::vector<Participant> &names, ResultsGrids &grids,
                             std::vector<QuestionInfo> &questions, GroupChooser &groups,
                             const ResultsWindowHooks &hooks)
{
    if (!resultsTableHasVotes(ctx)) {
        message(ctx, "There are no votes for this meeting (votes.rec does not exist)", MessageIcon::None);
        EnablePowerPointWindows(ctx, true);
        endRun(0, "votes.rec does not exist");
    }
    hooks.show();
    hooks.busy(true);
    try {
        const std::string folder = ctx.host ? presentationFolderOf(ctx.host->activePresentationPath()) : "";
        if (folder.empty()) {
            hooks.busy(false);
            EnablePowerPointWindows(ctx, true);
            endRun(0, "the presentation has no folder");
        }
        questions = LoadVotingSlides(*ctx.host, folder, hooks.caption);

        // votes.rec read once, its last record of each question kept; the grids
        // need no response times.
        const VoteRecords records = VoteRecords::loadVotes(ctx.state.dataFolder);
        const VoteLookup votes = [&](const std::string &key) -> const std::string & {
            return records.answers(key);
        };
        switch (BuildResultGrids(questions, votes, names, grids, {hooks.caption})) {
        case BuildOutcome::NoVotingSlides:
            message(ctx, "No voting slides in presentation", MessageIcon::Information);
            hooks.busy(false);
            QuitQuiz(ctx);
        case BuildOutcome::NoVoteData:
            message(ctx,
                    "Voting data could not be found for talvix professional\r\n\r\n"
                    "If you have matrix exercises:\r\n"
                    "Please go to that slide and edit the slide to extrtact data",
                    MessageIcon::Information);
            hooks.busy(false);
            hooks.startShutdownTimer();
            return LoadOutcome::ShuttingDown;
        case BuildOutcome::Built:
            break;
        }
        CreateResultsWithText(questions, slideTextsByQuestion(*ctx.host), grids, hooks.caption);
        groups.fill(folder);
    } catch (const std::exception &) {
        hooks.busy(false);
        QuitQuiz(ctx);
    }
    hooks.showResults();
    hooks.busy(false);
    return LoadOutcome::Ready;
}

} // namespace quiz

#include "app/modes/printmode.h"

#include "app/unattendedrun.h"
#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/controller/loadparticipants.h"
#include "core/quiz/printsummary.h"
#include "core/quiz/quizfile.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/participants.h"

namespace quiz
{

// PRINT: the set-up, the valid keypads and the participant names, then the
// score summary; the run ends after printing. With TALVIX_OUTPUT set the
// summary goes to that PDF file without any dialog.
void runPrintMode(RunContext &ctx)
{
    QuizState &s = ctx.state;
    UnattendedRun unattended(ctx);

    const std::vector<std::string> questions =
        ReadQuizSetupInto(s, resolveFile(s.dataFolder, s.quizFileName));
    LoadValidKeypads(s, joinPath(s.dataFolder, "valid.kpd"));
    if (ctx.link && ctx.pump)
        LoadParticipants(s, *ctx.link, *ctx.pump);

    if (!ctx.printer)
        endRun(1, "the score summary needs a printer");
    PrintScoreSummary(ctx, questions, *ctx.printer);
    endRun(0);
}

} // namespace quiz

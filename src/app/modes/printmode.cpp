#include "app/modes/modes.h"

#include "adapters/printer/qtprinter.h"
#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/quiz/printsummary.h"
#include "core/quiz/quizfile.h"
#include "core/quiz/recordingsetupform.h"
#include "core/quiz/unattendeddialogs.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/participants.h"

#include <cstdlib>
#include <optional>

namespace quiz
{

namespace
{

// Puts the run's dialogs back when the mode ends.
class DialogsSwap
{
  public:
    DialogsSwap(RunContext &ctx, Dialogs *replacement) : ctx_(ctx), old_(ctx.dialogs)
    {
        if (replacement)
            ctx.dialogs = replacement;
    }
    ~DialogsSwap() { ctx_.dialogs = old_; }
    DialogsSwap(const DialogsSwap &) = delete;
    DialogsSwap &operator=(const DialogsSwap &) = delete;

  private:
    RunContext &ctx_;
    Dialogs *old_;
};

} // namespace

// PRINT: the set-up, the valid keypads and the participant names, then the
// score summary; the run ends after printing. With TALVIX_OUTPUT set the
// summary goes to that PDF file without any dialog.
void runPrintMode(RunContext &ctx)
{
    QuizState &s = ctx.state;
    std::optional<UnattendedDialogs> unattended;
    const std::string output =
        unattendedOutputPath(std::getenv(kOutputVariable), std::getenv("PWD") ? std::getenv("PWD") : "");
    if (!output.empty())
        unattended.emplace(output);
    DialogsSwap swap(ctx, unattended ? &*unattended : nullptr);

    RecordingSetupForm form;
    ReadQuizSetup(s, resolveFile(s.dataFolder, s.quizFileName), &form);
    LoadValidKeypads(s, s.dataFolder + "/valid.kpd");
    if (ctx.link && ctx.pump)
        LoadParticipants(s, *ctx.link, *ctx.pump);

    QtPrinter printer;
    PrintScoreSummary(ctx, form.quiz, printer);
    endRun(0);
}

} // namespace quiz

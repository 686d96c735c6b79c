#include "app/modes/questionmode.h"

#include "app/modes/setupwindowhooks.h"
#include "core/common/text.h"
#include "core/presentationlink/presentationlink.h"
#include "core/setup/votesource.h"
#include "core/setup/votingslide.h"
#include "core/startup/runcontext.h"
#include "qtsupport/widgetlinkform.h"
#include "ui/question/frmquestion.h"

namespace quiz
{

// The question editor for the slide being worked on: "QUESTION" makes the
// slide's question or edits the one it has, "quiz.quz,QUESTION,EDIT" only
// edits one (docs/question-file.md).
void runQuestionMode(RunContext &ctx)
{
    const bool mustExist = toUpper(trim(ctx.state.slideArg)) == "EDIT";
    auto *window = new FrmQuestion(ctx, FindVotingSlide(ctx, mustExist));
    WidgetLinkForm link(window, ctx.state.twipsPerPixelX, ctx.state.twipsPerPixelY);
    if (ctx.windows)
        CentreOverPowerPoint(ctx, link, false);
    window->show();
    cancelWithoutScreen(ctx, window, "frmQuestion.png", [window] { window->cmd_cancel_Click(); });
}

} // namespace quiz

#include "app/modes/setupmode.h"

#include "app/modes/setupwindowhooks.h"
#include "core/common/text.h"
#include "core/presentationlink/presentationlink.h"
#include "core/quiz/quizfile.h"
#include "core/startup/runcontext.h"
#include "qtsupport/widgetlinkform.h"
#include "ui/setup/quizform.h"

namespace quiz
{

// The set-up form over the presentation program; the run lives in it until
// it saves or is cancelled.
void runSetupMode(RunContext &ctx)
{
    QuizState &s = ctx.state;
    // The form lives as long as the run; the run's end ends the process.
    auto *form = new QuizForm(ctx, programSetupHooks(ctx));
    form->Form_Load();
    const QuizSetup setup =
        ReadQuizSetup(s.dataFolder + "/" + s.quizFileName, s.dataFolder, setupOf(s)).setup;
    applySetup(s, setup);
    form->showSetup(setup);
    WidgetLinkForm link(form, s.twipsPerPixelX, s.twipsPerPixelY);
    if (ctx.windows)
        CentreOverPowerPoint(ctx, link, false);
    if (leadingNumber(form->text1()) == 0)
        form->setText1(std::to_string(s.displayCount));
    form->show();
    cancelWithoutScreen(ctx, form, "QuizForm.png", [form] { form->Cancel_Click(); });
}

} // namespace quiz

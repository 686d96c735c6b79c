#include "app/modes/wizardmode.h"

#include "app/modes/setupwindowhooks.h"
#include "core/presentationlink/presentationlink.h"
#include "core/startup/runcontext.h"
#include "qtsupport/widgetlinkform.h"
#include "ui/setup/quizwizard.h"

namespace quiz
{

// The quiz wizard over the presentation program (the set-up file is not read).
void runWizardMode(RunContext &ctx)
{
    QuizState &s = ctx.state;
    s.setupForm = SetupFormKind::QuizWizard;
    auto *wizard = new QuizWizard(ctx, programSetupHooks(ctx));
    wizard->Form_Load();
    WidgetLinkForm link(wizard, s.twipsPerPixelX, s.twipsPerPixelY);
    if (ctx.windows)
        CentreOverPowerPoint(ctx, link, false);
    wizard->show();
    cancelWithoutScreen(ctx, wizard, "QuizWizard.png", [wizard] { wizard->Cancel_Click(); });
}

} // namespace quiz

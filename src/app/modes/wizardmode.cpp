#include "app/modes/modes.h"

#include "app/modes/unavailablemode.h"

namespace quiz {

void runWizardMode(RunContext &ctx)
{
    endUnavailableMode(ctx, "Wizard");
}

} // namespace quiz

#include "app/modes/modes.h"

#include "app/modes/unavailablemode.h"

namespace quiz {

void runSetupMode(RunContext &ctx)
{
    endUnavailableMode(ctx, "Setup");
}

} // namespace quiz

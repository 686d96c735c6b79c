#include "app/modes/modes.h"

#include "app/modes/unavailablemode.h"

namespace quiz {

void runResultsTableMode(RunContext &ctx)
{
    endUnavailableMode(ctx, "ResultsTable");
}

} // namespace quiz

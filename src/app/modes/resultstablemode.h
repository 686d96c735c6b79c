#pragma once

namespace quiz
{

struct RunContext;

// RESULTSTABLE: the results window; the run lives until the window closes.
void runResultsTableMode(RunContext &ctx);

} // namespace quiz

#pragma once

namespace quiz
{

struct RunContext;

// PRINT: the score summary, printed; the run ends after printing.
void runPrintMode(RunContext &ctx);

} // namespace quiz

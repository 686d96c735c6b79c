#pragma once

namespace quiz
{

struct RunContext;

// SETUP: the set-up form over the presentation program.
void runSetupMode(RunContext &ctx);

} // namespace quiz

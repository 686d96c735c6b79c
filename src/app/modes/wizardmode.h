#pragma once

namespace quiz
{

struct RunContext;

// WIZARD: the quiz wizard over the presentation program.
void runWizardMode(RunContext &ctx);

} // namespace quiz

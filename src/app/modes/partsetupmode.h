#pragma once

namespace quiz
{

struct RunContext;

// PARTSETUP: the participant list, opened for editing.
void runPartSetupMode(RunContext &ctx);

} // namespace quiz

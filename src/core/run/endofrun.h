#pragma once

#include "core/startup/runcontext.h"

#include <string>

namespace quiz
{

// The common end of a run: the presentation program's windows come back,
// the cursor is released, the program's windows hide, the active marker goes
// and, when the quiz asks for it, the controller moves to the next slide.
// Every step goes on after a failure. Never returns.
[[noreturn]] void QuitQuiz(RunContext &ctx);

// Ends the run by handing over to the add-in's "Brevak" macro.
[[noreturn]] void QuitAndRunBrevak(RunContext &ctx);

// Sends one command to the controller over the run's link.
void SendToController(RunContext &ctx, const std::string &command);

} // namespace quiz

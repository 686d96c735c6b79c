#pragma once

#include "core/startup/programenvironment.h"

#include <memory>

namespace quiz
{

class UiScriptRunner;

// Starts the UI script that TALVIX_UI_SCRIPT names (its timeout in ms from
// TALVIX_UI_SCRIPT_TIMEOUT, default 10000); nullptr when none is named. A
// script that cannot be read or does not parse ends the run here; a later
// fault ends it from inside the event loop.
std::unique_ptr<UiScriptRunner> startUiScript(const ProgramEnvironment &env);

} // namespace quiz

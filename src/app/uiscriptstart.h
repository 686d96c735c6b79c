#pragma once

#include <memory>

namespace quiz
{

class UiScriptRunner;

// True when TALVIX_UI_SCRIPT names a UI script for this run.
bool uiScriptRequested();

// Starts the UI script that TALVIX_UI_SCRIPT names (its timeout in ms from
// TALVIX_UI_SCRIPT_TIMEOUT, default 10000); nullptr when none is named. A
// script that cannot be read or does not parse ends the run here; a later
// fault ends it from inside the event loop.
std::unique_ptr<UiScriptRunner> startUiScript();

} // namespace quiz

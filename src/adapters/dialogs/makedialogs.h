#pragma once

#include "core/startup/programenvironment.h"
#include "ports/dialogs.h"

#include <memory>

namespace quiz
{

// The program's dialogs: scripted ones when TALVIX_DIALOGS names an answers
// file (nothing is shown; see ScriptedDialogs), else, without a screen and
// without a UI script (TALVIX_UI_SCRIPT), dialogs that end the run at once
// (NoScreenDialogs), else Qt's.
std::unique_ptr<Dialogs> makeDialogs(const ProgramEnvironment &env);

} // namespace quiz

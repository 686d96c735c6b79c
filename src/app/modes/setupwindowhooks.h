#pragma once

#include "ui/setup/setuphooks.h"

namespace quiz
{

// The set-up windows' hooks in the program: the layout editor, and the
// program's own save dialog when dialogs are shown on screen (a scripted run
// answers the Dialogs port instead).
SetupWindowHooks programSetupHooks(RunContext &ctx);

// Nobody can answer a set-up window without a screen or a UI script: the
// window's picture is left in the data folder (its path printed) and the
// window is cancelled. False when the run has a screen or a UI script.
bool cancelWithoutScreen(RunContext &ctx, QWidget *window, const char *pictureName,
                         const std::function<void()> &cancel);

} // namespace quiz

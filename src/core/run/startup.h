#pragma once

#include "core/startup/runcontext.h"

#include <functional>
#include <map>
#include <string>

namespace quiz
{

// What start-up needs from the desktop beyond the ports of the run.
struct StartupPlatform {
    // Replaces a previous instance of the program (start-up step 9).
    std::function<void()> claimSingleInstance;
    // The screen's twips per pixel, x and y.
    std::function<std::pair<int, int>()> twipsPerPixel;
    // Makes the folder the process's current directory; false when it cannot.
    std::function<bool(const std::string &)> setCurrentDirectory;
};

// The folder of a presentation's path (the run's data folder): "/" for a
// presentation in the root folder, "." for a bare file name.
std::string PresentationFolder(const std::string &path);

// The run modes, by the name dispatch gives them.
using ModeHandler = std::function<void(RunContext &)>;
using ModeTable = std::map<std::string, ModeHandler>;

// The mode that start-up dispatches to for runMode, compared exactly as the
// dispatch does ("SETUP" or "SETUP ", ..., and only "PARTSETUP" with no
// trailing blank); "" when the run ends silently.
std::string DispatchModeName(const std::string &runMode);

// The controller check of start-up: when no controller runs, starts
// addinFolder + "tlxctrl" and waits for it (at most 4 seconds); without that
// program, tells the user "The talvix controller is not installed." and ends.
void EnsureControllerRunning(RunContext &ctx);

// Ends the run (onFinishChoice 0) when a DISPLAY run's slide show has moved
// to another slide than currentSlide; an error of the presentation program
// is reported in a "Quiz Unexpected Error" box and ends the run.
void CheckPPTSlideNumber(RunContext &ctx);

// Runs every start-up step on the command text and dispatches to one mode of
// the table. Ends the run (endRun) on every silent end and failure.
void RunStartup(RunContext &ctx, const std::string &commandText, const StartupPlatform &platform,
                const ModeTable &modes);

} // namespace quiz

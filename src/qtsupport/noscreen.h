#pragma once

#include "core/startup/programenvironment.h"

#include <string>

namespace quiz
{

// True when nobody can see the program's windows: no display in the
// environment, or Qt's offscreen platform.
bool runsWithoutScreen(const ProgramEnvironment &env);

// The one line a run without a screen ends with (exit code 2) when it would
// wait for a dialog or a window that nobody can see or answer.
inline constexpr int kNoScreenExitCode = 2;
std::string noScreenReason(const std::string &what, const std::string &variableAdvice);

// Ends such a run at once: endRun(kNoScreenExitCode, noScreenReason(...)).
[[noreturn]] void endRunWithoutScreen(const std::string &what, const std::string &variableAdvice);

} // namespace quiz

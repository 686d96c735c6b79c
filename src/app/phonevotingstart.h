#pragma once

#include "core/startup/programenvironment.h"

#include <string>

namespace quiz
{

// `quiz --phone-voting FOLDER`, from the office's "Phone voting..." entry:
// opens the presenter page of the controller serving phones, starting
// `tlxctrl --serve 8080` in FOLDER when none serves (core/controller/phonevoting.h).
// Returns the exit code.
int runPhoneVoting(const std::string &presentationFolder, const ProgramEnvironment &env);

} // namespace quiz

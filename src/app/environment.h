#pragma once

#include "core/startup/programenvironment.h"

namespace quiz
{

// The one place where the program reads its environment.
ProgramEnvironment readProgramEnvironment();

} // namespace quiz

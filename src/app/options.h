#pragma once

#include "core/startup/programenvironment.h"

#include <string>
#include <vector>

namespace quiz
{

// The program's options: --host FILE (else TALVIX_HOST), --impress
// DESCRIPTION; every other argument is a word of the command text.
struct Options {
    std::string hostFile;
    std::string impressConnection; // --impress DESCRIPTION, else TALVIX_IMPRESS
    std::vector<std::string> words;
};

Options readOptions(int argc, char *argv[], const ProgramEnvironment &env);

} // namespace quiz

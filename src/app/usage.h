#pragma once

#include <string>

namespace quiz
{

// What `quiz --help` prints: the synopsis, the modes, the options, the
// environment variables and an example.
std::string usageText();

// What `quiz --version` prints: the program's name and the version it was built as.
std::string versionText();

// The answer to an informational option ("--help", "-h", "--version", "-V")
// given anywhere among the arguments; "" when there is none and the arguments
// are a run.
std::string informationFor(int argc, char *argv[]);

} // namespace quiz

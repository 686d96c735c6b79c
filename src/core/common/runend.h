#pragma once

#include <string>

namespace quiz {

// Thrown by every way a run ends. The program catches it at the top (and
// around each event it dispatches) and ends the process with its code; tests
// catch it to observe the end of a run.
struct RunEnded {
    int exitCode = 0;
    std::string reason; // for the one line on standard error; "" for a normal end
};

[[noreturn]] inline void endRun(int exitCode = 0, std::string reason = {})
{
    throw RunEnded{exitCode, std::move(reason)};
}

} // namespace quiz

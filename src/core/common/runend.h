#pragma once

#include <optional>
#include <string>

namespace quiz
{

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

// An end of the run caught while dispatching an event (the exception cannot
// travel through the event loop) is latched here, and thrown again where the
// program regains control: after each yield to the event loop and after a
// modal dialog. The first end latched wins.
void latchRunEnd(const RunEnded &end);
std::optional<RunEnded> latchedRunEnd();
// Throws the latched end, if any.
void rethrowLatchedRunEnd();
void clearLatchedRunEnd(); // for tests

} // namespace quiz

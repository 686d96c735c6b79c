#pragma once

#include <optional>
#include <string>

namespace quiz
{

// The run's trace, on when TALVIX_TRACE is set: each line goes to standard
// error, or is appended to the file TALVIX_TRACE names when its value is an
// absolute path (a run started by the office has no standard error to read).
// The program sets the variable's value once at its start; off until then.
void setTraceTarget(std::optional<std::string> target);
bool traceOn();
void trace(const std::string &line);

} // namespace quiz

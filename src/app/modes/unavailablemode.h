#pragma once

namespace quiz {

struct RunContext;

// Ends the run of a mode this build does not have, through the normal end of
// a run: the presentation program gets its windows back, and the show stays
// on its slide.
[[noreturn]] void endUnavailableMode(RunContext &ctx, const char *modeName);

} // namespace quiz

#pragma once

namespace quiz
{

struct RunContext;

// DISPLAY: the top places over the running slide show, until a key or a click ends it.
void runDisplayMode(RunContext &ctx);

} // namespace quiz

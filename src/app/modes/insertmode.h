#pragma once

namespace quiz
{

struct RunContext;

// INSERT: the top places pasted into the quiz slide as a picture.
void runInsertMode(RunContext &ctx);

} // namespace quiz

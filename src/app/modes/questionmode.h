#pragma once

namespace quiz
{

struct RunContext;

// QUESTION: the question editor window.
void runQuestionMode(RunContext &ctx);

} // namespace quiz

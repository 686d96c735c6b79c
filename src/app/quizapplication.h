#pragma once

namespace quiz
{

// Runs the program: reads the options and command words, does one job, ends.
int runQuiz(int argc, char *argv[]);

} // namespace quiz

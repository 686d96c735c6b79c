#pragma once

#include <string>

namespace quiz
{

// The one reading of a shape's click-action run string, used wherever the
// program looks at one: the set-up screens' vote list, the results tables'
// "VOTE" shapes, the export's "QUIZ" shapes and the presentation programs'
// own macros.
//
// The command text: after ".exe" (any case) and one separator when ".exe"
// occurs (a presentation made on Windows); otherwise after the first blank
// that follows the program path (a path in double quotes may hold blanks), as
// a shape made on Linux holds it ("/opt/talvix/vote q1.tlx,1"). "" when the
// run string names no words.
std::string commandTextOfRunString(const std::string &run);

// The file a shape names: the first command word of its run string, split as
// the program's own command line is (a quiz file for a "QUIZ" shape, a
// question file for a "VOTE" shape).
std::string quizFileOfRunString(const std::string &run);

} // namespace quiz

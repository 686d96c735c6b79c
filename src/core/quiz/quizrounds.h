#pragma once

#include <string>
#include <vector>

namespace quiz
{

class PresentationHost;
class EventPump;

// The command text of a shape's click-action run string: after ".exe" (any
// case) and one separator when ".exe" occurs; otherwise after the first blank
// that follows the program path (a path in double quotes may hold blanks).
// "" when the run string names no words.
std::string commandTextOfRunString(const std::string &run);

// The quiz file name of a quiz shape: the first command word of its run
// string, split as the program's own command line is.
std::string quizFileOfRunString(const std::string &run);

// The rounds of the presentation: for each slide in order and each shape in
// the slide's order whose name is "QUIZ" in any case, the quiz file that its
// run string names. Yields to the event loop (pump may be null) once per
// shape. May throw HostError.
std::vector<std::string> FindQuizRounds(PresentationHost &host, EventPump *pump);

} // namespace quiz

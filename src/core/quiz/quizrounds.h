#pragma once

#include "core/startup/runstring.h"

#include <string>
#include <vector>

namespace quiz
{

class PresentationHost;
class EventPump;

// The rounds of the presentation: for each slide in order and each shape in
// the slide's order whose name is "QUIZ" in any case, the quiz file that its
// run string names. Yields to the event loop (pump may be null) once per
// shape. May throw HostError.
std::vector<std::string> FindQuizRounds(PresentationHost &host, EventPump *pump);

} // namespace quiz

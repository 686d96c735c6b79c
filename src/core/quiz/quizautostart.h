#pragma once

#include <optional>
#include <string>

namespace quiz
{

// Whether a quiz slide's command words start their DISPLAY run as soon as the
// slide is shown: the words name the DISPLAY mode (also in the short form
// "DISPLAY" or "DISPLAY,5") and the quiz file they name in dataFolder has its
// autostart option on. A missing quiz file keeps the option's default (on).
bool displayStartsByItself(const std::string &commandText, const std::string &dataFolder);

// The slide number N of the controller's command "NextSlide,N"; none for any
// other command or a number that is not a positive integer.
std::optional<int> nextSlideCommandNumber(const std::string &command);

} // namespace quiz

#pragma once

#include <string>

namespace quiz
{

// Opens a written file with the desktop's application for it, only for a user
// at a desktop: never with TALVIX_NO_OPEN or TALVIX_DIALOGS set, without a
// display, or on the offscreen and minimal platforms (tests, scripted runs).
void openWithDesktopApplication(const std::string &path);

} // namespace quiz

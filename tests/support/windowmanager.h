#pragma once

#include "support/childprocess.h"

#include <memory>
#include <string>

namespace quiz::test
{

// The window manager of a test's own X server: openbox when the environment
// variable QUIZ_TEST_WINDOW_MANAGER is "openbox" (ctest runs the X11 window
// tests and the quiz night once without and once with it), else none. It is
// started on the display, waited for until it manages the screen, and ended
// by its process id.
class WindowManager
{
  public:
    explicit WindowManager(const std::string &display);

    static bool requested();
    // False when one was requested and did not come up.
    bool ok() const { return !requested() || running_; }

  private:
    std::unique_ptr<Child> manager_;
    bool running_ = false;
};

} // namespace quiz::test

#pragma once

#include <string>
#include <sys/types.h>

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
    ~WindowManager();
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;

    static bool requested();
    // False when one was requested and did not come up.
    bool ok() const { return !requested() || running_; }

  private:
    pid_t pid_ = -1;
    bool running_ = false;
};

} // namespace quiz::test

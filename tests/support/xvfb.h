#pragma once

#include <string>
#include <sys/types.h>

namespace quiz::test
{

// An X server of the test's own: Xvfb on a free display number (it picks one
// and reports it with -displayfd), ended by its process id.
class Xvfb
{
  public:
    Xvfb(int width = 640, int height = 480);
    ~Xvfb();
    Xvfb(const Xvfb &) = delete;
    Xvfb &operator=(const Xvfb &) = delete;

    bool running() const { return !display_.empty(); }
    const std::string &display() const { return display_; } // ":N"

  private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace quiz::test

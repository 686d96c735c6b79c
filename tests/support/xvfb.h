#pragma once

#include "support/childprocess.h"

#include <memory>
#include <string>

namespace quiz::test
{

// An X server of the test's own: Xvfb on a free display number (it picks one
// and reports it with -displayfd), ended by its process id.
class Xvfb
{
  public:
    Xvfb(int width = 640, int height = 480);

    bool running() const { return !display_.empty(); }
    const std::string &display() const { return display_; } // ":N"

  private:
    std::unique_ptr<Child> server_;
    std::string display_;
};

} // namespace quiz::test

#pragma once

#include "ports/geometry.h"
#include "ports/windowsystem.h"

#include <QJsonObject>

#include <functional>
#include <vector>

namespace quiz
{

class StandInHost;

// The presentation program's windows as the stand-in's host file lists them,
// for the window system beside the stand-in (StandInWindowSystem). Every
// change is written to the file at once; an unknown handle fails as the host
// does ("Invalid window handle N.").
class StandInHostWindows
{
  public:
    explicit StandInHostWindows(StandInHost &host) : host_(host) {}

    // In z-order from the top; none while the program is not running.
    std::vector<WindowInfo> windows();
    void setWindowEnabled(WindowHandle handle, bool enabled);
    void raiseWindow(WindowHandle handle);    // top of the z-order
    void activateWindow(WindowHandle handle); // top of the z-order, with the focus
    void restoreWindow(WindowHandle handle);  // from minimised to normal
    // Moving the show's window moves the show.
    void moveWindow(WindowHandle handle, const PixelRect &rect);
    void closeWindow(WindowHandle handle); // closing the show's window ends the show

  private:
    int windowIndex(WindowHandle handle) const;
    void changeWindow(WindowHandle handle, const std::function<void(QJsonObject &)> &change);
    void moveWindowToFront(int index);

    StandInHost &host_;
};

} // namespace quiz

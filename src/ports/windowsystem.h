#pragma once

#include "ports/geometry.h"

#include <optional>
#include <string>
#include <vector>

// The program's windows are Qt widgets; the port only passes them through.
class QWidget;

namespace quiz
{

using WindowHandle = long long; // 0 = no window

struct WindowInfo {
    WindowHandle handle = 0;
    std::string title;
    PixelRect rect;
    bool visible = true;
    bool hasParent = false;
    bool minimised = false;
    bool enabled = true;
    bool ownWindow = false; // one of this program's windows (not the presentation program's)
};

// Top-level windows of the desktop (the presentation program's and the
// program's own), the cursor and the clipboard.
class WindowSystem
{
  public:
    virtual ~WindowSystem() = default;

    // Every top-level window: this program's own first, then the others in
    // z-order from the top.
    virtual std::vector<WindowInfo> topLevelWindows() = 0;
    // The handle under which this window system knows one of the program's
    // own top-level windows; 0 for none.
    virtual WindowHandle ownWindowHandle(QWidget *window) = 0;
    virtual PixelRect windowRect(WindowHandle window) = 0;
    virtual void enableWindow(WindowHandle window, bool enable) = 0;
    virtual void raiseWindow(WindowHandle window) = 0; // top of the z-order, not moved or sized
    virtual void activateWindow(WindowHandle window) = 0;
    virtual void restoreWindow(WindowHandle window) = 0; // from minimised to normal
    virtual void moveWindow(WindowHandle window, const PixelRect &rect) = 0;
    virtual void closeWindow(WindowHandle window) = 0;
    virtual void hideWindow(WindowHandle window) = 0;

    // Changes the cursor's display count by one step; returns the new count
    // (the cursor shows while the count is 0 or more).
    virtual int showCursor(bool show) = 0;
    virtual void confineCursor(const std::optional<PixelRect> &rect) = 0; // nullopt lifts it
    virtual void setCursorPos(int x, int y) = 0;

    virtual void clearClipboard() = 0;
};

} // namespace quiz

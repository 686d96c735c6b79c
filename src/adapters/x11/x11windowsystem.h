#pragma once

#include "adapters/x11/xcbconnection.h"
#include "ports/windowsystem.h"
#include "qtsupport/programwindows.h"

#include <map>
#include <memory>
#include <string>

class QImage;

namespace quiz
{

// The desktop of an X server: the program's own windows through the toolkit,
// every other top-level window through xcb (EWMH where a window manager
// offers it). X has no disabled windows: a disabled window of another
// program lies under an input-only shield that swallows its clicks. The
// confined cursor is a pointer grab confined to an input-only window at the
// bottom of the stacking order. Both end with this object, and with the
// process at the latest (the server drops a client's grab and windows).
class X11WindowSystem : public WindowSystem
{
  public:
    // The toolkit's own connection when the program draws on X11 (a grab
    // taken on another connection would steal the program's clicks), else a
    // connection of its own to the display (nullptr: $DISPLAY). nullptr, with
    // the reason in *error, when there is no X display.
    static std::unique_ptr<X11WindowSystem> open(const char *display, std::string *error);
    explicit X11WindowSystem(std::unique_ptr<XcbConnection> connection);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem &) = delete;
    X11WindowSystem &operator=(const X11WindowSystem &) = delete;

    std::vector<WindowInfo> topLevelWindows() override;
    WindowHandle ownWindowHandle(QWidget *window) override;
    PixelRect windowRect(WindowHandle window) override;
    void enableWindow(WindowHandle window, bool enable) override;
    void raiseWindow(WindowHandle window) override;
    void activateWindow(WindowHandle window) override;
    void restoreWindow(WindowHandle window) override;
    void moveWindow(WindowHandle window, const PixelRect &rect) override;
    void closeWindow(WindowHandle window) override;
    void hideWindow(WindowHandle window) override;

    int showCursor(bool show) override;
    void confineCursor(const std::optional<PixelRect> &rect) override;
    void setCursorPos(int x, int y) override;

    void clearClipboard() override;

    // The visible top-level windows whose title matches the pattern.
    std::vector<WindowInfo> windowsMatching(const std::string &pattern, bool caseSensitive);
    // The window's area as the screen shows it; a null image when it cannot be read.
    QImage capture(WindowHandle window);
    bool cursorConfined() const { return grabbed_; }
    // The input-only window over a disabled window; 0 when it is enabled.
    XWindowId shieldOf(WindowHandle window) const;
    XcbConnection &connection() { return *conn_; }

  private:
    QWidget *widgetOf(WindowHandle handle) const;
    void liftShield(WindowHandle window);
    void releaseCursor();

    std::unique_ptr<XcbConnection> conn_;
    CursorDisplayCount cursor_;
    std::map<WindowHandle, XWindowId> shields_;
    XWindowId confineWindow_ = 0;
    bool grabbed_ = false;
};

} // namespace quiz

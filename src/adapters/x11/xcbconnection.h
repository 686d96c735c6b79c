#pragma once

#include "adapters/x11/x11connection.h"

#include <map>
#include <memory>
#include <string>

struct xcb_connection_t;

namespace quiz
{

// Pixels read from the screen, 0xRRGGBB, row by row.
struct ScreenPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
};

// An X server reached through xcb: the window list's questions plus what the
// window system does to windows, the pointer and the screen.
class XcbConnection : public X11Connection
{
  public:
    // Opens its own connection to the display ("" or nullptr: $DISPLAY);
    // nullptr, with the reason in *error, when there is none.
    static std::unique_ptr<XcbConnection> open(const char *display, std::string *error);
    // Works on a connection someone else keeps open (the toolkit's own, so
    // that a pointer grab still delivers events to the program's windows).
    static std::unique_ptr<XcbConnection> borrow(xcb_connection_t *connection);
    ~XcbConnection() override;
    XcbConnection(const XcbConnection &) = delete;
    XcbConnection &operator=(const XcbConnection &) = delete;

    XWindowId root() override { return root_; }
    std::optional<std::vector<XWindowId>> clientList() override;
    std::vector<XWindowId> children(XWindowId window) override;
    std::optional<XWindowState> state(XWindowId window) override;
    std::optional<std::string> netWmName(XWindowId window) override;
    std::optional<std::string> wmName(XWindowId window) override;
    PixelRect rootRect(XWindowId window) override;
    FrameExtents frameExtents(XWindowId window) override;
    bool hasWmState(XWindowId window) override;
    bool iconic(XWindowId window) override;
    bool transientFor(XWindowId window) override;

    bool hasWindowManager();
    // The root's child that holds the window (its frame under a window manager).
    XWindowId topAncestor(XWindowId window);
    void raise(XWindowId window);
    // Stacks the window directly above the sibling.
    void stackAbove(XWindowId window, XWindowId sibling);
    void activate(XWindowId window);
    void restore(XWindowId window);
    void move(XWindowId window, const PixelRect &frameRect);
    void close(XWindowId window);

    // An unmanaged window without pixels over rect; above the sibling, or at
    // the bottom of the stacking order when sibling is 0.
    XWindowId createInputOnly(const PixelRect &rect, XWindowId sibling);
    void destroy(XWindowId window);
    // Grabs the pointer, confined to the window; the program's own windows
    // keep receiving their events. False when the server refused.
    bool grabPointer(XWindowId confineTo);
    void ungrabPointer();
    void warpPointer(int x, int y);
    // The screen's pixels under rect; empty when they cannot be read.
    ScreenPixels readScreen(const PixelRect &rect);
    void flush();

  private:
    XcbConnection(xcb_connection_t *connection, bool owned, int screen);
    std::uint32_t atom(const char *name);
    std::optional<std::vector<std::uint32_t>> cardinals(XWindowId window, const char *property,
                                                        std::uint32_t type);
    std::optional<std::string> text(XWindowId window, std::uint32_t property, std::uint32_t type);
    bool supported(const char *atomName);
    void sendToRoot(XWindowId window, const char *message, std::uint32_t d0, std::uint32_t d1 = 0,
                    std::uint32_t d2 = 0);

    xcb_connection_t *conn_;
    bool owned_;
    XWindowId root_ = 0;
    std::map<std::string, std::uint32_t> atoms_;
};

} // namespace quiz

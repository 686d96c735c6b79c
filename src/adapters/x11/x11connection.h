#pragma once

#include "ports/geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quiz
{

using XWindowId = std::uint32_t;

// What the window list reads of one X window.
struct XWindowState {
    bool viewable = false;         // mapped, and every ancestor mapped
    bool overrideRedirect = false; // placed by its program, not by a window manager
    bool inputOnly = false;        // no pixels (shields, confinement areas)
};

// The frame a window manager draws around a client (_NET_FRAME_EXTENTS).
struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// The questions the window list asks an X server. The real one speaks xcb;
// tests answer from memory.
class X11Connection
{
  public:
    virtual ~X11Connection() = default;

    virtual XWindowId root() = 0;
    // The managed windows from bottom to top (_NET_CLIENT_LIST_STACKING, else
    // _NET_CLIENT_LIST); nullopt when no window manager publishes either.
    virtual std::optional<std::vector<XWindowId>> clientList() = 0;
    // Children from bottom to top of the stacking order.
    virtual std::vector<XWindowId> children(XWindowId window) = 0;
    // nullopt when the window is gone.
    virtual std::optional<XWindowState> state(XWindowId window) = 0;
    virtual std::optional<std::string> netWmName(XWindowId window) = 0; // UTF-8
    virtual std::optional<std::string> wmName(XWindowId window) = 0;    // Latin-1 bytes
    // The window's rectangle in root coordinates, without any frame.
    virtual PixelRect rootRect(XWindowId window) = 0;
    virtual FrameExtents frameExtents(XWindowId window) = 0;
    virtual bool hasWmState(XWindowId window) = 0;   // ICCCM WM_STATE: a client window
    virtual bool iconic(XWindowId window) = 0;       // minimised
    virtual bool transientFor(XWindowId window) = 0; // owned by another window
};

} // namespace quiz

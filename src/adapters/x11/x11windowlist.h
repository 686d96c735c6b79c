#pragma once

#include "adapters/x11/x11connection.h"
#include "ports/windowsystem.h"

#include <set>
#include <string>
#include <vector>

namespace quiz
{

// A window's title: its UTF-8 _NET_WM_NAME, else its WM_NAME (Latin-1) in UTF-8.
std::string x11WindowTitle(X11Connection &conn, XWindowId window);

// The window's rectangle in root coordinates with the frame its window
// manager draws around it.
PixelRect x11FrameRect(X11Connection &conn, XWindowId window);

// The top-level client windows other than the program's own (skipped), from
// the top of the stacking order down. With a window manager: unmanaged
// (override-redirect) windows that carry a title first, then the managed
// ones. Without one: the root's children, each standing for the client
// window inside it when it is a frame. Windows without pixels never count.
std::vector<WindowInfo> listX11Windows(X11Connection &conn, const std::set<XWindowId> &own);

// The windows whose title matches the pattern ("*", "?"), compared
// case-blind unless caseSensitive.
std::vector<WindowInfo> windowsMatching(const std::vector<WindowInfo> &windows, const std::string &pattern,
                                        bool caseSensitive);

} // namespace quiz

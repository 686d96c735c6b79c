#include "adapters/x11/x11windowlist.h"

#include "core/common/text.h"
#include "core/presentationlink/titlematch.h"

#include <algorithm>

namespace quiz
{

namespace
{

std::string latin1ToUtf8(const std::string &bytes)
{
    std::string out;
    for (const unsigned char c : bytes) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The client window a top-level window stands for: itself when it is a
// client or carries a title, else the first client among its descendants (a
// frame drawn by a window manager); 0 when there is none.
XWindowId clientOf(X11Connection &conn, XWindowId window, int depth = 0)
{
    if (conn.hasWmState(window) || !x11WindowTitle(conn, window).empty())
        return window;
    if (depth == 2)
        return 0;
    const std::vector<XWindowId> kids = conn.children(window);
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if (const XWindowId client = clientOf(conn, *it, depth + 1))
            return client;
    return 0;
}

std::optional<WindowInfo> describe(X11Connection &conn, XWindowId window)
{
    const std::optional<XWindowState> state = conn.state(window);
    if (!state || state->inputOnly)
        return std::nullopt;
    WindowInfo info;
    info.handle = window;
    info.title = x11WindowTitle(conn, window);
    info.rect = x11FrameRect(conn, window);
    info.minimised = conn.iconic(window);
    // A minimised window still counts as shown, as the windows a user can restore.
    info.visible = state->viewable || info.minimised;
    info.hasParent = conn.transientFor(window);
    return info;
}

} // namespace

PixelRect x11FrameRect(X11Connection &conn, XWindowId window)
{
    const PixelRect inner = conn.rootRect(window);
    const FrameExtents frame = conn.frameExtents(window);
    return {inner.left - frame.left, inner.top - frame.top, inner.width + frame.left + frame.right,
            inner.height + frame.top + frame.bottom};
}

std::string x11WindowTitle(X11Connection &conn, XWindowId window)
{
    if (const auto name = conn.netWmName(window); name && !name->empty())
        return *name;
    if (const auto name = conn.wmName(window))
        return latin1ToUtf8(*name);
    return {};
}

std::vector<WindowInfo> listX11Windows(X11Connection &conn, const std::set<XWindowId> &own)
{
    std::vector<WindowInfo> out;
    const auto add = [&](XWindowId window) {
        if (window == 0 || own.count(window))
            return;
        if (std::any_of(out.begin(), out.end(), [&](const WindowInfo &w) { return w.handle == window; }))
            return;
        if (auto info = describe(conn, window))
            out.push_back(std::move(*info));
    };
    std::vector<XWindowId> topLevel = conn.children(conn.root());
    std::reverse(topLevel.begin(), topLevel.end());

    if (std::optional<std::vector<XWindowId>> managed = conn.clientList()) {
        // A full-screen show may bypass the window manager: it lies above
        // the managed windows.
        for (const XWindowId window : topLevel) {
            const auto state = conn.state(window);
            if (state && state->overrideRedirect && state->viewable && !x11WindowTitle(conn, window).empty())
                add(window);
        }
        std::for_each(managed->rbegin(), managed->rend(), add);
        return out;
    }
    for (const XWindowId window : topLevel)
        add(clientOf(conn, window));
    return out;
}

std::vector<WindowInfo> windowsMatching(const std::vector<WindowInfo> &windows, const std::string &pattern,
                                        bool caseSensitive)
{
    const std::string wanted = caseSensitive ? pattern : toUpper(pattern);
    std::vector<WindowInfo> out;
    for (const WindowInfo &window : windows)
        if (WildcardMatch(caseSensitive ? window.title : toUpper(window.title), wanted))
            out.push_back(window);
    return out;
}

} // namespace quiz

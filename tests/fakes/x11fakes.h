#pragma once

#include "adapters/x11/x11connection.h"

#include <map>

namespace quiz::test
{

// An X server's window tree held in memory.
class FakeX11Connection : public X11Connection
{
  public:
    struct Window {
        std::vector<XWindowId> children; // bottom to top
        XWindowState state{true, false, false};
        std::optional<std::string> netWmName, wmName;
        PixelRect rect;
        FrameExtents extents;
        bool wmState = false, iconic = false, transient = false;
    };
    static constexpr XWindowId kRoot = 1;
    std::map<XWindowId, Window> windows{{kRoot, {}}};
    std::optional<std::vector<XWindowId>> managed; // a window manager's client list

    // Adds a window on top of its parent's children.
    Window &add(XWindowId id, XWindowId parent = kRoot)
    {
        windows[parent].children.push_back(id);
        return windows[id];
    }

    XWindowId root() override { return kRoot; }
    std::optional<std::vector<XWindowId>> clientList() override { return managed; }
    std::vector<XWindowId> children(XWindowId w) override { return windows[w].children; }
    std::optional<XWindowState> state(XWindowId w) override
    {
        const auto it = windows.find(w);
        return it == windows.end() ? std::nullopt : std::optional(it->second.state);
    }
    std::optional<std::string> netWmName(XWindowId w) override { return windows[w].netWmName; }
    std::optional<std::string> wmName(XWindowId w) override { return windows[w].wmName; }
    PixelRect rootRect(XWindowId w) override { return windows[w].rect; }
    FrameExtents frameExtents(XWindowId w) override { return windows[w].extents; }
    bool hasWmState(XWindowId w) override { return windows[w].wmState; }
    bool iconic(XWindowId w) override { return windows[w].iconic; }
    bool transientFor(XWindowId w) override { return windows[w].transient; }
};

} // namespace quiz::test

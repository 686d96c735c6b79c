#pragma once

#include "ports/windowsystem.h"
#include "qtsupport/programwindows.h"
#include "qtsupport/widgetlinkform.h"

#include <optional>

class QWidget;

namespace quiz
{

class StandInHost;

// The desktop as the program sees it beside a presentation host: the
// program's own top-level widgets plus the host's windows. Host windows are
// changed through the host (so the stand-in writes them to its file); the
// program's windows through their widgets. The cursor is Qt's; confinement,
// which Qt cannot do, is kept as state, as is the display count.
class StandInWindowSystem : public WindowSystem
{
  public:
    explicit StandInWindowSystem(StandInHost &host);
    StandInWindowSystem(); // the program's windows only

    // Handles of the program's own widgets start here; host handles lie below.
    static constexpr WindowHandle kFirstWidgetHandle = 1'000'000'000;

    // The handle of one of the program's top-level widgets (given on first use).
    static WindowHandle handleOf(QWidget *widget);
    static QWidget *widgetOf(WindowHandle handle);

    std::vector<WindowInfo> topLevelWindows() override;
    WindowHandle ownWindowHandle(QWidget *window) override { return handleOf(window); }
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

    // What the cursor calls left behind, for the program and its tests.
    int cursorDisplayCount() const { return cursor_.count(); }
    std::optional<PixelRect> cursorConfinement() const { return confinement_; }
    std::optional<std::pair<int, int>> lastCursorPos() const { return cursorPos_; }

  private:
    StandInHost *host_ = nullptr;
    CursorDisplayCount cursor_;
    std::optional<PixelRect> confinement_;
    std::optional<std::pair<int, int>> cursorPos_;
};

} // namespace quiz

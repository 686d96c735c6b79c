#pragma once

#include "core/votedata/presentationlink.h"
#include "ports/windowsystem.h"

#include <optional>

class QWidget;

namespace quiz {

class PresentationHost;

// The desktop as the program sees it beside a presentation host: the
// program's own top-level widgets plus the host's windows. Host windows are
// changed through the host (so the stand-in writes them to its file); the
// program's windows through their widgets. The cursor is Qt's; confinement,
// which Qt cannot do, is kept as state, as is the display count.
class StandInWindowSystem : public WindowSystem {
public:
    explicit StandInWindowSystem(PresentationHost &host);
    StandInWindowSystem(); // the program's windows only

    // Handles of the program's own widgets start here; host handles lie below.
    static constexpr WindowHandle kFirstWidgetHandle = 1'000'000'000;

    // The handle of one of the program's top-level widgets (given on first use).
    static WindowHandle handleOf(QWidget *widget);
    static QWidget *widgetOf(WindowHandle handle);

    std::vector<WindowInfo> topLevelWindows() override;
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
    int cursorDisplayCount() const { return cursorCount_; }
    std::optional<PixelRect> cursorConfinement() const { return confinement_; }
    std::optional<std::pair<int, int>> lastCursorPos() const { return cursorPos_; }

private:
    PresentationHost *host_ = nullptr;
    int cursorCount_ = 0;
    bool cursorBlanked_ = false;
    std::optional<PixelRect> confinement_;
    std::optional<std::pair<int, int>> cursorPos_;
};

// A widget as the window link places it: its frame position and size in
// twips at the given twips per pixel.
class WidgetLinkForm : public LinkForm {
public:
    WidgetLinkForm(QWidget *widget, int twipsPerPixelX, int twipsPerPixelY);
    double left() const override;
    double top() const override;
    double width() const override;
    double height() const override;
    void moveTo(double left, double top) override;
    void show() override;

private:
    QWidget *widget_;
    int tx_, ty_;
};

} // namespace quiz

#pragma once

#include "ports/geometry.h"
#include "ports/windowsystem.h"

#include <vector>

class QWidget;

namespace quiz
{

// The program's own top-level windows as every window system sees them:
// which widgets count, their frame rectangles, and moving a frame.
bool isProgramWindow(const QWidget *widget);
std::vector<QWidget *> programTopLevelWidgets();
PixelRect widgetFrameRect(const QWidget *widget);
// How a window system lists one of the program's windows under its handle.
WindowInfo programWindowInfo(const QWidget *widget, WindowHandle handle);
// Moves and sizes the widget so that its frame covers rect, and repaints it.
void moveWidgetFrame(QWidget *widget, const PixelRect &rect);

// The cursor's display count (shown while 0 or more), blanking the cursor
// over the program's windows while it is below 0.
class CursorDisplayCount
{
  public:
    ~CursorDisplayCount();
    int step(bool show);
    int count() const { return count_; }

  private:
    void blank(bool on);
    int count_ = 0;
    bool blanked_ = false;
};

} // namespace quiz

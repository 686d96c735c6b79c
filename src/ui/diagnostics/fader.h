#pragma once

#include "core/diagnostics/fade.h"

#include <QPointer>
#include <QWidget>

namespace quiz
{

// True on the window systems that apply a window's opacity (X11, Windows,
// macOS); elsewhere a fade is a plain show or hide.
bool platformSupportsOpacity();

// A window of the program as the fade sees it: opacity through
// setWindowOpacity (opacity / 255), "no layering" as plain opaque.
class WidgetFadeTarget : public FadeTarget
{
  public:
    explicit WidgetFadeTarget(QWidget *widget, bool opacitySupported = platformSupportsOpacity());

    bool setOpacity(int opacity) override;
    void show() override;
    void hide() override;
    void refresh() override;
    void wait(std::chrono::microseconds duration) override;
    void removeLayering() override;

  private:
    QPointer<QWidget> widget_;
    bool opacitySupported_;
};

// Fades the window from one opacity to another (0..255); see Fade.
void fadeWidget(QWidget *widget, int from, int to, bool show, bool noRefresh, bool removeLayeringWhenOpaque,
                bool chartFade);

} // namespace quiz

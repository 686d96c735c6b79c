#include "ui/diagnostics/fader.h"

#include <QGuiApplication>

#include <thread>

namespace quiz
{

bool platformSupportsOpacity()
{
    // The platforms whose windows take an opacity; others (Wayland,
    // offscreen, framebuffers) ignore it.
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
           platform == QLatin1String("cocoa");
}

WidgetFadeTarget::WidgetFadeTarget(QWidget *widget, bool opacitySupported)
    : widget_(widget), opacitySupported_(opacitySupported)
{
}

bool WidgetFadeTarget::setOpacity(int opacity)
{
    if (!widget_ || !opacitySupported_)
        return false;
    widget_->setWindowOpacity(clampOpacity(opacity) / 255.0);
    return true;
}

void WidgetFadeTarget::show()
{
    if (widget_)
        widget_->show();
}

void WidgetFadeTarget::hide()
{
    if (widget_)
        widget_->hide();
}

void WidgetFadeTarget::refresh()
{
    if (widget_ && widget_->isVisible())
        widget_->repaint();
}

void WidgetFadeTarget::wait(std::chrono::microseconds duration)
{
    // The steps of a fade do not let other events in.
    std::this_thread::sleep_for(duration);
}

void WidgetFadeTarget::removeLayering()
{
    if (widget_)
        widget_->setWindowOpacity(1.0);
}

void fadeWidget(QWidget *widget, int from, int to, bool show, bool noRefresh, bool removeLayeringWhenOpaque,
                bool chartFade)
{
    WidgetFadeTarget target(widget);
    Fade(target, from, to, show, noRefresh, removeLayeringWhenOpaque, chartFade);
}

} // namespace quiz

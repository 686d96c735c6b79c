#include "adapters/standinhost/standinwindowsystem.h"

#include "adapters/standinhost/standinhostwindows.h"
#include "ports/presentationhost.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quiz
{

namespace
{

const char *const kHandleProperty = "quizWindowHandle";

std::vector<QWidget *> programWindows()
{
    std::vector<QWidget *> out = programTopLevelWidgets();
    for (QWidget *widget : out)
        StandInWindowSystem::handleOf(widget);
    std::sort(out.begin(), out.end(), [](QWidget *a, QWidget *b) {
        return StandInWindowSystem::handleOf(a) < StandInWindowSystem::handleOf(b);
    });
    return out;
}

} // namespace

StandInWindowSystem::StandInWindowSystem(StandInHost &host) : host_(&host) {}

StandInWindowSystem::StandInWindowSystem() = default;

WindowHandle StandInWindowSystem::handleOf(QWidget *widget)
{
    static WindowHandle next = kFirstWidgetHandle;
    if (!widget)
        return 0;
    const QVariant known = widget->property(kHandleProperty);
    if (known.isValid())
        return known.toLongLong();
    const WindowHandle handle = next++;
    widget->setProperty(kHandleProperty, QVariant::fromValue<qlonglong>(handle));
    return handle;
}

QWidget *StandInWindowSystem::widgetOf(WindowHandle handle)
{
    if (handle < kFirstWidgetHandle)
        return nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        const QVariant known = widget->property(kHandleProperty);
        if (known.isValid() && known.toLongLong() == handle)
            return widget;
    }
    return nullptr;
}

std::vector<WindowInfo> StandInWindowSystem::topLevelWindows()
{
    std::vector<WindowInfo> out;
    for (QWidget *widget : programWindows())
        out.push_back(programWindowInfo(widget, handleOf(widget)));
    if (host_) {
        std::vector<WindowInfo> hostWindows;
        try {
            hostWindows = StandInHostWindows(*host_).windows();
        } catch (const HostError &) {
        }
        out.insert(out.end(), hostWindows.begin(), hostWindows.end());
    }
    return out;
}

PixelRect StandInWindowSystem::windowRect(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        return widgetFrameRect(widget);
    if (host_)
        for (const WindowInfo &w : StandInHostWindows(*host_).windows())
            if (w.handle == window)
                return w.rect;
    return {};
}

void StandInWindowSystem::enableWindow(WindowHandle window, bool enable)
{
    if (QWidget *widget = widgetOf(window))
        widget->setEnabled(enable);
    else if (host_ && window > 0)
        StandInHostWindows(*host_).setWindowEnabled(window, enable);
}

void StandInWindowSystem::raiseWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->raise();
    else if (host_ && window > 0)
        StandInHostWindows(*host_).raiseWindow(window);
}

void StandInWindowSystem::activateWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window)) {
        widget->raise();
        widget->activateWindow();
    } else if (host_ && window > 0) {
        StandInHostWindows(*host_).activateWindow(window);
    }
}

void StandInWindowSystem::restoreWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    else if (host_ && window > 0)
        StandInHostWindows(*host_).restoreWindow(window);
}

void StandInWindowSystem::moveWindow(WindowHandle window, const PixelRect &rect)
{
    if (QWidget *widget = widgetOf(window)) {
        moveWidgetFrame(widget, rect);
    } else if (host_ && window > 0) {
        StandInHostWindows(*host_).moveWindow(window, rect);
    }
}

void StandInWindowSystem::closeWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->close();
    else if (host_ && window > 0)
        StandInHostWindows(*host_).closeWindow(window);
}

void StandInWindowSystem::hideWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->hide();
}

int StandInWindowSystem::showCursor(bool show)
{
    return cursor_.step(show);
}

void StandInWindowSystem::confineCursor(const std::optional<PixelRect> &rect)
{
    confinement_ = rect;
}

void StandInWindowSystem::setCursorPos(int x, int y)
{
    cursorPos_ = std::make_pair(x, y);
    QCursor::setPos(x, y);
}

void StandInWindowSystem::clearClipboard()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->clear();
}

} // namespace quiz

#include "adapters/standinhost/standinwindowsystem.h"

#include "ports/presentationhost.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quiz {

namespace {

const char *const kHandleProperty = "quizWindowHandle";

bool isProgramWindow(const QWidget *widget)
{
    const Qt::WindowType type = widget->windowType();
    return widget->isWindow() && type != Qt::Desktop && type != Qt::Popup && type != Qt::ToolTip;
}

std::vector<QWidget *> programWindows()
{
    std::vector<QWidget *> out;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (isProgramWindow(widget))
            out.push_back(widget);
    for (QWidget *widget : out)
        StandInWindowSystem::handleOf(widget);
    std::sort(out.begin(), out.end(), [](QWidget *a, QWidget *b) {
        return StandInWindowSystem::handleOf(a) < StandInWindowSystem::handleOf(b);
    });
    return out;
}

PixelRect frameRect(const QWidget *widget)
{
    const QRect r = widget->frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

StandInWindowSystem::StandInWindowSystem(PresentationHost &host) : host_(&host) {}

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
    for (QWidget *widget : programWindows()) {
        WindowInfo info;
        info.handle = handleOf(widget);
        info.title = widget->windowTitle().toStdString();
        info.rect = frameRect(widget);
        info.visible = widget->isVisible();
        info.hasParent = widget->parentWidget() != nullptr;
        info.minimised = widget->isMinimized();
        info.enabled = widget->isEnabled();
        info.ownWindow = true;
        out.push_back(std::move(info));
    }
    if (host_) {
        std::vector<HostWindow> hostWindows;
        try {
            hostWindows = host_->windows();
        } catch (const HostError &) {
        }
        for (const HostWindow &w : hostWindows) {
            WindowInfo info;
            info.handle = w.handle;
            info.title = w.title;
            info.rect = w.rect;
            info.visible = w.visible;
            info.minimised = w.minimised;
            info.enabled = w.enabled;
            out.push_back(std::move(info));
        }
    }
    return out;
}

PixelRect StandInWindowSystem::windowRect(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        return frameRect(widget);
    if (host_)
        for (const HostWindow &w : host_->windows())
            if (w.handle == window)
                return w.rect;
    return {};
}

void StandInWindowSystem::enableWindow(WindowHandle window, bool enable)
{
    if (QWidget *widget = widgetOf(window))
        widget->setEnabled(enable);
    else if (host_ && window > 0)
        host_->setWindowEnabled(window, enable);
}

void StandInWindowSystem::raiseWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->raise();
    else if (host_ && window > 0)
        host_->raiseWindow(window);
}

void StandInWindowSystem::activateWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window)) {
        widget->raise();
        widget->activateWindow();
    } else if (host_ && window > 0) {
        host_->activateWindow(window);
    }
}

void StandInWindowSystem::restoreWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    else if (host_ && window > 0)
        host_->restoreWindow(window);
}

void StandInWindowSystem::moveWindow(WindowHandle window, const PixelRect &rect)
{
    if (QWidget *widget = widgetOf(window)) {
        // The rectangle is the frame's; the widget's geometry is inside it.
        const QRect frame = widget->frameGeometry(), inner = widget->geometry();
        const int extraW = frame.width() - inner.width(), extraH = frame.height() - inner.height();
        widget->move(rect.left, rect.top);
        widget->resize(std::max(0, rect.width - extraW), std::max(0, rect.height - extraH));
        widget->repaint();
    } else if (host_ && window > 0) {
        host_->moveWindow(window, rect);
    }
}

void StandInWindowSystem::closeWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->close();
    else if (host_ && window > 0)
        host_->closeWindow(window);
}

void StandInWindowSystem::hideWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->hide();
}

int StandInWindowSystem::showCursor(bool show)
{
    cursorCount_ += show ? 1 : -1;
    const bool blank = cursorCount_ < 0;
    if (blank != cursorBlanked_ && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (blank)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        else
            QGuiApplication::restoreOverrideCursor();
        cursorBlanked_ = blank;
    }
    return cursorCount_;
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

// ---------------------------------------------------------------- WidgetLinkForm

WidgetLinkForm::WidgetLinkForm(QWidget *widget, int twipsPerPixelX, int twipsPerPixelY)
    : widget_(widget), tx_(twipsPerPixelX), ty_(twipsPerPixelY)
{
}

double WidgetLinkForm::left() const
{
    return double(widget_->frameGeometry().x()) * tx_;
}

double WidgetLinkForm::top() const
{
    return double(widget_->frameGeometry().y()) * ty_;
}

double WidgetLinkForm::width() const
{
    return double(widget_->frameGeometry().width()) * tx_;
}

double WidgetLinkForm::height() const
{
    return double(widget_->frameGeometry().height()) * ty_;
}

void WidgetLinkForm::moveTo(double left, double top)
{
    widget_->move(static_cast<int>(std::nearbyint(left / tx_)), static_cast<int>(std::nearbyint(top / ty_)));
}

void WidgetLinkForm::show()
{
    widget_->show();
}

} // namespace quiz

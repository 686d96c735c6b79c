#include "adapters/x11/x11windowsystem.h"

#include "adapters/x11/x11windowlist.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <QWindow>

#include <set>

namespace quiz
{

namespace
{

bool toolkitOnX11()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) &&
           QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::open(const char *display, std::string *error)
{
    if (toolkitOnX11()) {
        if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            return std::make_unique<X11WindowSystem>(XcbConnection::borrow(x11->connection()));
    }
    std::unique_ptr<XcbConnection> connection = XcbConnection::open(display, error);
    if (!connection)
        return nullptr;
    return std::make_unique<X11WindowSystem>(std::move(connection));
}

X11WindowSystem::X11WindowSystem(std::unique_ptr<XcbConnection> connection) : conn_(std::move(connection)) {}

X11WindowSystem::~X11WindowSystem()
{
    releaseCursor();
    while (!shields_.empty())
        liftShield(shields_.begin()->first);
    conn_->flush();
}

QWidget *X11WindowSystem::widgetOf(WindowHandle handle) const
{
    if (handle <= 0 || !toolkitOnX11())
        return nullptr;
    for (QWidget *widget : programTopLevelWidgets())
        if (WindowHandle(widget->internalWinId()) == handle)
            return widget;
    return nullptr;
}

WindowHandle X11WindowSystem::ownWindowHandle(QWidget *window)
{
    // Off X11 the program's windows have no X window to name.
    if (!window || !toolkitOnX11())
        return 0;
    return WindowHandle(window->window()->winId());
}

std::vector<WindowInfo> X11WindowSystem::topLevelWindows()
{
    std::vector<WindowInfo> out;
    std::set<XWindowId> own;
    if (toolkitOnX11()) {
        for (QWidget *widget : programTopLevelWidgets()) {
            if (!widget->internalWinId())
                continue;
            own.insert(XWindowId(widget->internalWinId()));
            out.push_back(programWindowInfo(widget, WindowHandle(widget->internalWinId())));
        }
    }
    for (WindowInfo &info : listX11Windows(*conn_, own)) {
        info.enabled = !shields_.count(info.handle);
        out.push_back(std::move(info));
    }
    return out;
}

std::vector<WindowInfo> X11WindowSystem::windowsMatching(const std::string &pattern, bool caseSensitive)
{
    std::vector<WindowInfo> visible;
    for (WindowInfo &info : topLevelWindows())
        if (info.visible && !info.hasParent)
            visible.push_back(std::move(info));
    return quiz::windowsMatching(visible, pattern, caseSensitive);
}

PixelRect X11WindowSystem::windowRect(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        return widgetFrameRect(widget);
    if (window <= 0)
        return {};
    return x11FrameRect(*conn_, XWindowId(window));
}

XWindowId X11WindowSystem::shieldOf(WindowHandle window) const
{
    const auto it = shields_.find(window);
    return it == shields_.end() ? 0 : it->second;
}

void X11WindowSystem::liftShield(WindowHandle window)
{
    const auto it = shields_.find(window);
    if (it == shields_.end())
        return;
    conn_->destroy(it->second);
    shields_.erase(it);
}

void X11WindowSystem::enableWindow(WindowHandle window, bool enable)
{
    if (QWidget *widget = widgetOf(window)) {
        widget->setEnabled(enable);
        return;
    }
    if (window <= 0)
        return;
    liftShield(window);
    if (!enable && conn_->state(XWindowId(window))) {
        // Laid directly over the window (its frame), so the program's own
        // windows stacked above stay reachable.
        shields_[window] = conn_->createInputOnly(windowRect(window), conn_->topAncestor(XWindowId(window)));
    }
    conn_->flush();
}

void X11WindowSystem::raiseWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window)) {
        widget->raise();
        return;
    }
    if (window <= 0)
        return;
    conn_->raise(XWindowId(window));
    if (const XWindowId shield = shieldOf(window))
        conn_->stackAbove(shield, conn_->topAncestor(XWindowId(window)));
    conn_->flush();
}

void X11WindowSystem::activateWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window)) {
        widget->raise();
        widget->activateWindow();
    } else if (window > 0) {
        conn_->activate(XWindowId(window));
        if (const XWindowId shield = shieldOf(window))
            conn_->stackAbove(shield, conn_->topAncestor(XWindowId(window)));
        conn_->flush();
    }
}

void X11WindowSystem::restoreWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    else if (window > 0)
        conn_->restore(XWindowId(window));
}

void X11WindowSystem::moveWindow(WindowHandle window, const PixelRect &rect)
{
    if (QWidget *widget = widgetOf(window)) {
        moveWidgetFrame(widget, rect);
        // Placed over another program's window, it stays above it.
        if (QWindow *handle = widget->windowHandle())
            handle->setFlag(Qt::WindowStaysOnTopHint, true);
        widget->raise();
        conn_->flush(); // the toolkit's requests too: the window is above before anything else happens
        return;
    }
    if (window <= 0)
        return;
    conn_->move(XWindowId(window), rect);
    if (shieldOf(window))
        enableWindow(window, false); // the shield follows the window
    conn_->flush();
}

void X11WindowSystem::closeWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window)) {
        widget->close();
    } else if (window > 0) {
        liftShield(window);
        conn_->close(XWindowId(window));
        conn_->flush();
    }
}

void X11WindowSystem::hideWindow(WindowHandle window)
{
    if (QWidget *widget = widgetOf(window))
        widget->hide();
}

int X11WindowSystem::showCursor(bool show)
{
    return cursor_.step(show);
}

void X11WindowSystem::releaseCursor()
{
    if (grabbed_)
        conn_->ungrabPointer();
    grabbed_ = false;
    if (confineWindow_)
        conn_->destroy(confineWindow_);
    confineWindow_ = 0;
    conn_->flush();
}

void X11WindowSystem::confineCursor(const std::optional<PixelRect> &rect)
{
    releaseCursor();
    if (!rect)
        return;
    confineWindow_ = conn_->createInputOnly(*rect, 0);
    grabbed_ = conn_->grabPointer(confineWindow_);
    conn_->flush();
}

void X11WindowSystem::setCursorPos(int x, int y)
{
    conn_->warpPointer(x, y);
    conn_->flush();
}

void X11WindowSystem::clearClipboard()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->clear();
}

QImage X11WindowSystem::capture(WindowHandle window)
{
    const ScreenPixels pixels = conn_->readScreen(windowRect(window));
    if (pixels.rgb.empty())
        return {};
    QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < pixels.width; ++x)
            line[x] = 0xFF000000u | pixels.rgb[std::size_t(y) * pixels.width + x];
    }
    return image;
}

} // namespace quiz

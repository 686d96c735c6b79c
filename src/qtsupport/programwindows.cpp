#include "qtsupport/programwindows.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

namespace quiz
{

bool isProgramWindow(const QWidget *widget)
{
    const Qt::WindowType type = widget->windowType();
    return widget->isWindow() && type != Qt::Desktop && type != Qt::Popup && type != Qt::ToolTip;
}

std::vector<QWidget *> programTopLevelWidgets()
{
    std::vector<QWidget *> out;
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return out;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (isProgramWindow(widget))
            out.push_back(widget);
    return out;
}

PixelRect widgetFrameRect(const QWidget *widget)
{
    const QRect r = widget->frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

WindowInfo programWindowInfo(const QWidget *widget, WindowHandle handle)
{
    WindowInfo info;
    info.handle = handle;
    info.title = widget->windowTitle().toStdString();
    info.rect = widgetFrameRect(widget);
    info.visible = widget->isVisible();
    info.hasParent = widget->parentWidget() != nullptr;
    info.minimised = widget->isMinimized();
    info.enabled = widget->isEnabled();
    info.ownWindow = true;
    return info;
}

void moveWidgetFrame(QWidget *widget, const PixelRect &rect)
{
    // The rectangle is the frame's; the widget's geometry is inside it.
    const QRect frame = widget->frameGeometry(), inner = widget->geometry();
    const int extraW = frame.width() - inner.width(), extraH = frame.height() - inner.height();
    widget->move(rect.left, rect.top);
    widget->resize(std::max(0, rect.width - extraW), std::max(0, rect.height - extraH));
    widget->repaint();
}

CursorDisplayCount::~CursorDisplayCount()
{
    blank(false);
}

int CursorDisplayCount::step(bool show)
{
    count_ += show ? 1 : -1;
    blank(count_ < 0);
    return count_;
}

void CursorDisplayCount::blank(bool on)
{
    if (on == blanked_ || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    blanked_ = on;
}

} // namespace quiz

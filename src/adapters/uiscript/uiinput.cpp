#include "adapters/uiscript/uiinput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace quiz
{

namespace
{

struct Hit {
    QPointer<QWidget> widget;
    QPoint point; // in the hit widget's coordinates
};

Hit hitAt(QWidget *widget, QPoint point)
{
    QWidget *child = widget->childAt(point);
    if (!child)
        return {widget, point};
    return {child, child->mapFrom(widget, point)};
}

void sendMouse(const Hit &hit, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held)
{
    if (!hit.widget)
        return;
    QMouseEvent event(type, QPointF(hit.point), QPointF(hit.widget->mapToGlobal(hit.point)), button, held,
                      QApplication::keyboardModifiers());
    QApplication::sendEvent(hit.widget, &event);
}

void press(const Hit &hit, Qt::MouseButton button)
{
    sendMouse(hit, QEvent::MouseButtonPress, button, button);
}

void release(const Hit &hit, Qt::MouseButton button)
{
    sendMouse(hit, QEvent::MouseButtonRelease, button, Qt::NoButton);
}

// The text a key types, for printable keys without Ctrl, Alt or Meta.
QString keyText(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde)
        return {};
    const QChar c(key);
    return (modifiers & Qt::ShiftModifier) ? QString(c) : QString(c.toLower());
}

std::optional<QPoint> tabPoint(QTabBar *bar, QWidget *widget, const QString &item)
{
    for (int i = 0; i < bar->count(); ++i)
        if (shownCaption(bar->tabText(i)) == shownCaption(item))
            return bar->mapTo(widget, bar->tabRect(i).center());
    return std::nullopt;
}

} // namespace

void clickAt(QWidget *widget, QPoint point)
{
    const Hit hit = hitAt(widget, point);
    press(hit, Qt::LeftButton);
    release(hit, Qt::LeftButton);
}

void doubleClickAt(QWidget *widget, QPoint point)
{
    const Hit hit = hitAt(widget, point);
    press(hit, Qt::LeftButton);
    release(hit, Qt::LeftButton);
    press(hit, Qt::LeftButton);
    sendMouse(hit, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    release(hit, Qt::LeftButton);
}

void rightClickAt(QWidget *widget, QPoint point)
{
    const Hit hit = hitAt(widget, point);
    press(hit, Qt::RightButton);
    release(hit, Qt::RightButton);
    if (hit.widget) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, hit.point, hit.widget->mapToGlobal(hit.point),
                                QApplication::keyboardModifiers());
        QApplication::sendEvent(hit.widget, &event);
    }
}

void dragFromTo(QWidget *widget, QPoint from, QPoint to)
{
    Hit hit = hitAt(widget, from);
    if (!hit.widget)
        return;
    const QPoint origin = hit.widget->mapFrom(widget, QPoint(0, 0));
    press(hit, Qt::LeftButton);
    constexpr int steps = 5;
    for (int i = 1; i <= steps; ++i) {
        if (!hit.widget)
            return;
        hit.point = origin + from + (to - from) * i / steps;
        sendMouse(hit, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    }
    release(hit, Qt::LeftButton);
}

void typeKeys(QWidget *widget, const QKeySequence &keys)
{
    QPointer<QWidget> target(widget);
    for (int i = 0; i < keys.count() && target; ++i) {
        const QKeyCombination combination = keys[i];
        const int key = combination.key();
        const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
        const QString text = keyText(key, modifiers);
        QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &down);
        if (!target)
            return;
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &up);
    }
}

std::optional<QKeySequence> parseKeys(const QString &text)
{
    const QKeySequence keys = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (keys.isEmpty())
        return std::nullopt;
    for (int i = 0; i < keys.count(); ++i)
        if (keys[i].key() == Qt::Key_unknown || keys[i].key() == 0)
            return std::nullopt;
    return keys;
}

std::optional<QPoint> itemPoint(QWidget *widget, const QString &item, bool *unfit)
{
    if (unfit)
        *unfit = false;
    if (auto *tabs = qobject_cast<QTabWidget *>(widget))
        return tabPoint(tabs->tabBar(), widget, item);
    if (auto *bar = qobject_cast<QTabBar *>(widget))
        return tabPoint(bar, widget, item);
    auto *view = qobject_cast<QAbstractItemView *>(widget);
    if (!view || !view->model()) {
        if (unfit)
            *unfit = true;
        return std::nullopt;
    }
    const QAbstractItemModel *model = view->model();
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row) {
        for (int column = 0; column < model->columnCount(root); ++column) {
            const QModelIndex index = model->index(row, column, root);
            if (model->data(index, Qt::DisplayRole).toString() != item)
                continue;
            view->scrollTo(index);
            const QRect rect = view->visualRect(index);
            if (rect.isEmpty())
                continue;
            return view->viewport()->mapTo(widget, rect.center());
        }
    }
    return std::nullopt;
}

QString shownCaption(const QString &caption)
{
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace quiz

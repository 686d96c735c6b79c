#include "adapters/uiscript/uiactions.h"

#include "adapters/uiscript/uiinput.h"
#include "adapters/uiscript/uimenus.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWindow>

namespace quiz
{

namespace
{

std::string nameOf(const QWidget *widget)
{
    return widget->objectName().toStdString();
}

UiPreparedAction fault(UiScriptFault kind, std::string message)
{
    return {kind, std::move(message), {}};
}

UiPreparedAction perform(std::function<void()> input)
{
    return {std::nullopt, "", std::move(input)};
}

bool insideWindowOf(QWidget *window, const QWidget *modal)
{
    for (const QWidget *w = window; w; w = w->parentWidget())
        if (w == modal)
            return true;
    return false;
}

// Hidden, disabled, or behind a modal window: no person could reach it.
std::optional<UiPreparedAction> unreachable(QWidget *widget)
{
    if (!widget->isVisible())
        return fault(UiScriptFault::Hidden, nameOf(widget) + " is hidden");
    if (!widget->isEnabled())
        return fault(UiScriptFault::Disabled, nameOf(widget) + " is disabled");
    const QWidget *modal = QApplication::activeModalWidget();
    QWidget *window = widget->window();
    if (modal && modal->windowModality() == Qt::ApplicationModal && window->windowType() != Qt::Popup &&
        !insideWindowOf(window, modal))
        return fault(UiScriptFault::Disabled,
                     nameOf(widget) + " is behind the modal window " + nameOf(modal));
    return std::nullopt;
}

void sendFocus(QWidget *widget, QEvent::Type type)
{
    QFocusEvent event(type, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

// The point a click-like action acts on: X Y, an item's centre, or the centre.
UiPreparedAction pointOf(const UiAction &action, QWidget *widget, QPoint *point)
{
    if (!action.text.empty()) {
        bool unfit = false;
        const std::optional<QPoint> p = itemPoint(widget, QString::fromStdString(action.text), &unfit);
        if (unfit)
            return fault(UiScriptFault::Unfit, nameOf(widget) + " has no items");
        if (!p)
            return fault(UiScriptFault::Unfit, nameOf(widget) + " has no item \"" + action.text + "\"");
        *point = *p;
    } else if (action.numbers.size() >= 2) {
        *point = QPoint(action.numbers[0], action.numbers[1]);
        if (!widget->rect().contains(*point))
            return fault(UiScriptFault::Unfit, "the point " + std::to_string(point->x()) + "," +
                                                   std::to_string(point->y()) + " is outside " +
                                                   nameOf(widget));
    } else {
        *point = widget->rect().center();
    }
    return {};
}

UiPreparedAction textAction(const UiAction &action, QWidget *widget)
{
    const QString text = QString::fromStdString(action.text);
    QLineEdit *line = qobject_cast<QLineEdit *>(widget);
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        line = combo->lineEdit();
    else if (qobject_cast<QAbstractSpinBox *>(widget))
        line = widget->findChild<QLineEdit *>();
    QPointer<QWidget> target(widget);
    if (line) {
        if (line->isReadOnly())
            return fault(UiScriptFault::Disabled, nameOf(widget) + " is read-only");
        QPointer<QLineEdit> edit(line);
        return perform([target, edit, text] {
            sendFocus(target, QEvent::FocusIn);
            if (!edit)
                return;
            // As typing over a selection: textEdited and textChanged, within the field's limits.
            edit->selectAll();
            if (text.isEmpty())
                edit->del();
            else
                edit->insert(text);
            if (target)
                sendFocus(target, QEvent::FocusOut);
        });
    }
    auto *plain = qobject_cast<QPlainTextEdit *>(widget);
    auto *rich = qobject_cast<QTextEdit *>(widget);
    if (!plain && !rich)
        return fault(UiScriptFault::Unfit, nameOf(widget) + " takes no text");
    if (plain ? plain->isReadOnly() : rich->isReadOnly())
        return fault(UiScriptFault::Disabled, nameOf(widget) + " is read-only");
    return perform([target, text] {
        sendFocus(target, QEvent::FocusIn);
        if (auto *p = qobject_cast<QPlainTextEdit *>(target.data())) {
            p->selectAll();
            p->textCursor().removeSelectedText();
            p->insertPlainText(text);
        } else if (auto *r = qobject_cast<QTextEdit *>(target.data())) {
            r->selectAll();
            r->textCursor().removeSelectedText();
            r->insertPlainText(text);
        }
        if (target)
            sendFocus(target, QEvent::FocusOut);
    });
}

UiPreparedAction selectAction(const UiAction &action, QWidget *widget)
{
    const QString item = QString::fromStdString(action.text);
    QPointer<QWidget> target(widget);
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        const int index = combo->findText(item, Qt::MatchExactly);
        if (index < 0)
            return fault(UiScriptFault::Unfit, nameOf(widget) + " has no item \"" + action.text + "\"");
        // As a choice from the drop-down list: the change, then the activation.
        return perform([target, index, item] {
            auto *c = qobject_cast<QComboBox *>(target.data());
            if (!c)
                return;
            c->setCurrentIndex(index);
            emit c->activated(index);
            emit c->textActivated(item);
        });
    }
    QTabBar *bar = qobject_cast<QTabBar *>(widget);
    if (auto *tabs = qobject_cast<QTabWidget *>(widget))
        bar = tabs->tabBar();
    if (bar) {
        for (int i = 0; i < bar->count(); ++i)
            if (shownCaption(bar->tabText(i)) == shownCaption(item) && !bar->isTabEnabled(i))
                return fault(UiScriptFault::Disabled,
                             "the tab \"" + action.text + "\" of " + nameOf(widget) + " is disabled");
    } else if (!qobject_cast<QAbstractItemView *>(widget)) {
        return fault(UiScriptFault::Unfit, nameOf(widget) + " has no items to select");
    }
    QPoint point;
    UiPreparedAction checked = pointOf(action, widget, &point);
    if (checked.fault)
        return checked;
    return perform([target, point] {
        if (target)
            clickAt(target, point);
    });
}

UiPreparedAction tickAction(const UiAction &action, QWidget *widget)
{
    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (!button || !button->isCheckable())
        return fault(UiScriptFault::Unfit, nameOf(widget) + " cannot be ticked");
    if (!action.on && button->isChecked() && button->autoExclusive())
        return fault(UiScriptFault::Unfit, nameOf(widget) + " is an option that another one turns off");
    const bool on = action.on;
    QPointer<QAbstractButton> target(button);
    return perform([target, on] {
        // A three-state box may need two clicks to reach its state.
        for (int i = 0; i < 3 && target; ++i) {
            auto *box = qobject_cast<QCheckBox *>(target.data());
            const bool done =
                box ? box->checkState() == (on ? Qt::Checked : Qt::Unchecked) : target->isChecked() == on;
            if (done)
                return;
            target->click();
        }
    });
}

} // namespace

UiTarget findUiTarget(const UiAction &action)
{
    const QString windowName = QString::fromStdString(action.window);
    QWidget *current = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == windowName && w->isVisible()) {
            current = w;
            break;
        }
    if (!current)
        return {nullptr, "the window " + action.window + " is not shown"};
    std::string where = action.window;
    for (const std::string &part : action.path) {
        const QList<QWidget *> found = current->findChildren<QWidget *>(QString::fromStdString(part));
        QWidget *pick = found.isEmpty() ? nullptr : found.first();
        for (QWidget *w : found)
            if (w->isVisible()) {
                pick = w;
                break;
            }
        if (!pick)
            return {nullptr, "no control " + part + " in " + where};
        current = pick;
        where += "/" + part;
    }
    return {current, ""};
}

UiPreparedAction prepareUiAction(const UiAction &action, QWidget *widget)
{
    if (auto blocked = unreachable(widget))
        return *blocked;
    QPointer<QWidget> target(widget);
    QPoint point;
    switch (action.kind) {
    case UiActionKind::Click:
    case UiActionKind::DoubleClick:
    case UiActionKind::RightClick: {
        UiPreparedAction checked = pointOf(action, widget, &point);
        if (checked.fault)
            return checked;
        const UiActionKind kind = action.kind;
        return perform([target, point, kind] {
            if (!target)
                return;
            if (kind == UiActionKind::Click)
                clickAt(target, point);
            else if (kind == UiActionKind::DoubleClick)
                doubleClickAt(target, point);
            else
                rightClickAt(target, point);
        });
    }
    case UiActionKind::Drag: {
        const QPoint from(action.numbers[0], action.numbers[1]), to(action.numbers[2], action.numbers[3]);
        if (!widget->rect().contains(from))
            return fault(UiScriptFault::Unfit, "the drag starts outside " + nameOf(widget));
        return perform([target, from, to] {
            if (target)
                dragFromTo(target, from, to);
        });
    }
    case UiActionKind::Key: {
        const std::optional<QKeySequence> keys = parseKeys(QString::fromStdString(action.text));
        if (!keys)
            return fault(UiScriptFault::BadLine, "\"" + action.text + "\" names no keys");
        return perform([target, keys] {
            if (target)
                typeKeys(target, *keys);
        });
    }
    case UiActionKind::Text:
        return textAction(action, widget);
    case UiActionKind::Select:
        return selectAction(action, widget);
    case UiActionKind::Tick:
        return tickAction(action, widget);
    case UiActionKind::Menu:
        return prepareMenuEntry(widget, action.text);
    case UiActionKind::Close:
        return perform([target] {
            if (target)
                target->close();
        });
    case UiActionKind::Wait:
        // A window is reached once it is on the screen: a window manager maps it (in its frame)
        // a while after the program shows it.
        if (widget->isWindow() && widget->windowHandle() && !widget->windowHandle()->isExposed())
            return fault(UiScriptFault::Hidden, nameOf(widget) + " is not on the screen yet");
        return perform([] {}); // reachable: nothing more to do
    }
    return fault(UiScriptFault::UnknownAction, "no input for " + action.word);
}

} // namespace quiz

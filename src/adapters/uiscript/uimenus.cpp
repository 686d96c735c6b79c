#include "adapters/uiscript/uimenus.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <vector>

namespace quiz
{

namespace
{

struct MenuStep {
    QPointer<QMenu> menu;
    QPointer<QAction> action;
};

// The menus and entries from `menu` down to the entry, through sub-menus.
bool findEntry(QMenu *menu, const QString &entry, std::vector<MenuStep> &path, int depth = 0)
{
    if (depth > 8)
        return false;
    for (QAction *action : menu->actions()) {
        path.push_back({menu, action});
        if (action->objectName() == entry)
            return true;
        if (action->menu() && findEntry(action->menu(), entry, path, depth + 1))
            return true;
        path.pop_back();
    }
    return false;
}

void pressReturn(QMenu *menu)
{
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(menu, &down);
}

UiPreparedAction fault(UiScriptFault kind, std::string message)
{
    return {kind, std::move(message), {}};
}

} // namespace

UiPreparedAction prepareMenuEntry(QWidget *widget, const std::string &entryName)
{
    const QString entry = QString::fromStdString(entryName);
    const std::string where = widget->objectName().toStdString();
    std::vector<MenuStep> path;
    QPointer<QMenuBar> bar;
    QPointer<QAction> barAction;

    if (auto *menu = qobject_cast<QMenu *>(widget)) {
        findEntry(menu, entry, path);
    } else {
        bar = qobject_cast<QMenuBar *>(widget);
        if (!bar)
            bar = widget->findChild<QMenuBar *>();
        if (!bar)
            return fault(UiScriptFault::Unfit,
                         where + " is neither a pop-up menu nor a window with a menu bar");
        for (QAction *top : bar->actions()) {
            if (top->objectName() == entry || (top->menu() && findEntry(top->menu(), entry, path))) {
                barAction = top;
                break;
            }
        }
    }
    if (path.empty() && !barAction)
        return fault(UiScriptFault::Missing, "no menu entry " + entryName + " in " + where);

    std::vector<QAction *> chosen;
    if (barAction)
        chosen.push_back(barAction);
    for (const MenuStep &step : path)
        chosen.push_back(step.action);
    for (QAction *action : chosen) {
        const std::string name = action->objectName().isEmpty() ? action->text().toStdString()
                                                                : action->objectName().toStdString();
        if (!action->isVisible())
            return fault(UiScriptFault::Hidden, "the menu entry " + name + " is hidden");
        if (!action->isEnabled())
            return fault(UiScriptFault::Disabled, "the menu entry " + name + " is disabled");
    }

    return {std::nullopt, "", [bar, barAction, path] {
                if (bar && barAction) {
                    if (path.empty()) {
                        barAction->trigger();
                        emit bar->triggered(barAction);
                        return;
                    }
                    // Opens the bar's menu as a click on its title does.
                    bar->setActiveAction(barAction);
                }
                // Each menu opens the next through its current entry, as Return does.
                for (const MenuStep &step : path) {
                    if (!step.menu || !step.action)
                        return;
                    if (!step.menu->isVisible())
                        step.menu->popup(QPoint(0, 0));
                    step.menu->setActiveAction(step.action);
                    pressReturn(step.menu);
                }
            }};
}

} // namespace quiz

#include "adapters/instance/closewindowstitled.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace quiz
{

int CloseWindowsTitled(const std::string &title)
{
    if (title.empty())
        return 0;
    const QString wanted = QString::fromStdString(title);
    // Closing a window may delete others; collect first, then close what is left.
    QList<QPointer<QWidget>> matches;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->windowTitle() == wanted)
            matches.append(widget);
    int asked = 0;
    for (const QPointer<QWidget> &widget : matches) {
        if (widget) {
            widget->close();
            ++asked;
        }
    }
    return asked;
}

void answerCloseRequest(const std::string &title, const std::string &applicationTitle,
                        const std::function<void()> &endTheRun)
{
    CloseWindowsTitled(title);
    if (title == applicationTitle && endTheRun)
        endTheRun();
}

} // namespace quiz

#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace quiz::test
{

// Runs the event loop until the condition holds or the time is up; answers
// whether it holds. The time is a limit, never the thing waited for.
inline bool waitUntil(const std::function<bool()> &condition, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

} // namespace quiz::test

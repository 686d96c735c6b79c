#include "adapters/qt/qteventpump.h"

#include "core/common/runend.h"

#include <QCoreApplication>
#include <QThread>

namespace quiz
{

QtEventPump::QtEventPump()
{
    clock_.start();
}

void QtEventPump::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    rethrowLatchedRunEnd();
}

void QtEventPump::waitMs(int milliseconds)
{
    const long long until = nowMs() + milliseconds;
    while (nowMs() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        rethrowLatchedRunEnd();
        QThread::msleep(2);
    }
}

long long QtEventPump::nowMs()
{
    return clock_.elapsed();
}

} // namespace quiz

#include "adapters/instance/claimsingleinstance.h"

#include "adapters/instance/instanceguard.h"
#include "ports/eventpump.h"

namespace quiz
{

bool claimSingleInstance(InstanceGuard &guard, EventPump &pump)
{
    bool othersLeft = guard.anotherInstanceRunning();
    if (othersLeft) {
        guard.setApplicationTitle("Quiz2");
        const long long start = pump.nowMs();
        while (othersLeft && pump.nowMs() - start < claimWaitLimitMs) {
            guard.askOthersToClose("Quiz");
            pump.waitMs(claimRetryMs);
            othersLeft = guard.anotherInstanceRunning();
        }
    }
    guard.setApplicationTitle("Quiz");
    return !othersLeft;
}

} // namespace quiz

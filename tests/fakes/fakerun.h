#pragma once

// A run's context wired to one fake of each port a run talks through, and the
// exit code a step ends the run with.

#include "core/common/runend.h"
#include "core/startup/runcontext.h"
#include "fakes/controllerfakes.h"
#include "fakes/fakeprogress.h"
#include "fakes/presentationfakes.h"

#include <functional>
#include <string>

namespace quiz::test
{

struct FakeRun {
    FakeRun()
    {
        ctx.host = &host;
        ctx.windows = &windows;
        ctx.dialogs = &dialogs;
        ctx.pump = &pump;
        ctx.controller = &channel;
        ctx.progress = &progress;
    }
    FakeRun(const FakeRun &) = delete;
    FakeRun &operator=(const FakeRun &) = delete;

    FakeHost host;
    FakeWindowSystem windows;
    FakeDialogs dialogs;
    FakePump pump;
    FakeChannel channel;
    FakeProgress progress;
    RunContext ctx;
};

// The exit code the step ended the run with (its reason in `reason`), -1 when it returned.
inline int runEndCode(const std::function<void()> &step, std::string *reason = nullptr)
{
    try {
        step();
        return -1;
    } catch (const RunEnded &end) {
        if (reason)
            *reason = end.reason;
        return end.exitCode;
    }
}

} // namespace quiz::test

// The set-up screens bring themselves to the front through the run's window
// system, under the handle it knows them by; their runs are scenarios.

#include "core/startup/runcontext.h"
#include "fakes/presentationfakes.h"
#include "ui/setup/quizform.h"
#include "ui/setup/quizwizard.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace quiz
{
namespace
{

template <class Screen> void expectRaisedUnderItsOwnHandle()
{
    test::FakeWindowSystem windows;
    windows.ownHandle = 4242;
    RunContext ctx;
    ctx.windows = &windows;
    Screen screen(ctx, SetupWindowHooks{});
    screen.show();
    const auto raised = [&] {
        return std::find(windows.calls.begin(), windows.calls.end(), "raise 4242") != windows.calls.end();
    };
    EXPECT_TRUE(QTest::qWaitFor(raised, 5000)) << (windows.calls.empty() ? "" : windows.calls.front());
}

TEST(SetupScreens, RaiseThemselvesUnderTheWindowSystemsOwnHandle)
{
    expectRaisedUnderItsOwnHandle<QuizForm>();
    expectRaisedUnderItsOwnHandle<QuizWizard>();
}

} // namespace
} // namespace quiz

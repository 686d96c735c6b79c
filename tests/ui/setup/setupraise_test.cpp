// The set-up screens bring themselves to the front through the run's window
// system, under the handle it knows them by; their runs are scenarios. The
// raise is their base's (SetupWindow), the same for the form and the wizard.

#include "fakes/fakerun.h"
#include "ui/setup/quizform.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace quiz
{
namespace
{

TEST(SetupScreens, RaiseThemselvesUnderTheWindowSystemsOwnHandle)
{
    test::FakeRun run;
    run.windows.ownHandle = 4242;
    QuizForm screen(run.ctx, SetupWindowHooks{});
    screen.show();
    const auto &calls = run.windows.calls;
    const auto raised = [&] { return std::find(calls.begin(), calls.end(), "raise 4242") != calls.end(); };
    EXPECT_TRUE(QTest::qWaitFor(raised, 5000)) << (calls.empty() ? "" : calls.front());
}

} // namespace
} // namespace quiz

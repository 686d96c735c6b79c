// The set-up screens bring themselves to the front through the run's window
// system, under the handle it knows them by; their runs are scenarios.

#include "fakes/fakerun.h"
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
    test::FakeRun run;
    run.windows.ownHandle = 4242;
    Screen screen(run.ctx, SetupWindowHooks{});
    screen.show();
    const auto &calls = run.windows.calls;
    const auto raised = [&] { return std::find(calls.begin(), calls.end(), "raise 4242") != calls.end(); };
    EXPECT_TRUE(QTest::qWaitFor(raised, 5000)) << (calls.empty() ? "" : calls.front());
}

TEST(SetupScreens, RaiseThemselvesUnderTheWindowSystemsOwnHandle)
{
    expectRaisedUnderItsOwnHandle<QuizForm>();
    expectRaisedUnderItsOwnHandle<QuizWizard>();
}

} // namespace
} // namespace quiz

#include "adapters/instance/claimsingleinstance.h"
#include "adapters/instance/closewindowstitled.h"
#include "adapters/instance/instanceguard.h"
#include "fakes/controllerfakes.h"
#include "support/standin.h"
#include "support/testfolder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;
using quiz::test::TestFolder;

namespace
{

// The fake pump with real events: each wait lets the other guard's connection be served.
test::FakePump steppingPump()
{
    test::FakePump pump;
    pump.meanwhile = [] {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    return pump;
}

class CountingWindow : public QWidget
{
  public:
    int closeRequests = 0;

  protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeRequests;
        QWidget::closeEvent(event);
    }
};

// Guards on one socket in a folder of the test's own.
struct OnOneSocket : ::testing::Test {
    TestFolder folder;
    const std::string socket = folder.str() + "/quiz.sock";
};

} // namespace

TEST(InstanceSocket, IsPerUserUnderTheRuntimeFolder)
{
    EXPECT_EQ(instanceSocketPath("/run/user/1000", 1000), "/run/user/1000/talvix-quiz-1000");
    const std::string fallback = instanceSocketPath("", 42);
    EXPECT_EQ(fallback.substr(fallback.size() - std::string("/talvix-quiz-42").size()), "/talvix-quiz-42");
}

TEST_F(OnOneSocket, GuardNobodyRunningUntilAGuardListens)
{
    folder.write("quiz.sock", "left behind"); // a stale socket is taken over
    InstanceGuard first(socket), second(socket);
    EXPECT_FALSE(second.anotherInstanceRunning());
    EXPECT_FALSE(second.askOthersToClose("Quiz"));
    ASSERT_TRUE(first.listen([](const std::string &) {}));
    EXPECT_TRUE(first.listening());
    EXPECT_TRUE(second.anotherInstanceRunning());
    EXPECT_FALSE(first.anotherInstanceRunning()) << "an instance does not see itself";
    first.stopListening();
    EXPECT_FALSE(second.anotherInstanceRunning());
}

TEST_F(OnOneSocket, GuardCloseRequestReachesTheListeningInstanceWithItsTitle)
{
    InstanceGuard first(socket), second(socket);
    std::vector<std::string> requested;
    ASSERT_TRUE(first.listen([&](const std::string &title) { requested.push_back(title); }));
    ASSERT_TRUE(second.askOthersToClose("Quiz"));
    ASSERT_TRUE(second.askOthersToClose("caf\xC3\xA9 \"quiz\""));
    ASSERT_TRUE(test::waitUntil([&] { return requested.size() == 2; }));
    EXPECT_EQ(requested, (std::vector<std::string>{"Quiz", "caf\xC3\xA9 \"quiz\""}));
}

TEST_F(OnOneSocket, GuardANewerListenerTakesTheSocketOver)
{
    InstanceGuard older(socket), newer(socket), third(socket);
    int olderHeard = 0, newerHeard = 0;
    ASSERT_TRUE(older.listen([&](const std::string &) { ++olderHeard; }));
    ASSERT_TRUE(newer.listen([&](const std::string &) { ++newerHeard; }));
    ASSERT_TRUE(third.askOthersToClose("Quiz"));
    ASSERT_TRUE(test::waitUntil([&] { return newerHeard == 1; }));
    EXPECT_EQ(olderHeard, 0);
}

TEST_F(OnOneSocket, GuardHandlerMayStopListeningWhileAnsweringARequest)
{
    InstanceGuard first(socket), second(socket);
    int heard = 0;
    ASSERT_TRUE(first.listen([&](const std::string &) {
        ++heard;
        first.stopListening();
    }));
    ASSERT_TRUE(second.askOthersToClose("Quiz"));
    ASSERT_TRUE(test::waitUntil([&] { return heard == 1; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the server goes now
    EXPECT_EQ(heard, 1);
    EXPECT_FALSE(second.anotherInstanceRunning());
}

TEST_F(OnOneSocket, ClaimThePreviousInstanceIsAskedToCloseQuizAndGoes)
{
    InstanceGuard previous(socket), current(socket);
    std::vector<std::string> requested;
    ASSERT_TRUE(previous.listen([&](const std::string &title) {
        requested.push_back(title);
        answerCloseRequest(title, previous.applicationTitle(), [&] { previous.stopListening(); });
    }));
    test::FakePump pump = steppingPump();
    current.setApplicationTitle("x");
    EXPECT_TRUE(claimSingleInstance(current, pump));
    EXPECT_EQ(requested, (std::vector<std::string>{"Quiz"}));
    EXPECT_EQ(current.applicationTitle(), "Quiz");
    EXPECT_LT(pump.now, 1000);

    InstanceGuard alone(folder.str() + "/alone.sock"); // alone it only takes its title
    test::FakePump quiet = steppingPump();
    EXPECT_TRUE(claimSingleInstance(alone, quiet));
    EXPECT_EQ(quiet.now, 0);
    EXPECT_EQ(alone.applicationTitle(), "Quiz");
}

TEST_F(OnOneSocket, ClaimGivesUpAfterOneSecondWhenThePreviousInstanceStays)
{
    InstanceGuard stubborn(socket), current(socket);
    int requests = 0;
    ASSERT_TRUE(stubborn.listen([&](const std::string &) { ++requests; }));
    test::FakePump pump = steppingPump();
    EXPECT_FALSE(claimSingleInstance(current, pump));
    EXPECT_EQ(pump.now, 1000); // the rule's one second
    // One request before each look, and more than one look.
    test::waitUntil([&] { return requests == pump.yields; });
    EXPECT_EQ(requests, pump.yields);
    EXPECT_GT(requests, 1);
    EXPECT_EQ(current.applicationTitle(), "Quiz");
}

TEST(CloseWindowsTitled, ClosesOnlyWindowsWithExactlyThatTitleShownOrNot)
{
    CountingWindow shown, hidden, other, lower, longer;
    shown.setWindowTitle("Quiz");
    hidden.setWindowTitle("Quiz");
    other.setWindowTitle("Results Table");
    lower.setWindowTitle("quiz");
    longer.setWindowTitle("Quiz2");
    for (QWidget *w : std::initializer_list<QWidget *>{&shown, &other, &lower, &longer})
        w->show();
    EXPECT_EQ(CloseWindowsTitled("Quiz"), 2);
    EXPECT_EQ(shown.closeRequests, 1);
    EXPECT_EQ(hidden.closeRequests, 1);
    EXPECT_FALSE(shown.isVisible());
    EXPECT_EQ(other.closeRequests + lower.closeRequests + longer.closeRequests, 0);
    EXPECT_TRUE(longer.isVisible());
    EXPECT_EQ(CloseWindowsTitled("Nothing like it"), 0); // a title no window has does nothing
    EXPECT_EQ(CloseWindowsTitled(""), 0);
    EXPECT_EQ(other.closeRequests + lower.closeRequests + longer.closeRequests, 0);
}

TEST(AnswerCloseRequest, EndsTheRunOnlyForTheApplicationTitle)
{
    CountingWindow window;
    window.setWindowTitle("Quiz");
    int ends = 0;
    answerCloseRequest("Layout", "Quiz", [&] { ++ends; });
    EXPECT_EQ(ends, 0);
    answerCloseRequest("Quiz", "Quiz", [&] { ++ends; });
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(window.closeRequests, 1);
}

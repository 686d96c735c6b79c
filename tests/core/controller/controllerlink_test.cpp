#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "fakes/controllerfakes.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using test::FakeChannel;
using test::FakeDialogs;
using test::FakePump;

struct LinkTest : ::testing::Test {
    LinkTest()
    {
        state.addinFolder = "/opt/talvix/addin/";
        state.dataFolder = "/home/ann/show";
    }
    ControllerLink makeLink()
    {
        return ControllerLink(state, channel, pump, dialogs, [this] { ++quits; });
    }

    QuizState state;
    FakeChannel channel;
    FakePump pump;
    FakeDialogs dialogs;
    int quits = 0;
};

TEST_F(LinkTest, FirstUseOpensTheLinkWithCheckLinkAndKeepsIt)
{
    ControllerLink link = makeLink();
    EXPECT_TRUE(channel.sent.empty()); // nothing before first use
    EXPECT_FALSE(link.loaded());
    link.SendCommandtoController("GetNames");
    EXPECT_TRUE(link.loaded());
    link.SendCommandtoController("NextSlide,4");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink", "GetNames", "NextSlide,4"}));
    EXPECT_EQ(channel.opens, 1);
}

TEST_F(LinkTest, LoadingClearsTextThatArrivedWhileOpening)
{
    ControllerLink link = makeLink();
    channel.onCommand = [&](const std::string &c) {
        if (c == "CheckLink")
            channel.deliver("baseType=1\r\nmax_kpads=8");
    };
    EXPECT_EQ(link.receivedText(), "");
}

TEST_F(LinkTest, ARefusedCommandDoesNothingMoreAFailedOneResetsTheLinkWithoutSendingAgain)
{
    struct Case {
        SendResult result;
        std::vector<std::string> sent;
        int opens;
    } cases[] = {{SendResult::Refused, {"EndWizard"}, 1},
                 {SendResult::Failed, {"EndWizard", "CheckLink"}, 2}};
    for (const auto &c : cases) {
        ControllerLink link = makeLink();
        link.ResetLink();
        channel.sent.clear();
        channel.opens = 0;
        channel.results = {c.result};
        link.SendCommandtoController("EndWizard");
        EXPECT_EQ(channel.sent, c.sent);
        EXPECT_EQ(channel.opens, c.opens - 1);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LinkTest, ARunningControllerThatDoesNotAnswerEndsTheRun)
{
    channel.answers = false;
    ControllerLink link = makeLink();
    EXPECT_THROW(link.ResetLink(), RunEnded);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.said(0), "talvixmatrix|No link with voting control utility|critical|ok");
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(channel.started.empty());
}

TEST_F(LinkTest, QuitThatTalksToTheControllerDoesNotResetAgain)
{
    channel.answers = false;
    std::unique_ptr<ControllerLink> link;
    link = std::make_unique<ControllerLink>(state, channel, pump, dialogs, [&] {
        ++quits;
        link->SendCommandtoController("NextSlide,3"); // as QuitQuiz does
        endRun(0);
    });
    EXPECT_THROW(link->ResetLink(), RunEnded);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(channel.sent.back(), "NextSlide,3");
}

TEST_F(LinkTest, AMissingControllerIsStartedFromTheAddinFolderAndWaitedFor)
{
    channel.running = false;
    pump.meanwhile = [&] {
        // The controller comes up 1.5 seconds after being started.
        if (channel.startPending && pump.now >= 1500)
            channel.running = true;
    };
    ControllerLink link = makeLink();
    link.ResetLink();
    EXPECT_EQ(channel.started, (std::vector<std::string>{"/opt/talvix/addin/tlxctrl"}));
    EXPECT_EQ(channel.startedIn, (std::vector<std::string>{"/home/ann/show"}));
    EXPECT_GE(pump.yields, ControllerLink::startYields);
    EXPECT_GE(pump.now, 1500);
    EXPECT_LT(pump.now, 1500 + 2 * ControllerLink::startWaitStepMs);
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink"})); // the first open failed before sending
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LinkTest, AControllerThatNeverComesUpEndsTheRunAfterTheLimitOrAtOnceWhenItCannotStart)
{
    channel.running = false;
    for (const bool starts : {true, false}) {
        channel.startWorks = starts;
        pump.now = 0;
        ControllerLink link = makeLink();
        EXPECT_THROW(link.ResetLink(), RunEnded);
        if (starts) {
            EXPECT_GE(pump.now, ControllerLink::startWaitLimitMs);
            EXPECT_LT(pump.now, ControllerLink::startWaitLimitMs + 2 * ControllerLink::startWaitStepMs);
        } else {
            EXPECT_EQ(pump.now, 0);
        }
    }
    EXPECT_EQ(channel.started.size(), 2u);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "No link with voting control utility");
    EXPECT_EQ(quits, 2);
}

TEST_F(LinkTest, AnArrivingNamesListFillsTheTableAndOtherTextsDoNot)
{
    ControllerLink link = makeLink();
    link.ResetLink();
    const auto before = state.participants;

    channel.deliver("baseType=1\r\nmax_kpads=8");
    EXPECT_EQ(state.participants, before);
    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2");
    EXPECT_EQ(state.participants, before);
    EXPECT_EQ(link.receivedText(), "heading\r\n3,Ann,1\r\n1,Bob,2");

    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames");
    EXPECT_EQ(state.participants, (std::vector<Participant>{{"Ann", 3, 1}, {"Bob", 1, 2}}));

    link.clearReceivedText();
    link.txt_data_Change(); // empty text: nothing changes
    EXPECT_EQ(state.participants.size(), 2u);
}

} // namespace
} // namespace quiz

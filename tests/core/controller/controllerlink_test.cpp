#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/controller/loadparticipants.h"
#include "core/votedata/participants.h"
#include "fakes/fakerun.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

struct LinkTest : ::testing::Test, test::FakeRun {
    LinkTest()
    {
        state.addinFolder = "/opt/talvix/addin/";
        state.dataFolder = "/home/ann/show";
    }
    ControllerLink makeLink()
    {
        return ControllerLink(state, channel, pump, dialogs, [this] { ++quits; });
    }

    QuizState &state = ctx.state;
    int quits = 0;
};

TEST_F(LinkTest, FirstUseOpensTheLinkWithCheckLinkKeepsItAndClearsWhatArrivedMeanwhile)
{
    ControllerLink link = makeLink();
    EXPECT_FALSE(link.loaded()); // nothing before first use
    channel.onCommand = [&](const std::string &c) {
        if (c == "CheckLink")
            channel.deliver("baseType=1\r\nmax_kpads=8");
    };
    link.SendCommandtoController("GetNames");
    EXPECT_TRUE(link.loaded());
    EXPECT_EQ(link.receivedText(), "");
    link.SendCommandtoController("NextSlide,4");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink", "GetNames", "NextSlide,4"}));
    EXPECT_EQ(channel.opens, 1);
}

TEST_F(LinkTest, ARefusedCommandDoesNothingMoreAFailedOneResetsTheLinkWithoutSendingAgain)
{
    for (const SendResult result : {SendResult::Refused, SendResult::Failed}) {
        ControllerLink link = makeLink();
        link.ResetLink();
        channel.sent.clear();
        channel.results = {result};
        link.SendCommandtoController("EndWizard");
        const std::vector<std::string> refused{"EndWizard"}, failed{"EndWizard", "CheckLink"};
        EXPECT_EQ(channel.sent, result == SendResult::Refused ? refused : failed);
    }
    EXPECT_EQ(channel.opens, 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The quit hook talks to the controller, as QuitQuiz does, without resetting the link again.
TEST_F(LinkTest, ARunningControllerThatDoesNotAnswerEndsTheRun)
{
    channel.answers = false;
    std::unique_ptr<ControllerLink> link;
    link = std::make_unique<ControllerLink>(state, channel, pump, dialogs, [&] {
        ++quits;
        link->SendCommandtoController("NextSlide,3");
        endRun(0);
    });
    EXPECT_THROW(link->ResetLink(), RunEnded);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.said(0), "talvixmatrix|No link with voting control utility|critical|ok");
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(channel.sent.back(), "NextSlide,3");
    EXPECT_TRUE(channel.started.empty());
}

TEST_F(LinkTest, AMissingControllerIsStartedAndWaitedForUpToTheLimit)
{
    channel.running = false;
    pump.meanwhile = [&] { // the controller comes up 1.5 seconds after being started
        if (channel.startPending && pump.now >= 1500)
            channel.running = true;
    };
    makeLink().ResetLink();
    EXPECT_EQ(channel.started, (std::vector<std::string>{"/opt/talvix/addin/tlxctrl"}));
    EXPECT_EQ(channel.startedIn, (std::vector<std::string>{"/home/ann/show"}));
    EXPECT_GE(pump.yields, 501); // the rule's 501 yields after starting it
    EXPECT_GE(pump.now, 1500);
    EXPECT_LT(pump.now, 1600); // seen within a tenth of a second of coming up
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink"})); // the first open failed before sending
    EXPECT_TRUE(dialogs.messages.empty());

    // Never coming up ends the run after the limit, or at once when it cannot start.
    pump.meanwhile = nullptr;
    for (const bool starts : {true, false}) {
        channel.running = false;
        channel.startWorks = starts;
        pump.now = 0;
        EXPECT_THROW(makeLink().ResetLink(), RunEnded);
        // A controller that was started is waited for 10 seconds (looked for every 50 ms).
        EXPECT_EQ(pump.now >= 10000, starts);
        EXPECT_LT(pump.now, 10100);
    }
    EXPECT_EQ(channel.started.size(), 3u);
    EXPECT_EQ(dialogs.messages.size(), 2u); // the message of the controller that does not answer
    EXPECT_EQ(quits, 2);
}

TEST_F(LinkTest, AnArrivingNamesListFillsTheTableAndOtherTextsDoNot)
{
    ControllerLink link = makeLink();
    link.ResetLink();
    const auto before = state.participants;
    channel.deliver("baseType=1\r\nmax_kpads=8");
    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2");
    EXPECT_EQ(state.participants, before);
    EXPECT_EQ(link.receivedText(), "heading\r\n3,Ann,1\r\n1,Bob,2");
    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames");
    EXPECT_EQ(state.participants, (std::vector<Participant>{{"Ann", 3, 1}, {"Bob", 1, 2}}));
    link.clearReceivedText();
    link.txt_data_Change(); // empty text: nothing changes
    EXPECT_EQ(state.participants.size(), 2u);
}

TEST_F(LinkTest, ARepliedListIsLoadedAndSortedByKeypad)
{
    ControllerLink link = makeLink();
    channel.onCommand = [&](const std::string &c) {
        if (c == "GetNames")
            pump.meanwhile = [&] {
                if (pump.now >= 301)
                    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames");
            };
    };
    EXPECT_TRUE(LoadParticipants(state, link, pump));
    EXPECT_EQ(state.participants, (std::vector<Participant>{{"Bob", 1, 2}, {"Ann", 3, 1}}));
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink", "GetNames"}));
    EXPECT_LE(pump.now, 305); // stopped waiting within a few milliseconds of the whole list
}

TEST_F(LinkTest, NoWholeNewListWithinEightSecondsLeavesTheDefaultRecord)
{
    ControllerLink link = makeLink();
    for (const char *scenario : {"no answer", "an earlier list", "an incomplete list"}) {
        SCOPED_TRACE(scenario);
        const std::string name = scenario;
        state.participants = {{"Old", 4, 4}, {"Older", 5, 5}};
        pump.now = 0;
        channel.onCommand = nullptr;
        if (name == "an earlier list") {
            link.ResetLink();
            channel.deliver("heading\r\n8,Stale,1\r\nEndListOfNames"); // cleared before asking
        } else if (name == "an incomplete list") {
            channel.onCommand = [&](const std::string &c) {
                if (c == "GetNames")
                    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2");
            };
        }
        EXPECT_FALSE(LoadParticipants(state, link, pump));
        EXPECT_EQ(state.participants, (std::vector<Participant>{defaultParticipant()}));
        // The names list is waited for 8 seconds of the message loop's time.
        EXPECT_GE(pump.now, 8000);
        EXPECT_LT(pump.now, 8100);
    }
}

} // namespace
} // namespace quiz

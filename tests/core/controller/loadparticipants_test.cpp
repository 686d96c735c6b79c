#include "core/controller/controllerlink.h"
#include "core/controller/loadparticipants.h"
#include "core/votedata/participants.h"

#include "fakes/fakerun.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Records = std::vector<Participant>;

struct LoadTest : ::testing::Test, test::FakeRun {
    LoadTest() : link(state, channel, pump, dialogs, nullptr) {}

    QuizState &state = ctx.state;
    ControllerLink link;
};

TEST_F(LoadTest, ARepliedListIsLoadedAndSortedByKeypad)
{
    channel.onCommand = [&](const std::string &c) {
        if (c == "GetNames")
            pump.meanwhile = [&] {
                if (pump.now >= 301)
                    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames");
            };
    };
    EXPECT_TRUE(LoadParticipants(state, link, pump));
    EXPECT_EQ(state.participants, (Records{{"Bob", 1, 2}, {"Ann", 3, 1}}));
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink", "GetNames"}));
    EXPECT_LE(pump.now, 305); // stopped waiting within a few milliseconds of the whole list
}

TEST_F(LoadTest, NoWholeNewListWithinEightSecondsLeavesTheDefaultRecord)
{
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
        EXPECT_EQ(state.participants, (Records{defaultParticipant()}));
        // The names list is waited for 8 seconds of the message loop's time.
        EXPECT_GE(pump.now, 8000);
        EXPECT_LT(pump.now, 8100);
    }
}

} // namespace
} // namespace quiz

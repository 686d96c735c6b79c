// The set-up screens' rules without windows: vote list moves, the placing
// fields, the display options, the wizard's readiness.

#include "core/setup/placingfields.h"
#include "core/setup/readiness.h"
#include "core/setup/setupoptions.h"
#include "core/setup/votelists.h"
#include "core/startup/workingfiles.h"
#include "fakes/fakedialogs.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(VoteLists, MovesKeepTheirOrders)
{
    VoteList from{"a", "b", "c", "d"}, to{"x"};
    moveSelectedVotes(from, to, {true, false, true, true});
    EXPECT_EQ(from, VoteList{"b"});
    EXPECT_EQ(to, (VoteList{"x", "d", "c", "a"})); // walked backwards: reversed

    EXPECT_FALSE(moveVote(from, to, 1));
    EXPECT_TRUE(moveVote(to, from, 1));
    EXPECT_EQ(from, (VoteList{"b", "d"}));
    moveAllVotes(from, to);
    EXPECT_EQ(to, (VoteList{"x", "c", "a", "b", "d"}));
    EXPECT_TRUE(from.empty());
    EXPECT_TRUE(containsIgnoringCase(to, "B"));
    EXPECT_EQ(rowAfterRemoval(1, 3), 1);
    EXPECT_EQ(rowAfterRemoval(3, 3), 2);
    EXPECT_EQ(rowAfterRemoval(0, 0), -1);
}

struct TextRow {
    const char *typed, *kept;
};
class PlacingText : public ::testing::TestWithParam<TextRow>
{
};
TEST_P(PlacingText, IsCleaned)
{
    EXPECT_EQ(cleanPlacingText(GetParam().typed), GetParam().kept);
}
INSTANTIATE_TEST_SUITE_P(Rows, PlacingText,
                         ::testing::Values(TextRow{"12", "12"}, TextRow{"-4", "4"}, TextRow{"abc", ""},
                                           TextRow{"4x", ""}, TextRow{"", ""}, TextRow{"-", ""},
                                           TextRow{"1.5", "1.5"}, TextRow{"1.2.3", ""}));

struct LeftRow {
    bool lastField; // Text1 lost the focus, else txt_KeypadsStartFrom
    const char *first, *last;
    const char *newFirst, *newLast;
    bool tooMany;
    int count;
};
class PlacingLeft : public ::testing::TestWithParam<LeftRow>
{
};
TEST_P(PlacingLeft, FollowsTheFieldRules)
{
    const LeftRow &r = GetParam();
    const Placings p = r.lastField ? lastPlacingLeft(r.first, r.last) : firstPlacingLeft(r.first, r.last);
    EXPECT_EQ(p.first, r.newFirst);
    EXPECT_EQ(p.last, r.newLast);
    EXPECT_EQ(p.tooMany, r.tooMany);
    EXPECT_EQ(p.displayCount(), r.count);
}
INSTANTIATE_TEST_SUITE_P(Rows, PlacingLeft,
                         ::testing::Values(LeftRow{true, "1", "150", "1", "99", true, 99},
                                           LeftRow{true, "1", "99", "1", "99", false, 99},
                                           LeftRow{true, "10", "3", "10", "15", false, 6},
                                           LeftRow{true, "3", "7", "3", "7", false, 5},
                                           LeftRow{false, "4", "3", "1", "3", false, 3},
                                           LeftRow{false, "12", "10", "5", "10", false, 6},
                                           LeftRow{false, "1", "150", "52", "150", true, 99},
                                           LeftRow{false, "6", "10", "6", "10", false, 5}));

TEST(PlacingLeft, TooManyPlacesIsToldOnce)
{
    test::FakeDialogs dialogs;
    tellTooManyPlaces(lastPlacingLeft("1", "150"), dialogs);
    tellTooManyPlaces(lastPlacingLeft("1", "5"), dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Maximium of 99 keypads may be displayed");
    EXPECT_EQ(dialogs.messages[0].title, "Quiz setup");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(placesBoxLeft("150"), "1");
    EXPECT_EQ(placesBoxLeft("99"), "99");
}

TEST(DisplayOptionsRules, NumberOfMaxScorersForcesOnePlaceAndGreysTheScoreOptions)
{
    DisplayOptions o;
    o.text1 = "10";
    o.useWeightings = 1;
    o.showOnlyMaxScorers = true;
    const DisplayOptions on = withShowNumberOfMaxScorers(o, true);
    EXPECT_EQ(on.text1, "1");
    EXPECT_EQ(on.showScores, 0);
    EXPECT_EQ(on.useWeightings, 0);
    EXPECT_FALSE(on.showOnlyMaxScorers);
    EXPECT_FALSE(on.placingEnabled || on.showScoresEnabled || on.useWeightingsEnabled ||
                 on.showOnlyMaxScorersEnabled);
    const DisplayOptions off = withShowNumberOfMaxScorers(on, false);
    EXPECT_EQ(off.text1, "1");
    EXPECT_TRUE(off.placingEnabled && off.showScoresEnabled && off.useWeightingsEnabled &&
                off.showOnlyMaxScorersEnabled);
    EXPECT_FALSE(withShowScores(off, 0).useWeightingsEnabled);
}

TEST(DisplayOptionsRules, TheLayoutHoldsTheLeadingStoredPlaces)
{
    QuizState s;
    s.displayCount = 3;
    ResetDisplayPositions(s);
    EXPECT_EQ(LayoutPlacings(s), 0);
    s.annotationPositions[0][0] = {0.1, 0.1};
    s.annotationPositions[1][0] = {0.1, 0.3};
    EXPECT_EQ(LayoutPlacings(s), 2);
}

struct ReadyRow {
    bool displaySet, hasVotes;
    const char *toolTip, *caption;
    std::uint32_t colour;
};
class WizardReadiness : public ::testing::TestWithParam<ReadyRow>
{
};
TEST_P(WizardReadiness, ShowsOnTheMainButton)
{
    const ReadyRow &r = GetParam();
    const Readiness got = CheckFinished(r.displaySet, r.hasVotes);
    EXPECT_EQ(got.ready, r.displaySet && r.hasVotes);
    EXPECT_EQ(got.toolTip, r.toolTip);
    EXPECT_EQ(got.caption, r.caption);
    EXPECT_EQ(got.colour, r.colour);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, WizardReadiness,
    ::testing::Values(ReadyRow{false, false,
                               "You need to set the display layout, You need to add some votes to the quiz",
                               "Not Ready - click for more information", 0xFF},
                      ReadyRow{false, true, "You need to set the display layout",
                               "Not Ready - click for more information", 0xFF},
                      ReadyRow{true, false, "You need to add some votes to the quiz",
                               "Not Ready - click for more information", 0xFF},
                      ReadyRow{true, true, "", "&Save && Go", 0xFF00}));

TEST(WizardReadiness, TheMessagePutsEachReasonOnALine)
{
    EXPECT_EQ(notReadyMessage(CheckFinished(false, false).toolTip),
              "You need to set the display layout\r\nYou need to add some votes to the quiz");
}

} // namespace
} // namespace quiz

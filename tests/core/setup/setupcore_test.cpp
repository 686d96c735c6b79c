// The set-up screens' rules without windows: vote list moves, the placing
// fields, the display options, the wizard's readiness.

#include "core/setup/placingfields.h"
#include "core/setup/quizsave.h"
#include "core/setup/readiness.h"
#include "core/setup/setupoptions.h"
#include "core/setup/votelists.h"
#include "core/startup/workingfiles.h"
#include "fakes/fakedialogs.h"
#include "support/rows.h"

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

using Fields = test::RowTest;

TEST_P(Fields, PlacingTextsPlacesReadinessAndFileNames)
{
    const test::Row &r = GetParam();
    if (r.name == "text") {
        EXPECT_EQ(cleanPlacingText(r[0]), r[1]);
    } else if (r.name == "ready") {
        const Readiness got = CheckFinished(r.flag(0), r.flag(1));
        EXPECT_EQ(got.ready, r.flag(0) && r.flag(1));
        EXPECT_EQ(got.toolTip + "|" + got.caption + "|" + std::to_string(got.colour),
                  r[2] + "|" + r[3] + "|" + r[4]);
    } else if (r.name == "path") {
        EXPECT_EQ(QuizFilePathFor(r[0], "/shows/Night"), r[1]);
    } else {
        const Placings p = r.name == "last" ? lastPlacingLeft(r[0], r[1]) : firstPlacingLeft(r[0], r[1]);
        EXPECT_EQ(p.first + "|" + p.last, r[2] + "|" + r[3]);
        EXPECT_EQ(p.tooMany, r.flag(4));
        EXPECT_EQ(p.displayCount(), r.num(5));
    }
}
QUIZ_ROWS(Fields, "setup/fields.rows");

TEST(PlacingLeft, TooManyPlacesIsToldOnce)
{
    test::FakeDialogs dialogs;
    tellTooManyPlaces(lastPlacingLeft("1", "150"), dialogs);
    tellTooManyPlaces(lastPlacingLeft("1", "5"), dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.said(0), "Quiz setup|Maximium of 99 keypads may be displayed|exclamation|ok");
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

TEST(WizardReadiness, TheMessagePutsEachReasonOnALine)
{
    EXPECT_EQ(notReadyMessage(CheckFinished(false, false).toolTip),
              "You need to set the display layout\r\nYou need to add some votes to the quiz");
}

} // namespace
} // namespace quiz

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
    } else if (r.name == "box") {
        EXPECT_EQ(placesBoxLeft(r[0]), r[1]);
    } else if (r.name == "ready") {
        const Readiness got = CheckFinished(r.flag(0), r.flag(1));
        EXPECT_EQ(got.ready, r.flag(0) && r.flag(1));
        EXPECT_EQ(got.toolTip + "|" + got.caption + "|" + std::to_string(got.colour),
                  r[2] + "|" + r[3] + "|" + r[4]);
    } else if (r.name == "path") {
        EXPECT_EQ(QuizFilePathFor(r[0], "/shows/Night"), r[1]);
    } else if (r.name == "listed" || r.name == "name part") {
        EXPECT_EQ(r.name == "listed" ? ListedQuizName(r[0]) : FileNamePart(r[0]), r[1]);
    } else if (r.name == "in folder") {
        EXPECT_EQ(LiesInFolder(r[0], r[1]), r.flag(2));
    } else {
        const Placings p = r.name == "last" ? lastPlacingLeft(r[0], r[1]) : firstPlacingLeft(r[0], r[1]);
        EXPECT_EQ(p.first + "|" + p.last, r[2] + "|" + r[3]);
        EXPECT_EQ(p.displayCount(), r.num(5));
        test::FakeDialogs dialogs; // the limit is told when due, once
        tellTooManyPlaces(p, dialogs);
        EXPECT_EQ(dialogs.messages.empty() ? "" : dialogs.said(0),
                  r.flag(4) ? "Quiz setup|Maximium of 99 keypads may be displayed|exclamation|ok" : "");
    }
}
QUIZ_ROWS(Fields, "setup/fields.rows");

// The last place, the ticks (scores, weightings, only the top scorers) and the
// enabled states of the placing and score options.
std::string optionsText(const DisplayOptions &o)
{
    return o.text1 + " ticks " + std::to_string(o.showScores) + std::to_string(o.useWeightings) +
           std::to_string(o.showOnlyMaxScorers) + " enabled " + std::to_string(o.placingEnabled) +
           std::to_string(o.showScoresEnabled) + std::to_string(o.useWeightingsEnabled) +
           std::to_string(o.showOnlyMaxScorersEnabled);
}

TEST(DisplayOptionsRules, NumberOfMaxScorersForcesOnePlaceAndGreysTheScoreOptions)
{
    DisplayOptions o;
    o.text1 = "10";
    o.useWeightings = 1;
    o.showOnlyMaxScorers = true;
    const DisplayOptions on = withShowNumberOfMaxScorers(o, true);
    EXPECT_EQ(optionsText(on), "1 ticks 000 enabled 0000");
    EXPECT_EQ(optionsText(withShowNumberOfMaxScorers(on, false)), "1 ticks 000 enabled 1111");
    EXPECT_EQ(optionsText(withShowScores(withShowNumberOfMaxScorers(on, false), 0)),
              "1 ticks 000 enabled 1101");
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

} // namespace
} // namespace quiz

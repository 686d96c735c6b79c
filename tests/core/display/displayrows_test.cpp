#include "core/display/displayrows.h"
#include "core/quiz/ranking.h"

#include <gtest/gtest.h>

#include <map>

namespace quiz
{
namespace
{

RankedKeypad voter(float keypad, float score)
{
    return RankedKeypad{keypad, score, 0, 1};
}
RankedKeypad absent(float keypad)
{
    return RankedKeypad{keypad, 0, 0, 0};
}

std::string label(int keypad)
{
    return keypad == 7 ? "Ann" : std::to_string(keypad);
}

DisplayRowSettings settings(int displayCount, int startFrom = 1)
{
    DisplayRowSettings s;
    s.displayCount = displayCount;
    s.keypadsStartFrom = startFrom;
    s.showScores = 1;
    s.showKeypadNames = 1;
    return s;
}

DisplayRow row(std::optional<std::string> name, std::optional<std::string> score, bool hideName = false,
               bool hideScore = false)
{
    return DisplayRow{std::move(name), std::move(score), hideName, hideScore};
}

TEST(FillDisplayRows, PlacesNamesAndScores)
{
    struct Case {
        const char *name;
        std::vector<RankedKeypad> ranking;
        DisplayRowSettings settings;
        std::vector<DisplayRow> rows;
        int startFrom;
    };
    auto withText = [](DisplayRowSettings s, std::string before, std::string after) {
        s.textToAdd = {std::move(before), std::move(after)};
        return s;
    };
    auto noNames = [](DisplayRowSettings s) {
        s.showKeypadNames = 0;
        return s;
    };
    auto noScores = [](DisplayRowSettings s) {
        s.showScores = 0;
        return s;
    };
    auto onlyMax = [](DisplayRowSettings s) {
        s.showOnlyMaxScorers = true;
        return s;
    };
    const std::vector<RankedKeypad> three = {voter(7, 3), voter(2, 2), voter(5, 1)};
    const std::vector<RankedKeypad> five = {voter(1, 5), voter(2, 4), voter(3, 3), voter(4, 2), voter(5, 1)};
    // clang-format off
    const Case cases[] = {
        {"names from the participants, scores as whole numbers", three, settings(5),
         {row("Ann", "3"), row("2", "2"), row("5", "1")}, 1},
        {"display count limits the rows", three, settings(2), {row("Ann", "3"), row("2", "2")}, 1},
        {"first place shown from the third", five, settings(5, 3), {row("3", "3"), row("4", "2"), row("5", "1")}, 3},
        {"first place below 1 becomes 1", three, settings(1, 0), {row("Ann", "3")}, 1},
        {"first place beyond the table fills nothing", three, settings(5, 4), {}, 4},
        {"text before and after the score", three, withText(settings(1), "Score: ", " pts"),
         {row("Ann", "Score: 3 pts")}, 1},
        {"names off keep the placeholder", three, noNames(settings(1)), {row(std::nullopt, "3")}, 1},
        {"scores off keep the placeholder", three, noScores(settings(1)), {row("Ann", std::nullopt)}, 1},
        {"never voted shows a dash", {voter(3, 1), absent(4)}, settings(5), {row("3", "1"), row("-", "-")}, 1},
        {"never voted in first place shows a dash", {absent(4)}, onlyMax(settings(5)), {row("-", "-")}, 1},
        {"only max scorers hides lower scores", {voter(1, 7), voter(2, 7), voter(3, 5)}, onlyMax(settings(5)),
         {row("1", "7"), row("2", "7"), row("3", "5", true, true)}, 1},
        {"only max scorers with scores off hides the name only", {voter(1, 7), voter(3, 5)},
         noScores(onlyMax(settings(5))), {row("1", std::nullopt), row("3", std::nullopt, true, false)}, 1},
        {"only max scorers hides those who never voted", {voter(1, 7), absent(2)}, onlyMax(settings(5)),
         {row("1", "7"), row("-", "-", true, true)}, 1},
        {"only max scorers compares with the first place, not the first shown", five, onlyMax(settings(2, 2)),
         {row("2", "4", true, true), row("3", "3", true, true)}, 2},
    };
    // clang-format on
    for (const Case &c : cases) {
        const DisplayRows out = FillDisplayRows(c.ranking, 0, c.settings, label);
        EXPECT_EQ(out.rows, c.rows) << c.name;
        EXPECT_EQ(out.keypadsStartFrom, c.startFrom) << c.name;
        EXPECT_FALSE(out.maxScorerCount) << c.name;
    }
}

TEST(FillDisplayRows, NumberOfMaxScorersCountsFullMarksFromTheTop)
{
    struct Case {
        std::vector<RankedKeypad> ranking;
        double possibleMaximum;
        const char *count;
    };
    const Case cases[] = {
        {{voter(1, 4), voter(2, 4), voter(3, 3)}, 4.0, "2"},
        {{voter(1, 3), voter(2, 3)}, 4.0, "0"},
        {{}, 4.0, "0"},
        {{voter(1, 0.1f), voter(2, 0.1f)}, 0.1, "2"},        // compared in single precision
        {{voter(1, 4), voter(2, 3), voter(3, 4)}, 4.0, "1"}, // stops at the first other score
    };
    for (const Case &c : cases) {
        DisplayRowSettings s = settings(5);
        s.showNumberOfMaxScorers = true;
        const DisplayRows out = FillDisplayRows(c.ranking, c.possibleMaximum, s, label);
        ASSERT_TRUE(out.maxScorerCount);
        EXPECT_EQ(*out.maxScorerCount, c.count);
        EXPECT_TRUE(out.rows.empty());
    }
}

TEST(FormatWholeScore, RoundsHalvesAwayFromZero)
{
    const std::pair<double, const char *> cases[] = {{0, "0"},    {2.5, "3"},   {3.5, "4"}, {2.49, "2"},
                                                     {-0.4, "0"}, {-1.5, "-2"}, {12, "12"}, {1e6, "1000000"}};
    for (auto [value, text] : cases)
        EXPECT_EQ(formatWholeScore(value), text) << value;
}

class RecordingTarget : public AnnotationTarget
{
  public:
    void setAnnotationText(int index, const std::string &text) override
    {
        calls.push_back("text " + std::to_string(index) + " " + text);
    }
    void setAnnotationActive(int index, bool active) override
    {
        calls.push_back("active " + std::to_string(index) + (active ? " on" : " off"));
    }
    std::vector<std::string> calls;
};

TEST(ApplyDisplayRows, SetsNameAndScoreAnnotationsOfEachRowOrTheCount)
{
    DisplayRows rows;
    rows.rows = {row("Ann", "3"), row(std::nullopt, "2", true, false), row("-", "-", true, true)};
    RecordingTarget target;
    ApplyDisplayRows(rows, target);
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"text 0 Ann", "text 1 3", "text 3 2", "active 2 off", "text 4 -",
                                        "text 5 -", "active 4 off", "active 5 off"}));
    DisplayRows count; // the number of max scorers goes to the first annotation only
    count.maxScorerCount = "2";
    RecordingTarget counted;
    ApplyDisplayRows(count, counted);
    EXPECT_EQ(counted.calls, (std::vector<std::string>{"text 0 2"}));
}

} // namespace
} // namespace quiz

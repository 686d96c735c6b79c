#include "core/display/displayrows.h"
#include "core/quiz/ranking.h"
#include "support/rows.h"

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

using Rows = test::RowTest;

TEST_P(Rows, PlaceNamesAndScores)
{
    const test::Row &r = GetParam();
    std::vector<RankedKeypad> ranking;
    for (const std::string &k : test::splitTrimmed(r[0], ' ')) {
        const std::string score = k.substr(k.find(':') + 1);
        const float keypad = std::stof(k.substr(0, k.find(':')));
        ranking.push_back(score == "-" ? absent(keypad) : voter(keypad, std::stof(score)));
    }
    DisplayRowSettings s = settings(r.num(1), r.num(2));
    s.showKeypadNames = r[3].find('n') == std::string::npos;
    s.showScores = r[3].find('s') == std::string::npos;
    s.showOnlyMaxScorers = r[3].find('m') != std::string::npos;
    s.textToAdd = {r[4], r[5]};
    std::vector<DisplayRow> expected;
    for (const std::string &text : r.list(6, ';')) {
        const auto part = test::splitTrimmed(text, '/');
        const auto shown = [](const std::string &t) { return t == "_" ? std::nullopt : std::optional(t); };
        const std::string hidden = part.size() > 2 ? part[2] : "";
        expected.push_back(row(shown(part.at(0)), shown(part.at(1)), hidden.find('n') != std::string::npos,
                               hidden.find('s') != std::string::npos));
    }
    const DisplayRows out = FillDisplayRows(ranking, 0, s, label);
    EXPECT_EQ(out.rows, expected);
    EXPECT_EQ(out.keypadsStartFrom, r.num(7));
    EXPECT_FALSE(out.maxScorerCount);
}
QUIZ_ROWS(Rows, "display/rows.rows");

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

#include "core/quiz/displayrows.h"
#include "core/quiz/ranking.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// The annotations a target is given, in order.
class RecordingTarget : public AnnotationTarget
{
  public:
    void setAnnotationText(int index, const std::string &text) override
    {
        calls.push_back("text " + std::to_string(index) + " " + text);
    }
    void setAnnotationActive(int index, bool active) override
    {
        calls.push_back((active ? "on " : "off ") + std::to_string(index));
    }
    std::vector<std::string> calls;
};

using Rows = test::RowTest;

TEST_P(Rows, PlaceNamesAndScores)
{
    const test::Row &r = GetParam();
    std::vector<RankedKeypad> ranking;
    for (const std::string &k : test::splitTrimmed(r[0], ' ')) {
        const std::string score = k.substr(k.find(':') + 1);
        const float keypad = std::stof(k.substr(0, k.find(':')));
        ranking.push_back(score == "-" ? RankedKeypad{keypad, 0, 0, 0}
                                       : RankedKeypad{keypad, std::stof(score), 0, 1});
    }
    DisplayRowSettings s;
    s.displayCount = r.num(1);
    s.keypadsStartFrom = r.num(2);
    s.showKeypadNames = r[3].find('n') == std::string::npos;
    s.showScores = r[3].find('s') == std::string::npos;
    s.showOnlyMaxScorers = r[3].find('m') != std::string::npos;
    s.showNumberOfMaxScorers = r[3].find('c') != std::string::npos;
    s.textToAdd = {r[4], r[5]};
    const DisplayRows out = FillDisplayRows(ranking, r[8].empty() ? 0 : r.real(8), s, [](int keypad) {
        return keypad == 7 ? "Ann" : std::to_string(keypad);
    });
    RecordingTarget target; // the number of max scorers goes to the first annotation only
    ApplyDisplayRows(out, target);
    if (!r[9].empty()) {
        EXPECT_EQ(target.calls, r.list(9));
    }
    if (s.showNumberOfMaxScorers) {
        EXPECT_EQ(out.maxScorerCount, r[6]);
        EXPECT_TRUE(out.rows.empty());
        return;
    }
    std::vector<DisplayRow> expected;
    for (const std::string &text : r.list(6, ';')) {
        const auto part = test::splitTrimmed(text, '/');
        const auto shown = [](const std::string &t) { return t == "_" ? std::nullopt : std::optional(t); };
        const std::string hidden = part.size() > 2 ? part[2] : "";
        expected.push_back(DisplayRow{shown(part.at(0)), shown(part.at(1)),
                                      hidden.find('n') != std::string::npos,
                                      hidden.find('s') != std::string::npos});
    }
    EXPECT_EQ(out.rows, expected);
    EXPECT_EQ(out.keypadsStartFrom, r.num(7));
    EXPECT_FALSE(out.maxScorerCount);
}
QUIZ_ROWS(Rows, "quiz/displayrows.rows");

using WholeScore = test::RowTest;

TEST_P(WholeScore, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(formatWholeScore(GetParam().real(0)), GetParam()[1]);
}
QUIZ_ROWS(WholeScore, "quiz/wholescore.rows");

} // namespace
} // namespace quiz

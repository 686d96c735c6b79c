#include "core/quiz/ranking.h"
#include "core/quiz/scoring.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

ScoringResult totals(std::vector<float> score, std::vector<float> time, std::vector<float> voted,
                     bool listForm = true)
{
    ScoringResult r;
    r.keypadCount = static_cast<int>(score.size());
    r.score = std::move(score);
    r.time = std::move(time);
    r.voted = std::move(voted);
    r.anyListForm = listForm;
    return r;
}

std::vector<float> keypadOrder(const std::vector<RankedKeypad> &table)
{
    std::vector<float> order;
    for (const RankedKeypad &k : table)
        order.push_back(k.keypad);
    return order;
}

TEST(RankKeypads, OrdersKeypads)
{
    struct Case {
        const char *name;
        ScoringResult totals;
        std::vector<float> order;
    };
    const Case cases[] = {
        {"higher score first", totals({1, 3, 2}, {0, 0, 0}, {1, 1, 1}), {2, 3, 1}},
        {"equal scores: quicker first", totals({2, 2, 2}, {9, 3, 5}, {1, 1, 1}), {2, 3, 1}},
        {"equal scores and times: voted first", totals({0, 0, 0}, {0, 0, 0}, {0, 1, 0}), {2, 1, 3}},
        {"voted before not voted even when slower", totals({1, 1}, {2, 8}, {0, 1}), {2, 1}},
        {"voted and slower stays before not voted", totals({1, 1}, {8, 2}, {1, 0}), {1, 2}},
        {"full ties keep keypad order", totals({1, 1, 1, 1}, {4, 4, 4, 4}, {1, 1, 1, 1}), {1, 2, 3, 4}},
        {"mixed", totals({2, 0, 2, 2, 0}, {5, 0, 3, 3, 0}, {1, 0, 1, 1, 1}), {3, 4, 1, 5, 2}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(keypadOrder(RankKeypads(c.totals)), c.order) << c.name;
}

TEST(RankKeypads, RowsCarryTheTotalsOrZerosWithoutAListFormQuestion)
{
    EXPECT_EQ(RankKeypads(totals({1, 2}, {3.5f, 1.25f}, {1, 1})),
              (std::vector<RankedKeypad>{{2, 2, 1.25f, 1}, {1, 1, 3.5f, 1}}));
    EXPECT_EQ(RankKeypads(totals({1, 2, 3}, {1, 1, 1}, {0, 0, 0}, false)), std::vector<RankedKeypad>(3));
    EXPECT_TRUE(RankKeypads(ScoringResult{}).empty());
}

} // namespace
} // namespace quiz

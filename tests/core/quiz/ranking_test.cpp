#include "core/quiz/ranking.h"
#include "core/quiz/scoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

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

// The ranking is a permutation of the keypads in the order of its rule: higher
// score first, then those who voted, then the quicker, then the lower keypad.
TEST(RankKeypads, IsAPermutationSortedByItsRule)
{
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        const int keypads = 1 + static_cast<int>(random() % 12);
        std::vector<float> score, time, voted;
        for (int k = 0; k < keypads; ++k) { // few values, so that ties are common
            score.push_back(static_cast<float>(random() % 4) / 2);
            time.push_back(static_cast<float>(random() % 3));
            voted.push_back(static_cast<float>(random() % 2));
        }
        const std::vector<float> order = keypadOrder(RankKeypads(totals(score, time, voted)));
        std::vector<float> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (int k = 0; k < keypads; ++k)
            ASSERT_EQ(sorted[static_cast<size_t>(k)], static_cast<float>(k + 1)) << "not a permutation";
        const auto key = [&](float keypad) {
            const size_t i = static_cast<size_t>(keypad) - 1;
            return std::make_tuple(-score[i], -voted[i], time[i], keypad);
        };
        for (size_t i = 1; i < order.size(); ++i)
            EXPECT_LT(key(order[i - 1]), key(order[i])) << "round " << round << " place " << i;
    }
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

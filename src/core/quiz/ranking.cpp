#include "core/quiz/ranking.h"

#include "core/quiz/scoring.h"

#include <algorithm>

namespace quiz
{

std::vector<RankedKeypad> RankKeypads(const ScoringResult &result)
{
    const auto count = static_cast<size_t>(std::max(result.keypadCount, 0));
    std::vector<RankedKeypad> table(count);
    if (!result.anyListForm)
        return table;
    for (size_t i = 0; i < count; ++i)
        table[i] = RankedKeypad{static_cast<float>(i + 1), result.score[i], result.time[i], result.voted[i]};
    // Keypads with equal scores where the one that voted took longer would be
    // swapped back and forth by neighbour rules alone; voting decides first.
    // The sort is stable, so keypad number order breaks the remaining ties.
    std::stable_sort(table.begin(), table.end(), [](const RankedKeypad &a, const RankedKeypad &b) {
        if (a.score != b.score)
            return a.score > b.score;
        if (a.voted != b.voted)
            return a.voted > b.voted;
        return a.time < b.time;
    });
    return table;
}

} // namespace quiz

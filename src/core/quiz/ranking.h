#pragma once

#include <vector>

namespace quiz
{

struct ScoringResult;

// One row of the ranked results table.
struct RankedKeypad {
    float keypad = 0;
    float score = 0;
    float time = 0;
    float voted = 0;
    bool operator==(const RankedKeypad &) const = default;
};

// Orders the keypads best first: higher score, then a keypad that voted
// before one that did not, then the smaller time, then the lower keypad
// number. Without any list-form question the table holds keypadCount rows of
// zeros (nothing is known about who voted).
std::vector<RankedKeypad> RankKeypads(const ScoringResult &result);

} // namespace quiz

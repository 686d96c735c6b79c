#include "core/quiz/scoring.h"
#include "ui/display/composechartdisplay.h"

namespace quiz {

DisplayScoring quizScoring(std::vector<std::string> quizList)
{
    return [list = std::move(quizList)](RunContext &ctx) { return CalculateScores(ctx, list).rows; };
}

} // namespace quiz

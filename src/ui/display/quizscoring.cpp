#include "core/quiz/calculatescores.h"
#include "core/votedata/voterecords.h"
#include "ui/display/composechartdisplay.h"

namespace quiz {

DisplayScoring quizScoring(std::vector<std::string> quizList, std::shared_future<VoteRecords> records)
{
    return [list = std::move(quizList), records = std::move(records)](RunContext &ctx) {
        return records.valid() ? CalculateScores(ctx, list, records).rows
                               : CalculateScores(ctx, list).rows;
    };
}

} // namespace quiz

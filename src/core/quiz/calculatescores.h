#pragma once

#include "core/quiz/scoring.h"

#include <future>
#include <string>
#include <vector>

namespace quiz
{

class VoteRecords;
struct RunContext;

// What one scoring run of the display hands back.
struct ScoringRun {
    ScoringResult totals;
    std::vector<RankedKeypad> ranking; // best first; all zero when no question used the list form
    DisplayRows rows;                  // the texts for the display's annotations
};

// The scoring run of the display. quizList holds the question file names in
// quiz order (files in dataFolder; a name whose file is missing is skipped).
// Reads the question files and the votes, scores, ranks and fills the display
// rows; the DISPLAY run then appends the quiz.txt record itself
// (AppendQuizRecord with the totals). Writes back to
// the state: validKeypads, displayCount, keypadsStartFrom, responseRecPresent
// and questionResponseText. Without votes.rec it shows "Could not find voting
// results" and ends the run (endRun).
ScoringRun CalculateScores(RunContext &ctx, const std::vector<std::string> &quizList);
// The same with vote records already loaded for this run.
ScoringRun CalculateScores(RunContext &ctx, const std::vector<std::string> &quizList,
                           const VoteRecords &votes);
// The same with vote records being read for this run (loadVoteRecordsInBackground):
// the question files are read before the records are waited for.
ScoringRun CalculateScores(RunContext &ctx, const std::vector<std::string> &quizList,
                           const std::shared_future<VoteRecords> &votes);

} // namespace quiz

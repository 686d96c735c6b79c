#pragma once

#include "core/results/questiontable.h"
#include "core/results/resultsgrid.h"
#include "core/startup/quizstate.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

// The vote line of a question key ("" when there is none).
using VoteLookup = std::function<std::string(const std::string &key)>;

struct ResultsBuildHooks {
    std::function<void(const std::string &)> caption; // lblLoading's text, repainted
};

enum class BuildOutcome {
    Built,
    NoVotingSlides, // the question table is empty
    NoVoteData,     // no question has a vote line
};

// The caption of item k of a question: its name, with "   [Iteration k]" for
// a SERIES and "   [Item k]" for a RANK.
std::string itemCaption(const QuestionInfo &q, int k);
// The vote key of item k: the name, or name;KofN for a RANK or SERIES.
std::string itemVoteKey(const QuestionInfo &q, int k);
// The answers of a vote line: entries separated by ";" (a last empty entry
// after a final ";" is not one), else one per character.
std::vector<std::string_view> splitVoteLine(std::string_view line);
// The number of answers splitVoteLine finds, without splitting.
std::size_t voteLineLength(std::string_view line);

// Builds the individual results and the results by question from the
// question table, the votes and the participants' names (none: the first
// column lists the keypad numbers). The results with text are built apart.
BuildOutcome BuildResultGrids(const std::vector<QuestionInfo> &questions, const VoteLookup &votes,
                              const std::vector<Participant> &names, ResultsGrids &grids,
                              const ResultsBuildHooks &hooks);

} // namespace quiz

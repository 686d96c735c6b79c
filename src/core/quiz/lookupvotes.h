#pragma once

#include "core/startup/quizstate.h"
#include "core/votedata/voterecords.h"

#include <string>

namespace quiz
{

// The lookup every part goes through: returns the question's latest answer
// string ("" when none); sets responseRecPresent; sets questionResponseText
// when response.rec exists and holds the question, else leaves it.
std::string LookUpVotes(QuizState &state, const VoteRecords &records, const std::string &questionPath);

} // namespace quiz

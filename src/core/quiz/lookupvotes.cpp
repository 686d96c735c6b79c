#include "core/quiz/lookupvotes.h"

namespace quiz
{

std::string LookUpVotes(QuizState &state, const VoteRecords &records, const std::string &questionPath)
{
    std::string result = records.answers(questionPath);
    state.responseRecPresent = records.responseFilePresent();
    if (!state.responseRecPresent)
        return result;
    if (const std::string *text = records.responseText(questionPath))
        state.questionResponseText = *text;
    return result;
}

} // namespace quiz

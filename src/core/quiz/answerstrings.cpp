#include "core/quiz/answerstrings.h"

#include "core/quiz/correctanswer.h"
#include "core/votedata/voterecords.h"

#include <algorithm>

namespace quiz
{

int keypadsOfAnswers(const std::string &answers)
{
    if (answers.find(';') == std::string::npos)
        return static_cast<int>(answers.size());
    return static_cast<int>(std::count(answers.begin(), answers.end(), ';'));
}

std::string resolvePopularAnswer(const std::string &correctAnswer, const std::string &answers)
{
    if (correctAnswer != "P" && correctAnswer != "p")
        return correctAnswer;
    std::string compact;
    if (answers.find(';') == std::string::npos) {
        compact = answers;
    } else {
        std::vector<std::string> entries = SplitAnswerString(answers);
        entries.resize(static_cast<size_t>(keypadsOfAnswers(answers)));
        for (const std::string &entry : entries) {
            if (entry.empty() || entry == "-")
                compact += '-';
            else if (entry.size() == 1)
                compact += entry;
            else
                compact += 'A'; // "10"
        }
    }
    const int option = MostPopularAnswer(compact);
    return option == 10 ? std::string("x") : std::to_string(option);
}

} // namespace quiz

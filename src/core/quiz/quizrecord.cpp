#include "core/quiz/quizrecord.h"

#include "core/common/fileutil.h"
#include "core/common/writeformat.h"
#include "core/quiz/scoring.h"
#include "ports/dialogs.h"

namespace quiz
{

std::string QuizRecordText(const std::string &quizFileName, const ScoringResult &result)
{
    std::string text = WriteRecord().text("Results for " + quizFileName).line();
    for (int i = 0; i < result.keypadCount; ++i) {
        const auto k = static_cast<size_t>(i);
        text += WriteRecord()
                    .text("Keypad number: " + std::to_string(i + 1))
                    .single(result.score[k])
                    .text("Time")
                    .single(result.time[k])
                    .line();
    }
    text += WriteRecord().text("*************************************").line();
    return text;
}

bool AppendQuizRecord(const std::string &dataFolder, const std::string &quizFileName,
                      const ScoringResult &result, Dialogs *dialogs)
{
    const std::string path = resolveFile(dataFolder, "quiz.txt");
    if (isReadOnly(path)) {
        if (dialogs)
            dialogs->message(path + " is read only - not saving results", kScoringTitle);
        return false;
    }
    std::string error;
    if (!appendToFile(path, QuizRecordText(quizFileName, result), &error)) {
        if (dialogs)
            dialogs->message(path + " could not be written - not saving results (" + error + ")",
                             kScoringTitle);
        return false;
    }
    return true;
}

} // namespace quiz

#include "core/quiz/quizrecord.h"

#include "core/common/fileutil.h"
#include "core/common/writeformat.h"
#include "core/quiz/scoring.h"
#include "ports/dialogs.h"

#include <algorithm>

namespace quiz
{

std::string QuizRecordText(const std::string &quizFileName, const ScoringResult &result)
{
    std::string text = WriteRecord().text("Results for " + quizFileName).line();
    // A line of some 40 bytes per keypad, built in place.
    text.reserve(text.size() + 48 * static_cast<size_t>(std::max(result.keypadCount, 0)) + 64);
    std::string keypad = "Keypad number: ";
    const size_t prefix = keypad.size();
    for (int i = 0; i < result.keypadCount; ++i) {
        const auto k = static_cast<size_t>(i);
        keypad.resize(prefix);
        keypad += std::to_string(i + 1);
        WriteRecord()
            .text(keypad)
            .single(result.score[k])
            .text("Time")
            .single(result.time[k])
            .appendLineTo(text);
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

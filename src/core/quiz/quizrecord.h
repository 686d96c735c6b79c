#pragma once

#include <string>

namespace quiz
{

class Dialogs;
struct ScoringResult;

// Title of the scoring's messages.
inline constexpr const char *kScoringTitle = "talvix Quiz";

// The quiz.txt record of one scoring run in the Write format: "Results for "
// and the quiz file name; one line per keypad in keypad order ("Keypad
// number: " and the number, score, "Time", time); a line of asterisks.
std::string QuizRecordText(const std::string &quizFileName, const ScoringResult &result);

// Appends the record to dataFolder + "/quiz.txt" with one write, so that it is
// never half there. A read-only quiz.txt gives the message path + " is read
// only - not saving results" and is left alone; a failed write gives a
// message too. True when the record was written.
bool AppendQuizRecord(const std::string &dataFolder, const std::string &quizFileName,
                      const ScoringResult &result, Dialogs *dialogs);

} // namespace quiz

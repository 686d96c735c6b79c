#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quiz
{

// One voting question as the question editor makes it: an ordinary question
// (type 0, one vote) of 2 to 10 options numbered from 1 (docs/question-file.md).
struct VotingQuestion {
    std::string title;
    std::string text;
    std::vector<std::string> options; // option 1 first
    // Each character a right option: "1".."9", "x" option 10; "p" the most
    // popular answer; "" a survey (no right answer).
    std::string correctAnswer;
    std::vector<double> weights; // one per option; empty: every option weighs 1
    int countdownSeconds = 0;    // 0: no countdown

    bool operator==(const VotingQuestion &) const = default;
};

constexpr int kMinQuestionOptions = 2;
constexpr int kMaxQuestionOptions = 10;

// The question file's text in the layout every reader reads (CR LF lines).
// Line breaks inside texts become blanks. The "QUESTION WEIGHTINGS" line is
// written only when some option's weight is not 1.
std::string QuestionFileText(const VotingQuestion &question);

// Reads a question file the editor can change back into a question; nullopt
// (with why) for a file of another kind (a series, ranking or text question)
// or one that ends early.
std::optional<VotingQuestion> VotingQuestionOf(const std::string &content, std::string *why = nullptr);

// What is wrong with a question before it is written, as the editor says it;
// "" when it can be written.
std::string QuestionProblem(const VotingQuestion &question);

// The right options' characters: option 10 is "x"; ascending, no repeats.
std::string CorrectAnswerOfOptions(const std::vector<int> &options);
// The options a correct answer names (1..10), ascending; "p" and "" name none.
std::vector<int> OptionsOfCorrectAnswer(const std::string &answer);

// The file a new question of slide `slideIndex` gets in the data folder:
// "slideN.tlx", else "slideN-2.tlx", "slideN-3.tlx", ... the first name no
// file has (ignoring case): a new question never replaces another's file.
std::string NewQuestionFileName(const std::string &dataFolder, int slideIndex);

// The run string of a slide's "VOTE" shape naming its question file:
// the program (in double quotes when it holds a blank), a blank, FILE,1.
std::string VoteShapeRunString(const std::string &program, const std::string &questionFile);

// The slide's text for a question: its options numbered "1. TEXT".
std::vector<std::string> NumberedOptionLines(const VotingQuestion &question);

} // namespace quiz

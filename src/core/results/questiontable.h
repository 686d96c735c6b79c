#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quiz
{

class PresentationHost;

// One voting slide's question, as the results tables read it from its
// question file.
struct QuestionInfo {
    std::string name; // the question file's name without folder; "" when it could not be read
    int optionCount = 0;
    int itemCount = 0;    // grid items: 1, the iterations of a SERIES, the ranked items of a RANK
    std::string voteType; // "RANK", "SERIES", "TEXT", else the file's answer style
    std::string typeCode;
    int firstOption = 0;
    std::string correctAnswers;          // "0".."9" the options, "x" option 10
    std::vector<std::string> weightings; // by option number
    // The option texts the question file holds (ordinary and SERIES questions);
    // the results with text fall back on them when the slide has no text.
    std::vector<std::string> optionTexts;

    bool isRank() const { return voteType == "RANK"; }
    bool isSeries() const { return voteType == "SERIES"; }
    bool isText() const { return voteType == "TEXT"; }
    // The weighting of an option; "1" when the list has no entry for it.
    const std::string &weighting(int option) const;
};

// Reads a question file. A path without a folder is taken in
// presentationFolder. nullopt when the file does not exist.
std::optional<QuestionInfo> LoadQuestionFile(const std::string &path, const std::string &presentationFolder);

// Scans the active presentation's slides for "VOTE" shapes naming a ".TLX"
// file (the first command word of the run string, quizFileOfRunString), moves the "QuiztlxName" tag from the
// shape to the slide and reads each question. caption receives each progress text. A record is added for
// every ".TLX" named, read or not (an unread one keeps an empty name).
// Errors of the presentation program skip the step that failed.
std::vector<QuestionInfo> LoadVotingSlides(PresentationHost &host, const std::string &presentationFolder,
                                           const std::function<void(const std::string &)> &caption);

} // namespace quiz

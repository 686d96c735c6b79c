#pragma once

#include "core/results/questiontable.h"
#include "core/results/resultsgrid.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quiz
{

class PresentationHost;

// Columns of the results with text. Group columns follow from column 4 on.
enum FullColumn { FullQuestion = 0, FullAnswer = 1, FullValue = 2, FullVotes = 3, FullFirstGroup = 4 };

// A slide's text as lines: vertical-tab line breaks become CR LF, doubled
// line ends collapse into one, and the text is split at each line end.
std::vector<std::string> slideTextLines(std::string text);

// The text of every slide that carries the "QuiztlxName" tag, by the tag's
// value in upper case. Slides the presentation program cannot give are left out.
std::map<std::string, std::string> slideTextsByQuestion(PresentationHost &host);

// Fills grids.questionFull from grids.questionResults: per question item, one
// row per option (caption, option text, option number, votes) and a summary
// row (caption, "Voted", no option number, the item's total). An item nobody
// voted on has only "No Votes Collected"; a TEXT or RANK question whose slide
// text is missing has only its "unable to get" row. caption receives
// "Results r of n" per row of the results by question.
void CreateResultsWithText(const std::vector<QuestionInfo> &questions,
                           const std::map<std::string, std::string> &slideTexts, ResultsGrids &grids,
                           const std::function<void(const std::string &)> &caption);

} // namespace quiz

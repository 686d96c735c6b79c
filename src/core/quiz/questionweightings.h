#pragma once

#include <array>
#include <string>

namespace quiz
{

// Fills one question's weight table from its question file: entries 0..10
// become 1.0, then the "QUESTION WEIGHTINGS" item's list (the next item,
// split at ",") sets entries 0.. up to 12 by their leading numbers. Entries
// 11 and 12 are never reset. A missing file or item keeps the defaults.
void ReadQuestionWeightings(const std::string &questionPath, std::array<double, 13> &weights);
// The same from the file's text already read.
void QuestionWeightingsOf(std::string content, std::array<double, 13> &weights);

} // namespace quiz

#pragma once

#include <string>
#include <string_view>

namespace quiz
{

// The correct answer of a question file: each character a right answer, "p"
// for the most popular answer, "x" for option 10. "" when the file is missing,
// its question type has no correct answer (7, or outside 0..14), or it ends early.
std::string ReadCorrectAnswer(const std::string &path);
// The same from the file's text already read.
std::string CorrectAnswerOf(std::string content);

} // namespace quiz

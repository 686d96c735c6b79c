#pragma once

#include <string>

namespace quiz
{

// Keypads an answer string holds: one per character in compact form; in list
// form the entry after the last ";" is not a keypad.
int keypadsOfAnswers(const std::string &answers);

// The correct answer with "P"/"p" (the most popular answer is right) replaced
// by the most given option of the answers: "1".."9", or "x" for option 10.
// List-form answers are counted like compact ones (each entry one option,
// "-" none). Any other correct answer is returned as it is.
std::string resolvePopularAnswer(const std::string &correctAnswer, const std::string &answers);

} // namespace quiz

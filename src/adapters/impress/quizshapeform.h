#pragma once

#include "adapters/impress/impressactions.h"

#include <string>

namespace quiz
{

// QUIZ shapes in the form that starts the quiz from LibreOffice Impress's
// slide show (quizshapeaction.h, docs/impress-night.md), and the words that
// an imported shape carries into it. Free of the office's API.

// The macro's name, which any form of the script's address holds.
inline constexpr const char *kRunQuizShapeMacro = "TalvixQuiz.Quiz.RunQuizShape";

// A quiz shape is named "QUIZ" in any case.
bool isQuizShapeName(const std::string &name);

// The command words of a QUIZ shape whose click action still has the form a
// presentation made on Windows keeps (a program action, or the document
// action an imported "run program" action becomes, with its run string):
// what the macro form must carry. "" when the action names no words, or is of
// another kind.
std::string importedQuizShapeWords(ClickKind kind, const std::string &bookmark);

} // namespace quiz

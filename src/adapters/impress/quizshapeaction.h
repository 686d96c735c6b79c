#pragma once

#include <string>

namespace quiz
{

// The click action of a "QUIZ" shape in LibreOffice Impress. The office runs
// no program from a show, so a quiz shape runs the Basic macro of the
// program's office extension, which starts the program with the shape's
// command words; the words live in the shape's Description property.

// The shape's Bookmark with ClickAction MACRO.
extern const char *const kQuizShapeMacroUrl;

// True when a macro action's bookmark is the quiz shape's macro.
bool isQuizShapeMacro(const std::string &bookmark);

// The command words of a quiz shape attached for a quiz file ("quiz.quz,DISPLAY").
std::string quizShapeWords(const std::string &quizFile);

// A quiz shape's action as the run string the program's parsers read: the
// program's path (in double quotes when it holds a blank) + " " + the words.
std::string quizShapeRunString(const std::string &programPath, const std::string &words);

} // namespace quiz

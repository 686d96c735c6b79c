#include "adapters/impress/quizshapeaction.h"

namespace quiz
{

const char *const kQuizShapeMacroUrl =
    "vnd.sun.star.script:TalvixQuiz.Quiz.RunQuizShape?language=Basic&location=application";

bool isQuizShapeMacro(const std::string &bookmark)
{
    return bookmark == kQuizShapeMacroUrl;
}

std::string quizShapeWords(const std::string &quizFile)
{
    return quizFile + ",DISPLAY";
}

std::string quizShapeRunString(const std::string &programPath, const std::string &words)
{
    const std::string program = programPath.empty() ? "quiz" : programPath;
    return (program.find(' ') == std::string::npos ? program : "\"" + program + "\"") + " " + words;
}

} // namespace quiz

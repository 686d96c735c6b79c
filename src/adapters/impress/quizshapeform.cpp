#include "adapters/impress/quizshapeform.h"

#include "core/common/text.h"
#include "core/quiz/quizrounds.h"

namespace quiz
{

bool isQuizShapeName(const std::string &name)
{
    return iequals(name, "QUIZ");
}

std::string importedQuizShapeWords(ClickKind kind, const std::string &bookmark)
{
    if (kind == ClickKind::Other)
        return {};
    return trim(commandTextOfRunString(runStringOfClickAction(kind, bookmark)));
}

} // namespace quiz

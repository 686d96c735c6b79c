#include "core/phonevote/slidevote.h"

#include "core/common/text.h"
#include "core/quiz/quizrounds.h"

namespace quiz
{

std::string voteFileOfSlide(const HostSlide &slide)
{
    for (const HostShape &shape : slide.shapes) {
        if (toUpper(shape.name) != "VOTE")
            continue;
        std::string file = quizFileOfRunString(shape.runString);
        if (const std::string *tag = findIgnoringCase(slide.tags, "QuiztlxName"); file.empty() && tag)
            file = *tag;
        if (!file.empty())
            return file;
    }
    return {};
}

} // namespace quiz

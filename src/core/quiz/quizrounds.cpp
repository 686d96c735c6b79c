#include "core/quiz/quizrounds.h"

#include "core/common/text.h"
#include "ports/eventpump.h"
#include "ports/presentationhost.h"

namespace quiz
{

std::vector<std::string> FindQuizRounds(PresentationHost &host, EventPump *pump)
{
    std::vector<std::string> rounds;
    const int slides = host.slideCount();
    for (int index = 1; index <= slides; ++index) {
        const HostSlide slide = host.slide(index);
        for (const HostShape &shape : slide.shapes) {
            if (pump)
                pump->processEvents();
            if (toUpper(shape.name) == "QUIZ")
                rounds.push_back(quizFileOfRunString(shape.runString));
        }
    }
    return rounds;
}

} // namespace quiz

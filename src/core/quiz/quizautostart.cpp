#include "core/quiz/quizautostart.h"

#include "core/common/text.h"
#include "core/quiz/quizfile.h"
#include "core/startup/commandline.h"

#include <cctype>

namespace quiz
{

bool displayStartsByItself(const std::string &commandText, const std::string &dataFolder)
{
    const CommandWords words = ParseCommandLine(commandText, nullptr);
    std::string quizFile = words.quizFileName;
    std::string mode = words.modeWord;
    // The short forms, as start-up reads them.
    if (toUpper(quizFile) == "DISPLAY" || mode.empty() || leadingNumber(mode) > 0) {
        mode = quizFile;
        quizFile = "quiz.quz";
    }
    if (toUpper(trim(mode)) != "DISPLAY")
        return false;
    return ReadQuizSetup(dataFolder + "/" + quizFile, dataFolder).setup.autoStart;
}

std::optional<int> nextSlideCommandNumber(const std::string &command)
{
    const std::string prefix = "NextSlide,";
    if (command.rfind(prefix, 0) != 0 || command.size() == prefix.size())
        return std::nullopt;
    int number = 0;
    for (size_t i = prefix.size(); i < command.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(command[i])) || number > 100000)
            return std::nullopt;
        number = number * 10 + (command[i] - '0');
    }
    if (number < 1)
        return std::nullopt;
    return number;
}

} // namespace quiz

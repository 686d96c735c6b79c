#include "core/startup/commandline.h"

#include "core/common/text.h"

namespace quiz
{

CommandWords ParseCommandLine(const std::string &text, const std::function<int()> &showingSlide)
{
    CommandWords words;
    std::string *const slots[] = {&words.quizFileName, &words.modeWord, &words.slideArg, &words.extraArg};
    const std::vector<std::string> pieces = split(text, ",");
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string piece = trim(pieces[i]);
        if (contains(piece, "SLIDE")) {
            words.currentSlide = leadingInt(replaceAll(piece, "SLIDE", ""));
            words.slideGiven = true;
        }
        if (i < std::size(slots))
            *slots[i] = std::move(piece);
    }
    if (!words.slideGiven && showingSlide) {
        try {
            words.currentSlide = showingSlide();
        } catch (...) {
            // No show, or the presentation program failed: the slide stays 0.
            words.currentSlide = 0;
        }
    }
    return words;
}

std::string joinArguments(const std::vector<std::string> &arguments)
{
    std::string text;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += arguments[i];
    }
    return text;
}

} // namespace quiz

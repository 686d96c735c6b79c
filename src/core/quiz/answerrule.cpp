#include "core/quiz/answerrule.h"

#include <algorithm>

namespace quiz
{

int correctOption(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return c == 'x' ? 10 : kNoOption;
}

size_t keypadCountOf(std::string_view answers)
{
    const auto semicolons = static_cast<size_t>(std::count(answers.begin(), answers.end(), ';'));
    return semicolons == 0 ? answers.size() : semicolons;
}

int mostPopularOption(std::string_view answers)
{
    std::array<long long, kOptionCount> count{};
    forEachAnswer(answers, [&count](size_t, std::string_view entry) {
        const int option = answerOption(entry);
        if (option != kNoOption)
            ++count[static_cast<size_t>(option)];
    });
    int best = kNoOption;
    for (int option = 0; option < kOptionCount; ++option)
        if (count[static_cast<size_t>(option)] > 0 &&
            (best == kNoOption || count[static_cast<size_t>(option)] >= count[static_cast<size_t>(best)]))
            best = option;
    return best;
}

RightOptions::RightOptions(std::string_view correctAnswer, std::string_view answers)
{
    if (correctAnswer == "p" || correctAnswer == "P") {
        const int popular = mostPopularOption(answers);
        if (popular != kNoOption)
            right_[static_cast<size_t>(popular)] = true;
        return;
    }
    for (const char c : correctAnswer) {
        const int option = correctOption(c);
        if (option != kNoOption)
            right_[static_cast<size_t>(option)] = true;
    }
}

bool RightOptions::empty() const
{
    return std::none_of(right_.begin(), right_.end(), [](bool b) { return b; });
}

} // namespace quiz

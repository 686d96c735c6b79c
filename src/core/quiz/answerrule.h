#pragma once

#include <array>
#include <string_view>

namespace quiz
{

// The one rule by which every output of a quiz (the display's scores and
// quiz.txt, the printed summary, the results export) decides which answers
// are right. docs/scoring.md states it in words.

inline constexpr int kNoOption = -1;
inline constexpr int kOptionCount = 11; // options 0..10

// The option a keypad's answer names: a single digit its value, "A" (compact
// form) and "10" (list form) option 10. "X", "-", "" and any other text name
// none (kNoOption).
constexpr int answerOption(std::string_view entry)
{
    if (entry.size() == 1)
        return entry[0] >= '0' && entry[0] <= '9' ? entry[0] - '0' : (entry[0] == 'A' ? 10 : kNoOption);
    return entry == "10" ? 10 : kNoOption;
}

// The option a character of a correct answer names: a digit its value, "x"
// option 10, anything else none.
int correctOption(char c);

// Calls f(index, entry) for each keypad's answer, without building strings:
// compact form one character per keypad, list form the ";"-separated entries
// except the one after the last ";".
template <typename F> void forEachAnswer(std::string_view answers, F &&f)
{
    if (answers.find(';') == std::string_view::npos) {
        for (size_t i = 0; i < answers.size(); ++i)
            f(i, answers.substr(i, 1));
        return;
    }
    size_t start = 0, index = 0;
    for (size_t semi = answers.find(';'); semi != std::string_view::npos; semi = answers.find(';', start)) {
        f(index++, answers.substr(start, semi - start));
        start = semi + 1;
    }
}

// The ";" separators of a text, counted sixteen bytes at a time.
size_t separatorCount(std::string_view text);

// Keypads of an answer string: its characters in compact form, its ";" in list form.
size_t keypadCountOf(std::string_view answers);

// The most given option of an answer string (either form), counting only
// answers that name an option; equal counts: the higher option wins.
// kNoOption when no keypad named one.
int mostPopularOption(std::string_view answers);

// The right options of a question: each character of its correct answer
// that names an option; "p" or "P" alone: the most popular option of the
// answers (none when nobody answered). An option listed twice counts once.
class RightOptions
{
  public:
    RightOptions() = default;
    RightOptions(std::string_view correctAnswer, std::string_view answers);
    bool contains(int option) const { return option >= 0 && option < kOptionCount && right_[option]; }
    bool empty() const;

  private:
    std::array<bool, kOptionCount> right_{};
};

} // namespace quiz

#include "core/quiz/correctanswer.h"

#include <array>

namespace quiz {

int MostPopularAnswer(std::string_view answers)
{
    std::array<long long, 11> count{}; // options 1..10
    for (const char c : answers) {
        if (c == '-')
            continue;
        ++count[c >= '1' && c <= '9' ? c - '0' : 10];
    }
    int best = 1;
    for (int option = 2; option <= 10; ++option)
        if (count[option] >= count[best])
            best = option;
    return best;
}

} // namespace quiz

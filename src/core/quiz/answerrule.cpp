#include "core/quiz/answerrule.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiz
{

int correctOption(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return c == 'x' ? 10 : kNoOption;
}

// The ";" separators of a text, counted sixteen bytes at a time.
size_t separatorCount(std::string_view text)
{
    size_t count = 0, i = 0;
#if defined(__SSE2__)
    const __m128i separator = _mm_set1_epi8(';'), zero = _mm_setzero_si128();
    __m128i sums = zero;
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + i));
        // Each match is 0xFF; its negation, 1, is summed into two 64-bit halves.
        sums = _mm_add_epi64(sums, _mm_sad_epu8(_mm_sub_epi8(zero, _mm_cmpeq_epi8(bytes, separator)), zero));
    }
    std::uint64_t halves[2];
    _mm_storeu_si128(reinterpret_cast<__m128i *>(halves), sums);
    count = static_cast<size_t>(halves[0] + halves[1]);
#endif
    return count +
           static_cast<size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), ';'));
}

size_t keypadCountOf(std::string_view answers)
{
    const size_t semicolons = separatorCount(answers);
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

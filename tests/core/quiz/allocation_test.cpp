// Counts heap allocations to check that scoring does not allocate per keypad.

#include "core/quiz/scoring.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <new>

static std::atomic<long long> allocations{0};

void *operator new(std::size_t size)
{
    ++allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// The nothrow form (std::stable_sort's buffer) calls this one; the default delete frees.

namespace quiz
{
namespace
{

// Both meetings outgrow the room for 51 keypads the totals start with.
TEST(ScoreQuiz, AllocatesNothingPerKeypad)
{
    std::deque<std::string> texts; // what the questions' views point into
    static const char *const listEntries[] = {"1", "2", "10", "-", "X"};
    const auto allocationsOfScoring = [&](int keypads, bool listForm) {
        std::vector<QuestionInput> quiz;
        for (const char *correct : {"1", "x", "12", "p"}) {
            std::string &entries = texts.emplace_back(), &values = texts.emplace_back();
            for (int k = 0; k < keypads; ++k) {
                entries += listForm ? listEntries[k % 5] + std::string(";") : std::string(1, "12AX3"[k % 5]);
                values += (k ? ";" : "") + std::to_string(k % 7) + ".25";
            }
            quiz.push_back(
                QuestionInput{.correctAnswer = correct, .answers = entries, .responseText = values});
        }
        const long long before = allocations;
        const ScoringResult r = ScoreQuiz(quiz, {}, {});
        const long long count = allocations - before;
        EXPECT_GT(r.keypadCount, 0);
        return count;
    };
    for (const bool listForm : {true, false})
        EXPECT_EQ(allocationsOfScoring(60, listForm), allocationsOfScoring(5000, listForm)) << listForm;
}

} // namespace
} // namespace quiz

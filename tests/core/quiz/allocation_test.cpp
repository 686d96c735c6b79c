// Counts heap allocations to check that scoring does not allocate per keypad.

#include "core/quiz/scoring.h"

#include <gtest/gtest.h>

#include <deque>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<long long> allocations{0};
}

void *operator new(std::size_t size)
{
    ++allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// The nothrow form too (std::stable_sort's buffer): its memory meets the delete above.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    ++allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace quiz
{
namespace
{

// The texts the questions' views point into.
std::deque<std::string> texts;

std::vector<QuestionInput> meeting(int keypads, bool listForm)
{
    std::vector<QuestionInput> quiz;
    const char *answers[] = {"1", "2", "10", "-", "X"};
    for (const char *correct : {"1", "x", "12", "p"}) {
        std::string &entries = texts.emplace_back();
        std::string &values = texts.emplace_back();
        for (int k = 0; k < keypads; ++k) {
            if (listForm) {
                entries += answers[k % 5];
                entries += ';';
            } else {
                entries += "12AX3"[k % 5];
            }
            values += (k ? ";" : "") + std::to_string(k % 7) + ".25";
        }
        QuestionInput q;
        q.correctAnswer = correct;
        q.answers = entries;
        q.responseText = values;
        quiz.push_back(std::move(q));
    }
    return quiz;
}

long long allocationsOfScoring(const std::vector<QuestionInput> &quiz)
{
    const long long before = allocations;
    const ScoringResult r = ScoreQuiz(quiz, {}, {});
    const long long count = allocations - before;
    EXPECT_GT(r.keypadCount, 0);
    return count;
}

TEST(ScoreQuiz, AllocatesNothingPerKeypad)
{
    // Both meetings outgrow the room for 51 keypads the totals start with.
    for (const bool listForm : {true, false}) {
        const auto small = meeting(60, listForm), large = meeting(5000, listForm);
        EXPECT_EQ(allocationsOfScoring(small), allocationsOfScoring(large))
            << (listForm ? "list" : "compact");
    }
}

} // namespace
} // namespace quiz

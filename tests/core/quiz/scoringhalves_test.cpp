// A quiz large enough to be scored in two halves of keypads: every keypad,
// those on either side of the split included, gets what it answered. The
// third question's response values end a few keypads past the split, so the
// upper half finds its first value near the end of the text.

#include "core/common/workthreads.h"
#include "core/quiz/scoring.h"
#include "fakes/fakeprogress.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(ScoreQuizInHalves, EveryKeypadScoresItsOwnAnswers)
{
    constexpr size_t kKeypads = 600001;         // three list-form questions: over a million entries
    constexpr size_t kTimed = kKeypads / 2 + 3; // keypads with a value in the third question
    std::string first, second, third, firstTimes, secondTimes, thirdTimes;
    for (size_t k = 0; k < kKeypads; ++k) {
        first += k % 3 == 0 ? "2;" : k % 3 == 1 ? "1;" : "-;";
        second += k % 2 == 0 ? "3;" : k % 4 == 1 ? "10;" : ";";
        third += "4;";
        firstTimes += std::to_string(k % 7) + ".5;";
        secondTimes += std::to_string(k % 5) + ";";
        thirdTimes +=
            k < kTimed ? (k ? ";1" : "10") : ""; // the upper half's first value in the text's last bytes
    }
    const std::vector<QuestionInput> questions{
        {.correctAnswer = "2", .answers = first, .responseText = firstTimes},
        {.correctAnswer = "3x", .answers = second, .responseText = secondTimes}, // options 3 and 10
        {.correctAnswer = "4", .answers = third, .responseText = thirdTimes}};
    test::FakeProgress progress;
    setWorkThreadCount(2); // whatever the machine's cores
    const ScoringResult r = ScoreQuiz(questions, {}, {}, &progress);
    setWorkThreadCount(0);

    ASSERT_EQ(r.threads, 2);
    ASSERT_EQ(r.keypadCount, static_cast<int>(kKeypads));
    EXPECT_EQ(progress.steps, static_cast<int>(3 * kKeypads));
    for (size_t k = 0; k < kKeypads; ++k) {
        const bool rightFirst = k % 3 == 0, rightSecond = k % 4 != 3;
        const float score = float(rightFirst) + float(rightSecond) + 1.0f;
        const float time = (rightFirst ? float(k % 7) + 0.5f : 0.0f) + (rightSecond ? float(k % 5) : 0.0f) +
                           (k < kTimed ? (k ? 1.0f : 10.0f) : 0.0f);
        if (r.score[k] != score || r.time[k] != time || r.voted[k] != 1.0f)
            FAIL() << "keypad " << k + 1 << ": " << r.score[k] << " " << r.time[k] << " " << r.voted[k];
    }
}

} // namespace
} // namespace quiz

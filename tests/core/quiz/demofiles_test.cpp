#include "core/common/fileutil.h"
#include "core/common/writeformat.h"
#include "core/quiz/correctanswer.h"
#include "core/quiz/questionweightings.h"
#include "core/quiz/quizfile.h"
#include "core/quiz/recordingsetupform.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

const std::string demo = QUIZ_DEMO_DIR;

// The results reader walks a question file item by item: after the nine
// header items, 3 x options + 19 items, then the first option number.
TEST(DemoQuestionFiles, EveryReaderFindsItsItems)
{
    struct Case {
        const char *file;
        int options;
        const char *correct;
        double weightOfThree;
    };
    const Case cases[] = {
        {"q1.tlx", 4, "4", 1}, {"q2.tlx", 3, "2", 1}, {"q3.tlx", 10, "x", 1}, {"q4.tlx", 4, "13", 2}};
    for (const Case &c : cases) {
        const std::string path = demo + "/" + c.file;
        EXPECT_EQ(ReadCorrectAnswer(path), c.correct) << c.file;

        ItemReader reader = ItemReader::fromFile(path);
        EXPECT_EQ(reader.nextInt(), 2) << c.file; // version
        EXPECT_EQ(reader.nextInt(), c.options) << c.file;
        EXPECT_EQ(reader.nextInt(), 0) << c.file; // ordinary question
        for (int i = 3; i < 9; ++i) {
            const auto item = reader.next();
            if (i == 7) {
                EXPECT_EQ(item, "0") << c.file; // the eighth item: not a series
            }
        }
        for (int i = 0; i < 3 * c.options + 19; ++i)
            ASSERT_TRUE(reader.next()) << c.file;
        EXPECT_EQ(reader.nextInt(), 1) << c.file; // first option

        std::array<double, 13> weights{};
        ReadQuestionWeightings(path, weights);
        EXPECT_EQ(weights[3], c.weightOfThree) << c.file;
        EXPECT_EQ(weights[10], 1.0) << c.file;
    }
}

TEST(DemoQuizFile, IsWhatTheWriterWritesForItsValues)
{
    QuizState state;
    state.dataFolder = demo;
    RecordingSetupForm form;
    ReadQuizSetup(state, demo + "/quiz.quz", &form);
    EXPECT_EQ(formatQuizSetup(state, form), readTextFile(demo + "/quiz.quz").value_or(""));
    EXPECT_EQ(state.displayAreas[0].width, 0.5f);
    EXPECT_EQ(state.displayAreas[0].left, 0.25f);
    EXPECT_EQ(state.annotationPositions.at(4)[1].x, 0.6);
    EXPECT_EQ(state.annotationPositions.at(4)[1].y, 0.8);
}

TEST(DemoGroupFiles, HoldAQuestionAndAnAnswer)
{
    for (const char *file : {"JupiterFans.grp", "CrabExperts.grp"}) {
        ItemReader reader = ItemReader::fromFile(demo + "/" + file);
        const auto question = reader.next();
        ASSERT_TRUE(question) << file;
        EXPECT_TRUE(FileExists(demo + "/" + *question)) << file;
        EXPECT_TRUE(reader.nextInt()) << file;
    }
}

} // namespace
} // namespace quiz

#include "fakes/controllerfakes.h"
#include "fakes/fakeprinter.h"
#include "fakes/fakeworkbookwriter.h"
#include "fakes/presentationfakes.h"

#include "core/quiz/quizrounds.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using RunStrings = test::RowTest;

TEST_P(RunStrings, GiveTheCommandWordsAndTheQuizFile)
{
    EXPECT_EQ(commandTextOfRunString(GetParam()[0]), GetParam()[1]);
    EXPECT_EQ(quizFileOfRunString(GetParam()[0]), GetParam()[2]);
}
QUIZ_ROWS(RunStrings, "quiz/runstrings.rows");

TEST(FindQuizRounds, EveryQuizShapeInSlideAndShapeOrderAnyCase)
{
    test::FakeHost host;
    host.addSlide({{"Title 1", ""}, {"VOTE", "C:\\Talvix\\vote.exe q1.tlx,1"}});
    host.addSlide(
        {{"QUIZ", "quiz b.quz,DISPLAY"}, {"Title 1", "quiz x.quz"}, {"quiz", "quiz a.quz,DISPLAY"}});
    host.addSlide({});
    host.addSlide({{"Quiz", "C:\\T\\Quiz.exe c.quz,DISPLAY,SLIDE4"}, {"QUIZ 2", "quiz d.quz"}});
    test::FakePump pump;
    EXPECT_EQ(FindQuizRounds(host, &pump), (std::vector<std::string>{"b.quz", "a.quz", "c.quz"}));
    EXPECT_EQ(pump.yields, 2 + 3 + 2); // once per shape
    EXPECT_TRUE(FindQuizRounds(host, nullptr).size() == 3);
}

TEST(FindQuizRounds, NoQuizShapesNoRounds)
{
    test::FakeHost host;
    host.addSlide({{"VOTE", "vote q1.tlx"}});
    EXPECT_TRUE(FindQuizRounds(host, nullptr).empty());
}

} // namespace
} // namespace quiz

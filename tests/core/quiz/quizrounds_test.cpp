#include "batchfakes.h"
#include "fakes/controllerfakes.h"

#include "core/quiz/quizrounds.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(RunString, CommandWordsStartAfterExeAndOneSeparatorElseAfterTheProgramPath)
{
    const struct {
        const char *run, *text, *quizFile;
    } cases[] = {
        {"C:\\Talvix\\Quiz.exe quiz.quz,DISPLAY", "quiz.quz,DISPLAY", "quiz.quz"},
        {"C:\\Program Files\\Talvix\\QUIZ.EXE,round2.quz,DISPLAY", "round2.quz,DISPLAY", "round2.quz"},
        {"C:\\Talvix\\Quiz.exe  spaced.quz , DISPLAY", " spaced.quz , DISPLAY", "spaced.quz"},
        {"/opt/talvix/quiz r1.quz,DISPLAY", "r1.quz,DISPLAY", "r1.quz"},
        {"quiz quiz.quz,DISPLAY", "quiz.quz,DISPLAY", "quiz.quz"},
        {"\"/home/ann/my apps/quiz\" night.quz,DISPLAY", "night.quz,DISPLAY", "night.quz"},
        {"/opt/talvix/quiz", "", ""},
        {"C:\\Talvix\\Quiz.exe", "", ""},
        {"", "", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(commandTextOfRunString(c.run), c.text) << c.run;
        EXPECT_EQ(quizFileOfRunString(c.run), c.quizFile) << c.run;
    }
}

TEST(FindQuizRounds, EveryQuizShapeInSlideAndShapeOrderAnyCase)
{
    test::SlidesHost host;
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
    test::SlidesHost host;
    host.addSlide({{"VOTE", "vote q1.tlx"}});
    EXPECT_TRUE(FindQuizRounds(host, nullptr).empty());
}

} // namespace
} // namespace quiz

#include "core/startup/commandline.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace quiz;

TEST(ParseCommandLine, StoresWordsByPositionAndFindsTheSlide)
{
    struct Case {
        const char *text;
        const char *quizFileName, *modeWord, *slideArg, *extraArg;
        bool slideGiven;
        int currentSlide;
    } cases[] = {
        {"SETUP", "SETUP", "", "", "", false, 9},
        {",SETUP", "", "SETUP", "", "", false, 9},
        {"quiz.quz,SETUP", "quiz.quz", "SETUP", "", "", false, 9},
        {"DISPLAY,5", "DISPLAY", "5", "", "", false, 9},
        {"quiz.quz,INSERT,SLIDE7", "quiz.quz", "INSERT", "SLIDE7", "", true, 7},
        {" quiz.quz , INSERT , 3SLIDE ", "quiz.quz", "INSERT", "3SLIDE", "", true, 3},
        {"a,b,c,d,e,SLIDE4", "a", "b", "c", "d", true, 4}, // later words ignored, SLIDE still seen
        {"quiz.quz,DISPLAY,slide4", "quiz.quz", "DISPLAY", "slide4", "", false, 9},
        {"quiz.quz,INSERT,SLIDE7,SLIDE2", "quiz.quz", "INSERT", "SLIDE7", "SLIDE2", true, 2},
        {"SLIDESLIDE5,SETUP", "SLIDESLIDE5", "SETUP", "", "", true, 5},
        {"x,SLIDE", "x", "SLIDE", "", "", true, 0},
        {"x,y,SLIDE 12", "x", "y", "SLIDE 12", "", true, 12},
        {"", "", "", "", "", false, 9},
        {"quiz.quz,make", "quiz.quz", "make", "", "", false, 9},
    };
    for (const auto &c : cases) {
        const CommandWords w = ParseCommandLine(c.text, [] { return 9; });
        EXPECT_EQ(w.quizFileName, c.quizFileName) << c.text;
        EXPECT_EQ(w.modeWord, c.modeWord) << c.text;
        EXPECT_EQ(w.slideArg, c.slideArg) << c.text;
        EXPECT_EQ(w.extraArg, c.extraArg) << c.text;
        EXPECT_EQ(w.slideGiven, c.slideGiven) << c.text;
        EXPECT_EQ(w.currentSlide, c.currentSlide) << c.text;
    }
}

TEST(ParseCommandLine, AsksForTheShowingSlideOnlyWithoutASlideWordAndAFailureLeavesZero)
{
    int calls = 0;
    const auto showing = [&] { return ++calls, 4; };
    EXPECT_EQ(ParseCommandLine("quiz.quz,INSERT,SLIDE7", showing).currentSlide, 7);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(ParseCommandLine("quiz.quz,DISPLAY", showing).currentSlide, 4);
    EXPECT_EQ(calls, 1);
    const auto failing = []() -> int { throw std::runtime_error("no slide show"); };
    EXPECT_EQ(ParseCommandLine("quiz.quz,DISPLAY", failing).currentSlide, 0);
    EXPECT_EQ(ParseCommandLine("SETUP", nullptr).currentSlide, 0);
}

TEST(JoinArguments, JoinsWithSingleBlanksThatTheParserTrimsAgain)
{
    EXPECT_EQ(joinArguments({}), "");
    EXPECT_EQ(joinArguments({"quiz.quz,INSERT,", "SLIDE7"}), "quiz.quz,INSERT, SLIDE7");
    EXPECT_EQ(ParseCommandLine(joinArguments({"quiz.quz,INSERT,", "SLIDE7"}), nullptr).slideArg, "SLIDE7");
}

#include "core/run/startup.h"
#include "core/startup/commandline.h"
#include "support/rows.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace quiz;
using quiz::test::Row;

using CommandWordsRows = quiz::test::RowTest;

TEST_P(CommandWordsRows, StoreWordsByPositionFindTheSlideAndDispatchTheMode)
{
    const Row &r = GetParam();
    if (r.name.starts_with("mode") || r.name.starts_with("folder")) { // the mode run, the data folder
        EXPECT_EQ(r.name.starts_with("folder") ? PresentationFolder(r[0]) : DispatchModeName(r[0]), r[1]);
        return;
    }
    int asked = 0;
    const CommandWords w = ParseCommandLine(r[0], [&asked] { return ++asked, 9; });
    EXPECT_EQ((std::vector<std::string>{w.quizFileName, w.modeWord, w.slideArg, w.extraArg}),
              (std::vector<std::string>{r[1], r[2], r[3], r[4]}));
    EXPECT_EQ(w.slideGiven, r.flag(5));
    EXPECT_EQ(w.currentSlide, r.num(6));
    EXPECT_EQ(asked, w.slideGiven ? 0 : 1); // the showing slide only without a slide word
}
QUIZ_ROWS(CommandWordsRows, "startup/commandline.rows");

TEST(ParseCommandLine, AFailureLeavesSlideZeroAndArgumentsJoinWithBlanks)
{
    const auto failing = []() -> int { throw std::runtime_error("no slide show"); };
    EXPECT_EQ(ParseCommandLine("quiz.quz,DISPLAY", failing).currentSlide, 0);
    EXPECT_EQ(ParseCommandLine("SETUP", nullptr).currentSlide, 0);
    // Arguments are joined with single blanks that the parser trims again.
    EXPECT_EQ(joinArguments({}), "");
    EXPECT_EQ(joinArguments({"quiz.quz,INSERT,", "SLIDE7"}), "quiz.quz,INSERT, SLIDE7");
    EXPECT_EQ(ParseCommandLine(joinArguments({"quiz.quz,INSERT,", "SLIDE7"}), nullptr).slideArg, "SLIDE7");
}

#include "core/results/progresscaption.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// A full cycle goes in and out, mirrored, and keeps the message.
TEST(ProgressCaption, AFullCycleGoesInAndOutAndKeepsTheMessage)
{
    const std::string message = "Building Excel Workbook - Please Wait";
    ProgressCaption animation;
    std::string caption = ProgressCaption::starting(message);
    EXPECT_EQ(ProgressCaption::starting("Wait"), "|     Wait     |");
    std::vector<std::size_t> left;
    for (int tick = 0; tick < 10; ++tick) {
        caption = animation.step(caption);
        EXPECT_EQ(caption.substr(6, message.size()), message);
        const std::size_t a = caption.find('|') + 1, b = caption.rfind('|') + 1;
        EXPECT_EQ(a - 1, caption.size() - b) << "bars mirrored at tick " << tick;
        EXPECT_EQ(std::count(caption.begin(), caption.end(), '|'), 2);
        left.push_back(a);
    }
    EXPECT_EQ(left, (std::vector<std::size_t>{2, 3, 4, 5, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(caption, ProgressCaption::starting(message)); // back where it began
}

// Bars at the edges move inwards, a right bar next to the text turns them outwards,
// in between the direction stays (outwards at first).
TEST(ProgressCaption, DirectionTurnsOnlyAtTheEnds)
{
    ProgressCaption animation;
    EXPECT_EQ(animation.step("   |  ab  |   "), "  |   ab   |  ");
    EXPECT_EQ(animation.step("|     ab     |"), " |    ab    | ");
    EXPECT_TRUE(animation.movingInwards());
    EXPECT_EQ(animation.step("   |  ab  |   "), "    | ab |    ");
    EXPECT_EQ(animation.step("     |Wait|     "), "    | Wait |    ");
    EXPECT_FALSE(animation.movingInwards());
    // The window's design caption has no right margin: the first and last six
    // characters are taken as margins, so the text's tail is cut.
    EXPECT_EQ(animation.step("     |Building Excel Workbook - Please Wait|"),
              "    | Building Excel Workbook - Please      ");
}

} // namespace
} // namespace quiz

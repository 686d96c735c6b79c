#include "core/results/progresscaption.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// Where the bars stand: positions (from 1) of the first and last "|".
std::pair<std::size_t, std::size_t> bars(const std::string &caption)
{
    return {caption.find('|') + 1, caption.rfind('|') + 1};
}

TEST(ProgressCaption, BarsAtTheEdgesMoveInwardsAndARightBarNextToTheTextTurnsThemOutwards)
{
    EXPECT_EQ(ProgressCaption::starting("Wait"), "|     Wait     |");
    ProgressCaption animation;
    EXPECT_EQ(animation.step("|     Wait     |"), " |    Wait    | ");
    EXPECT_TRUE(animation.movingInwards());
    EXPECT_EQ(animation.step("     |Wait|     "), "    | Wait |    ");
    EXPECT_FALSE(animation.movingInwards());
}

TEST(ProgressCaption, AFullCycleGoesInAndOutAndKeepsTheMessage)
{
    const std::string message = "Building Excel Workbook - Please Wait";
    ProgressCaption animation;
    std::string caption = ProgressCaption::starting(message);
    const std::size_t length = caption.size();
    std::vector<std::size_t> left;
    for (int tick = 0; tick < 10; ++tick) {
        caption = animation.step(caption);
        ASSERT_EQ(caption.size(), length);
        EXPECT_EQ(caption.substr(6, message.size()), message);
        const auto [a, b] = bars(caption);
        EXPECT_EQ(a - 1, length - b) << "bars mirrored at tick " << tick;
        EXPECT_EQ(std::count(caption.begin(), caption.end(), '|'), 2);
        left.push_back(a);
    }
    EXPECT_EQ(left, (std::vector<std::size_t>{2, 3, 4, 5, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(caption, ProgressCaption::starting(message)); // back where it began
}

TEST(ProgressCaption, DirectionStaysWhileBarsAreBetweenTheEnds)
{
    ProgressCaption animation;
    // Neither end: outwards at first.
    EXPECT_EQ(animation.step("   |  ab  |   "), "  |   ab   |  ");
    animation.step("|     ab     |"); // reaches the edge: inwards from now on
    EXPECT_EQ(animation.step("   |  ab  |   "), "    | ab |    ");
}

TEST(ProgressCaption, ACaptionWithoutTheMarginFormLosesText)
{
    // The window's design caption: five blanks, no right margin. The first
    // and last six characters are taken as margins, so the text's tail is cut.
    ProgressCaption animation;
    EXPECT_EQ(animation.step("     |Building Excel Workbook - Please Wait|"),
              "    | Building Excel Workbook - Please      ");
}

} // namespace
} // namespace quiz

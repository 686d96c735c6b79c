#include "adapters/impress/impressactions.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using FileUrls = test::RowTest;

TEST_P(FileUrls, BecomePaths)
{
    EXPECT_EQ(fileUrlToPath(GetParam()[0]), GetParam()[1]);
}
QUIZ_ROWS(FileUrls, "impress/fileurls.rows");

TEST(ImpressActions, PathsBecomeFileUrlsAndBack)
{
    EXPECT_EQ(pathToFileUrl("/home/a b/%q,1.odp"), "file:///home/a%20b/%25q%2C1.odp");
    EXPECT_EQ(fileUrlToPath(pathToFileUrl("/t/\xC3\xA9 x#1.png")), "/t/\xC3\xA9 x#1.png");
}

using ClickActions = test::RowTest;

TEST_P(ClickActions, BecomeRunStrings)
{
    const std::map<std::string, ClickKind> kinds{
        {"program", ClickKind::Program}, {"document", ClickKind::Document}, {"other", ClickKind::Other}};
    EXPECT_EQ(runStringOfClickAction(kinds.at(GetParam()[0]), GetParam()[1]), GetParam()[2]);
}
QUIZ_ROWS(ClickActions, "impress/clickactions.rows");

TEST(ImpressActions, TagsAreFoundPerSlideAndShape)
{
    const std::map<std::string, std::string> props = {
        {slideTagProperty("page1", "quizid"), "7"},
        {shapeTagProperty("page1", "VOTE 1", "Choice"), "A"},
        {shapeTagProperty("page1", "VOTE 10", "CHOICE"), "B"},
        {slideTagProperty("page10", "QUIZID"), "9"},
        {"Author", "someone"},
    };
    EXPECT_EQ(props.count("TalvixTag|page1|QUIZID"), 1u);
    using Tags = std::map<std::string, std::string>;
    EXPECT_EQ(tagsOf(props, "page1", ""), (Tags{{"QUIZID", "7"}}));
    EXPECT_EQ(tagsOf(props, "page1", "VOTE 1"), (Tags{{"CHOICE", "A"}}));
    EXPECT_EQ(tagsOf(props, "page10", ""), (Tags{{"QUIZID", "9"}}));
    EXPECT_TRUE(tagsOf(props, "page2", "").empty());
}

} // namespace
} // namespace quiz

// Which quiz slides start their DISPLAY run when shown, and the controller's
// "NextSlide,N" command.

#include "core/quiz/quizautostart.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

namespace quiz
{
namespace
{

using Autostart = test::RowTest;

TEST_P(Autostart, FollowsTheModeWordsAndTheQuizFileNamed)
{
    const test::Row &r = GetParam();
    test::TestFolder folder;
    const std::string name = r[1].substr(0, r[1].find(' '));
    if (!name.empty()) {
        std::ifstream in(std::string(QUIZ_DEMO_DIR) + "/quiz.quz", std::ios::binary);
        const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        folder.write(name, r[1].ends_with(" off")
                               ? std::regex_replace(content, std::regex("autostart=True"), "autostart=False")
                               : content);
    }
    EXPECT_EQ(displayStartsByItself(r[0], folder.str()), r.flag(2));
}
QUIZ_ROWS(Autostart, "quiz/autostart.rows");

using NextSlideCommand = test::RowTest;

TEST_P(NextSlideCommand, NamesAPositiveSlideOrNothing)
{
    const test::Row &r = GetParam();
    EXPECT_EQ(nextSlideCommandNumber(r[0]), r[1].empty() ? std::nullopt : std::optional<int>(r.num(1)));
}
QUIZ_ROWS(NextSlideCommand, "quiz/nextslide.rows");

} // namespace
} // namespace quiz

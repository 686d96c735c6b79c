// Which quiz slides start their DISPLAY run when shown, and the controller's
// "NextSlide,N" command.

#include "core/common/fileutil.h"
#include "core/quiz/quizautostart.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

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
        std::string content = readTextFile(std::string(QUIZ_DEMO_DIR) + "/quiz.quz").value_or("");
        if (r[1].ends_with(" off"))
            content.replace(content.find("autostart=True"), 14, "autostart=False");
        folder.write(name, content);
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

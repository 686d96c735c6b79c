// Which quiz slides start their DISPLAY run when shown, and the controller's
// "NextSlide,N" command.

#include "core/quiz/quizautostart.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quiz
{
namespace
{

struct AutostartRow {
    const char *words;
    const char *file;    // the quiz file the words name, or ""
    const char *setting; // its autostart item; nullptr: no such file
    bool starts;
};

class Autostart : public ::testing::TestWithParam<AutostartRow>
{
};

TEST_P(Autostart, FollowsTheModeAndTheQuizFile)
{
    const AutostartRow &row = GetParam();
    test::TestFolder folder;
    if (row.setting) {
        // The demo's quiz file with the autostart item replaced.
        std::ifstream demo(QUIZ_DEMO_DIR "/quiz.quz", std::ios::binary);
        std::stringstream text;
        text << demo.rdbuf();
        std::string content = text.str();
        const size_t at = content.find("\"autostart=True\"");
        ASSERT_NE(at, std::string::npos);
        content.replace(at, 16, std::string("\"") + row.setting + "\"");
        folder.write(row.file, content);
    }
    EXPECT_EQ(displayStartsByItself(row.words, folder.str()), row.starts) << row.words;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Autostart,
    ::testing::Values(AutostartRow{"quiz.quz,DISPLAY", "quiz.quz", "autostart=True", true},
                      AutostartRow{"quiz.quz,DISPLAY", "quiz.quz", "autostart=False", false},
                      AutostartRow{"quiz.quz, display ,SLIDE6", "quiz.quz", "autostart=True", true},
                      AutostartRow{"other.quz,DISPLAY", "other.quz", "autostart=False", false},
                      AutostartRow{"other.quz,DISPLAY", "quiz.quz", "autostart=False", true},
                      AutostartRow{"DISPLAY", "quiz.quz", "autostart=False", false},
                      AutostartRow{"DISPLAY,5", "quiz.quz", "autostart=True", true},
                      AutostartRow{"quiz.quz,INSERT,6", "quiz.quz", "autostart=True", false},
                      AutostartRow{"SETUP", "quiz.quz", "autostart=True", false},
                      AutostartRow{"quiz.quz,DISPLAY", "", nullptr, true}));

TEST(NextSlideCommand, NamesAPositiveSlideOrNothing)
{
    const std::pair<const char *, std::optional<int>> rows[] = {
        {"NextSlide,7", 7},
        {"NextSlide,12", 12},
        {"NextSlide,0", std::nullopt},
        {"NextSlide,", std::nullopt},
        {"NextSlide,7a", std::nullopt},
        {"NextSlide,-1", std::nullopt},
        {"nextslide,7", std::nullopt},
        {"InsertCharts", std::nullopt},
        {"NextSlide,99999999999", std::nullopt},
    };
    for (const auto &[command, number] : rows)
        EXPECT_EQ(nextSlideCommandNumber(command), number) << command;
}

} // namespace
} // namespace quiz

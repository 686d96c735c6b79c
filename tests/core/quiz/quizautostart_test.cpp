// Which quiz slides start their DISPLAY run when shown, and the controller's
// "NextSlide,N" command.

#include "core/quiz/quizautostart.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

namespace quiz
{
namespace
{

TEST(Autostart, FollowsTheModeWordsAndTheQuizFileNamed)
{
    const struct {
        const char *words;
        const char *file; // the quiz file written, with autostart on unless "off"
        bool starts;
    } rows[] = {
        {"quiz.quz,DISPLAY", "quiz.quz", true},
        {"quiz.quz,DISPLAY", "quiz.quz off", false},
        {"quiz.quz, display ,SLIDE6", "quiz.quz", true},
        {"other.quz,DISPLAY", "other.quz off", false},
        {"other.quz,DISPLAY", "quiz.quz off", true},
        {"DISPLAY", "quiz.quz off", false},
        {"DISPLAY,5", "quiz.quz", true},
        {"quiz.quz,INSERT,6", "quiz.quz", false},
        {"SETUP", "quiz.quz", false},
        {"quiz.quz,DISPLAY", "", true},
    };
    const std::string setup = std::string(QUIZ_DEMO_DIR) + "/quiz.quz";
    for (const auto &row : rows) {
        test::TestFolder folder;
        const std::string file = row.file, name = file.substr(0, file.find(' '));
        if (!name.empty()) {
            std::ifstream in(setup, std::ios::binary);
            const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            folder.write(name,
                         file.find(" off") == std::string::npos
                             ? content
                             : std::regex_replace(content, std::regex("autostart=True"), "autostart=False"));
        }
        EXPECT_EQ(displayStartsByItself(row.words, folder.str()), row.starts)
            << row.words << " / " << row.file;
    }
}

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

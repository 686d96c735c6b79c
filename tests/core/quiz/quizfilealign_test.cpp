#include "core/quiz/quizfile.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// A display count outside 1..99 is rejected, but the place records the file
// holds for it are passed over, so that every later record keeps its meaning.
TEST(QuizFileAlignment, ARejectedDisplayCountKeepsTheLaterRecordsInPlace)
{
    for (const int count : {0, -3, 100, 250}) {
        SCOPED_TRACE(count);
        std::string text = "0\r\n" + std::to_string(count) + ",0.1,0.2,0.3,0.4\r\n";
        for (int p = 0; p < count; ++p)
            text += "1,2,3,4\r\n";
        text += "20,20,255\r\n\"Courier\",#TRUE#,#FALSE#,31\r\n0,1\r\n1\r\n\"autostart=False\"\r\n"
                "#FALSE#,#TRUE#\r\n1\r\n#FALSE#\r\n#TRUE#\r\n3\r\n\"txttoadd=\",\"Score \",\" pts\"\r\n";
        test::TestFolder data;
        data.write("quiz.quz", text);
        QuizState state;
        state.dataFolder = data.str();
        state.displayCount = 7;
        ReadQuizSetup(state, data.str() + "/quiz.quz", nullptr);
        EXPECT_EQ(state.displayCount, 7);
        EXPECT_EQ(state.displayFontColour, 255u);
        EXPECT_EQ(state.displayFontName, "Courier");
        EXPECT_EQ(state.onFinishChoice, 1);
        EXPECT_EQ(state.keypadsStartFrom, 3);
        EXPECT_EQ(state.textToAdd, (std::array<std::string, 2>{"Score ", " pts"}));
    }
}

} // namespace
} // namespace quiz

#include "core/quiz/quizrecord.h"
#include "core/quiz/scoring.h"
#include "fakes/fakedialogs.h"

#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// A read-only quiz.txt is tested through the scoring run (calculatescores_test).

const char *const kTwoKeypadsRecord = "\"Results for quiz.quz\"\r\n"
                                      "\"Keypad number: 1\",2,\"Time\",3.25\r\n"
                                      "\"Keypad number: 2\",0.5,\"Time\",0\r\n"
                                      "\"*************************************\"\r\n";

ScoringResult twoKeypads()
{
    ScoringResult r;
    r.keypadCount = 2;
    r.score = {2, 0.5f};
    r.time = {3.25f, 0};
    r.voted = {1, 1};
    return r;
}

TEST(QuizRecordText, ListsEveryKeypadInKeypadOrder)
{
    EXPECT_EQ(QuizRecordText("quiz.quz", twoKeypads()), kTwoKeypadsRecord);
    EXPECT_EQ(QuizRecordText("other.quz", ScoringResult{}),
              "\"Results for other.quz\"\r\n\"*************************************\"\r\n");
}

TEST(AppendQuizRecord, AppendsAfterWhatTheFileHolds)
{
    test::TestFolder folder;
    folder.write("quiz.txt", "earlier\r\n");
    test::FakeDialogs dialogs;
    EXPECT_TRUE(AppendQuizRecord(folder.str(), "quiz.quz", twoKeypads(), &dialogs));
    EXPECT_TRUE(AppendQuizRecord(folder.str(), "quiz.quz", twoKeypads(), &dialogs));
    EXPECT_EQ(folder.read("quiz.txt"), std::string("earlier\r\n") + kTwoKeypadsRecord + kTwoKeypadsRecord);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace quiz

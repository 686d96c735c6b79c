#include "core/quiz/quizrecord.h"
#include "core/quiz/scoring.h"
#include "fakes/fakedialogs.h"

#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quiz
{
namespace
{

ScoringResult twoKeypads()
{
    ScoringResult r;
    r.keypadCount = 2;
    r.score = {2, 0.5f};
    r.time = {3.25f, 0};
    r.voted = {1, 1};
    return r;
}

const char *const kTwoKeypadsRecord = "\"Results for quiz.quz\"\r\n"
                                      "\"Keypad number: 1\",2,\"Time\",3.25\r\n"
                                      "\"Keypad number: 2\",0.5,\"Time\",0\r\n"
                                      "\"*************************************\"\r\n";

TEST(QuizRecordText, ListsEveryKeypadInKeypadOrder)
{
    EXPECT_EQ(QuizRecordText("quiz.quz", twoKeypads()), kTwoKeypadsRecord);
}

TEST(QuizRecordText, NoKeypadsGiveTheTitleAndTheEndLine)
{
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

TEST(AppendQuizRecord, ReadOnlyFileIsLeftAloneWithAMessage)
{
    test::TestFolder folder;
    const auto path = folder.write("quiz.txt", "earlier\r\n");
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    test::FakeDialogs dialogs;
    EXPECT_FALSE(AppendQuizRecord(folder.str(), "quiz.quz", twoKeypads(), &dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, folder.str() + "/quiz.txt is read only - not saving results");
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(folder.read("quiz.txt"), "earlier\r\n");
}

} // namespace
} // namespace quiz

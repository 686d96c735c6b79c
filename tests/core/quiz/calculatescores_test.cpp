#include "core/common/runend.h"
#include "core/quiz/calculatescores.h"
#include "core/quiz/quizfile.h"
#include "core/quiz/quizrecord.h"
#include "core/quiz/scoring.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/voterecords.h"
#include "fakes/fakerun.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

// A copy of the demo presentation folder, so that quiz.txt is written to a temporary place.
class DemoMeeting : public ::testing::Test, public test::FakeRun
{
  protected:
    void SetUp() override
    {
        fs::copy(QUIZ_DEMO_DIR, folder.path(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        ctx.state.dataFolder = folder.str();
        ctx.state.quizFileName = "quiz.quz";
        ctx.state.runMode = "DISPLAY";
        quizList = ReadQuizSetupInto(ctx.state, folder.str() + "/quiz.quz");
        LoadValidKeypads(ctx.state, folder.str() + "/valid.kpd");
    }

    // The DISPLAY run's scores and its quiz.txt record, as the mode takes them.
    ScoringRun scoreAndRecord()
    {
        ScoringRun run = CalculateScores(ctx, quizList);
        AppendQuizRecord(ctx.state.dataFolder, ctx.state.quizFileName, run.totals, ctx.dialogs);
        return run;
    }

    std::vector<float> rankedKeypads(const ScoringRun &run)
    {
        std::vector<float> keypads;
        for (const RankedKeypad &k : run.ranking)
            keypads.push_back(k.keypad);
        return keypads;
    }

    test::TestFolder folder;
    std::vector<std::string> quizList;
};

TEST_F(DemoMeeting, ScoresRanksFillsTheRowsAndAppendsTheRecord)
{
    folder.write("quiz.txt", "earlier\r\n");
    ctx.state.participants = {{"Bob", 4, 1}, {"Ann", 2, 1}, {"end", 0, 0}};
    quizList.insert(quizList.begin() + 1, "gone.tlx"); // a missing question file is skipped
    const ScoringRun run = scoreAndRecord();
    EXPECT_EQ(run.totals.score, (std::vector<float>{4, 4, 1, 4, 0, 4, 2, 2}));
    EXPECT_EQ(run.totals.voted, (std::vector<float>{1, 1, 1, 1, 0, 1, 1, 1}));
    EXPECT_EQ(run.totals.possibleMaximum, 4.0);
    // Equal scores: the quicker keypad first; keypad 5 never voted.
    EXPECT_EQ(rankedKeypads(run), (std::vector<float>{4, 2, 1, 6, 8, 7, 3, 5}));
    std::string shown;
    for (const DisplayRow &row : run.rows.rows)
        shown += *row.nameText + ":" + *row.scoreText + (row.hideName ? " hidden" : "") + "; ";
    EXPECT_EQ(shown, "Bob:4 points; Ann:4 points; 1:4 points; 6:4 points; 8:2 points; ");
    EXPECT_EQ(folder.read("quiz.txt"), "earlier\r\n\"Results for quiz.quz\"\r\n"
                                       "\"Keypad number: 1\",4,\"Time\",10.7\r\n"
                                       "\"Keypad number: 2\",4,\"Time\",10.5\r\n"
                                       "\"Keypad number: 3\",1,\"Time\",4.1\r\n"
                                       "\"Keypad number: 4\",4,\"Time\",5\r\n"
                                       "\"Keypad number: 5\",0,\"Time\",0\r\n"
                                       "\"Keypad number: 6\",4,\"Time\",14.8\r\n"
                                       "\"Keypad number: 7\",2,\"Time\",5\r\n"
                                       "\"Keypad number: 8\",2,\"Time\",4.8\r\n"
                                       "\"*************************************\"\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(ctx.state.responseRecPresent);
    // The last question's answer string "1;3;2;3;-;3;1;4;" refills the valid keypads.
    EXPECT_EQ(ctx.state.validKeypads, std::vector<int>(17, 1));
}

TEST_F(DemoMeeting, ScoringAloneWritesNoRecordAndFirstPlaceBelowOneIsStoredBack)
{
    ctx.state.runMode = "INSERT";
    ctx.state.keypadsStartFrom = 0;
    EXPECT_EQ(CalculateScores(ctx, quizList).ranking.size(), 8u);
    EXPECT_FALSE(fs::exists(folder.path() / "quiz.txt"));
    EXPECT_EQ(ctx.state.keypadsStartFrom, 1);
}

TEST_F(DemoMeeting, ReadOnlyQuizTxtStillShowsTheScores)
{
    const auto path = folder.write("quiz.txt", "kept\r\n");
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const ScoringRun run = scoreAndRecord();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, folder.str() + "/quiz.txt is read only - not saving results");
    EXPECT_EQ(folder.read("quiz.txt"), "kept\r\n");
    EXPECT_EQ(run.rows.rows[0].scoreText, "4 points");
}

TEST_F(DemoMeeting, MissingVotesEndTheRunWithAMessage)
{
    EXPECT_THROW(CalculateScores(ctx, quizList, VoteRecords{}), RunEnded); // preloaded records
    fs::remove(folder.path() / "votes.rec");
    EXPECT_THROW(CalculateScores(ctx, quizList), RunEnded);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const auto &m : dialogs.messages)
        EXPECT_EQ(m.text, "Could not find voting results");
    EXPECT_FALSE(fs::exists(folder.path() / "quiz.txt"));
}

} // namespace
} // namespace quiz

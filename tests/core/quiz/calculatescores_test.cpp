#include "core/quiz/calculatescores.h"
#include "core/quiz/quizfile.h"
#include "core/startup/workingfiles.h"
#include "fakes/fakerun.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

// The demo's quiz scored as the display takes it. Its quiz.txt record, a
// read-only quiz.txt and a missing votes.rec are the display-record scenario's
// (tests/data/e2e); what a run of the program cannot reach is checked here.
TEST(CalculateScores, RanksTheDemoIntoRowsOfTheParticipantsNames)
{
    test::TestFolder folder;
    test::FakeRun run;
    QuizState &state = run.ctx.state;
    fs::copy(QUIZ_DEMO_DIR, folder.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    state.dataFolder = folder.str();
    std::vector<std::string> quiz = ReadQuizSetupInto(state, folder.str() + "/quiz.quz");
    LoadValidKeypads(state,
                     folder.write("valid.kpd", "\"10011111\"\r\n").string()); // keypads 2 and 3 not valid
    state.participants = {{"Bob", 4, 1}, {"Ann", 2, 1}, {"end", 0, 0}};
    state.keypadsStartFrom = 0;
    quiz.insert(quiz.begin() + 1, "gone.tlx"); // gone since the quiz was read: skipped

    const ScoringRun scored = CalculateScores(run.ctx, quiz);
    // Keypads 1, 2, 4 and 6 have all four right: the quicker first (4: 5 s, 2: 10.5 s,
    // 1: 10.7 s, 6: 14.8 s), then 8 before 7 (4.8 s against 5 s) for the fifth place.
    std::string shown;
    for (const DisplayRow &row : scored.rows.rows)
        shown += *row.nameText + ":" + *row.scoreText + (row.hideName ? " hidden" : "") + "; ";
    EXPECT_EQ(shown, "Bob:4 points; Ann:4 points; 1:4 points; 6:4 points; 8:2 points; ");
    EXPECT_EQ(state.keypadsStartFrom, 1); // a first place below one is stored back as one
    // Every keypad of the last question's answer string "1;3;2;3;-;3;1;4;" counts as valid.
    EXPECT_EQ(state.validKeypads, std::vector<int>(17, 1));
    EXPECT_TRUE(run.dialogs.messages.empty());

    // Without votes.rec (the display, which loads the records beforehand, is display-record's scenario).
    std::filesystem::remove(folder.path() / "votes.rec");
    EXPECT_EQ(test::runEndCode([&] { CalculateScores(run.ctx, quiz); }), 0);
    EXPECT_EQ(run.dialogs.said(0), "talvix Quiz|Could not find voting results|none|ok");
}

} // namespace
} // namespace quiz

// The save loop of the set-up screens and the votes on
// offer from quizslds.txt, on a temporary folder.

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/setup/quizsave.h"
#include "core/setup/votesource.h"
#include "fakes/fakedialogs.h"
#include "fakes/fakerun.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using SaveLoop = test::RowTest;

TEST_P(SaveLoop, AsksUntilANameFitsAndAnExistingFileIsReplacedOnlyWhenConfirmed)
{
    const test::Row &r = GetParam();
    test::TestFolder folder;
    for (const std::string &name : r.list(0, ';'))
        folder.write(name, "x");
    QuizSaveRequest request;
    request.dataFolder = request.presentationFolder = folder.str();
    request.presetName = "quiz.quz";
    request.currentQuizPath = r[1].empty() ? "" : folder.str() + "/" + r[1];
    request.askForCurrentFile = r.flag(2);
    test::FakeDialogs dialogs;
    for (const std::string &typed : r.list(3, ';'))
        dialogs.textAnswers.push_back(typed == "cancel"  ? std::nullopt
                                      : typed == "empty" ? std::optional<std::string>("")
                                                         : std::optional(typed));
    for (const std::string &answer : r.list(4, ';'))
        dialogs.messageAnswers.push_back(answer == "Yes" ? MessageAnswer::Yes : MessageAnswer::No);
    std::string presets, shown;
    const auto path = ChooseQuizFilePath(request, dialogs, [&](const std::string &preset) {
        presets += (presets.empty() ? "" : ";") + preset;
        return dialogs.saveFile(kSaveDialogTitle, preset, kQuizFilePattern);
    });
    for (const auto &m : dialogs.messages)
        shown += (shown.empty() ? "" : ";") + m.title + ": " + replaceAll(m.text, folder.str(), "{folder}");
    EXPECT_EQ(path ? path->substr(folder.str().size() + 1) : "none", r[5]);
    EXPECT_EQ(presets, r[6]);
    EXPECT_EQ(shown, r[7]);
}
QUIZ_ROWS(SaveLoop, "setup/saveloop.rows");

struct VoteSource : ::testing::Test, test::FakeRun {
    VoteSource()
    {
        ctx.state.dataFolder = folder.str();
        ctx.state.addinFolder = folder.str() + "/";
        // q1 has a correct answer, q2 (question type 7) none.
        const std::string q1 = *readTextFile(std::string(QUIZ_DEMO_DIR) + "/q1.tlx");
        folder.write("q1.tlx", q1);
        folder.write("q2.tlx", "2,4,7," + q1.substr(6));
    }
    test::TestFolder folder;
};

TEST_F(VoteSource, OffersOnlyVotesWithACorrectAnswer)
{
    folder.write("quizslds.txt", "\"q1.tlx\"\r\n\"\"\r\n\"q2.tlx\"\r\n\"Q1.TLX\"\r\n");
    EXPECT_EQ(AddVotesToList(ctx), (VoteList{"q1.tlx", "Q1.TLX"}));
    EXPECT_TRUE(host.macros.empty());
    EXPECT_EQ(WizardVotes(ctx, {"q1.tlx"}), VoteList{});
}

TEST_F(VoteSource, MissingOrEmptyListEndsTheRun)
{
    ctx.state.onFinishChoice = 0;
    EXPECT_THROW(AddVotesToList(ctx), RunEnded);
    EXPECT_EQ(host.macros, std::vector<std::string>{"FindVoteSlides"});
    EXPECT_THROW(WizardVotes(ctx, {}), RunEnded);
    folder.write("quizslds.txt", "");
    ctx.state.modeWord = "DISPLAY";
    EXPECT_THROW(AddVotesToList(ctx), RunEnded); // silently
    ctx.state.modeWord = "INSERT";
    EXPECT_THROW(AddVotesToList(ctx), RunEnded);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "QuizInsertComplete.txt"));
    const std::string missing = "Could not find " + folder.str() + "/quizslds.txt";
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0].text + dialogs.messages[1].text + dialogs.messages[2].text,
              missing + missing + "No voting slides in show!");
}

} // namespace
} // namespace quiz

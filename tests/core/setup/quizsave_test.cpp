// The save loop of the set-up screens, the names it makes, and the votes on
// offer from quizslds.txt, on a temporary folder.

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/setup/quizsave.h"
#include "core/setup/votesource.h"
#include "fakes/fakedialogs.h"
#include "fakes/fakerun.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(QuizPath, NamesAndFolders)
{
    EXPECT_EQ(ListedQuizName("quiz1.quz"), "quiz1");
    EXPECT_EQ(FileNamePart("/a/b/q.quz"), "q.quz");
    EXPECT_TRUE(LiesInFolder("/Shows/q.quz", "/shows/"));
    EXPECT_FALSE(LiesInFolder("/shows/sub/q.quz", "/shows"));
}

struct SaveLoop : ::testing::Test {
    SaveLoop()
    {
        request.dataFolder = request.presentationFolder = folder.str();
        request.presetName = "quiz.quz";
    }
    std::optional<std::string> choose()
    {
        return ChooseQuizFilePath(request, dialogs, [this](const std::string &preset) {
            presets.push_back(preset);
            return dialogs.saveFile(kSaveDialogTitle, preset, kQuizFilePattern);
        });
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto &m : dialogs.messages)
            out.push_back(m.text + " | " + m.title);
        return out;
    }
    test::TestFolder folder;
    test::FakeDialogs dialogs;
    QuizSaveRequest request;
    std::vector<std::string> presets;
};

TEST_F(SaveLoop, BadNamesAndOtherFoldersAskAgain)
{
    dialogs.textAnswers = {"a,b", "/elsewhere/q", "quiz2"};
    EXPECT_EQ(choose(), folder.str() + "/quiz2.quz");
    EXPECT_EQ(presets, (std::vector<std::string>{"quiz.quz", "a,b", "/elsewhere/q"}));
    EXPECT_EQ(texts(),
              (std::vector<std::string>{
                  "Filename may not contain , | talvix matrix",
                  "You must save the quiz setup file in the same directory as the current PowerPoint "
                  "presentation | talvix Individual Quiz Setup"}));
    dialogs.textAnswers = {std::nullopt}; // cancelled or an empty name: nothing saved
    EXPECT_EQ(choose(), std::nullopt);
    dialogs.textAnswers = {""};
    EXPECT_EQ(choose(), std::nullopt);
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(SaveLoop, AnExistingFileIsReplacedOnlyWhenConfirmed)
{
    folder.write("old.quz", "x");
    folder.write("quiz.quz", "x");
    request.currentQuizPath = folder.str() + "/quiz.quz";
    dialogs.textAnswers = {"old", "OLD", "quiz"};
    dialogs.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(choose(), folder.str() + "/OLD.quz"); // the file of another case goes on Yes
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "old.quz"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(texts()[0], "Replace the existing file " + folder.str() + "/old.quz | Confirm file replace");

    // The form's own quiz file is saved over without asking; the wizard asks.
    dialogs.messages.clear();
    dialogs.textAnswers = {"quiz"};
    EXPECT_EQ(choose(), folder.str() + "/quiz.quz");
    request.askForCurrentFile = true;
    dialogs.textAnswers = {"quiz"};
    choose();
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

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

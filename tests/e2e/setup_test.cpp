// SETUP and WIZARD of the real program on a copy of the demo: driven by a UI
// script with scripted dialogs, and without a screen or a script.

#include "core/quiz/quizfile.h"
#include "core/quiz/recordingsetupform.h"
#include "support/quizrunner.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace
{

using quiz::test::dialogField;
using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

// The controller stand-in may log a moment after the program has ended.
bool controllerLogged(const QuizRunner &runner, const std::string &command)
{
    for (int i = 0; i < 60; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
        const auto log = runner.controllerLog();
        if (std::find(log.begin(), log.end(), command) != log.end())
            return true;
    }
    return false;
}

QuizRunResult runScript(QuizRunner &runner, const std::string &mode, const std::string &script,
                        const std::vector<std::string> &answers)
{
    runner.folder().write("drive.txt", script);
    runner.setEnv("TALVIX_UI_SCRIPT", runner.dataPath("drive.txt"));
    runner.setEnv("TALVIX_UI_SCRIPT_TIMEOUT", "5000");
    return runner.run({mode}, answers);
}

TEST(SetupScripted, TwoVotesThreePlacesLaidOutAndSavedForTheSlide)
{
    QuizRunner runner;
    // All four quiz votes back to the available list, then q3 by the button
    // and q1 by a double click; three places need "Set display" before
    // saving; a folder outside the show's is refused.
    const QuizRunResult r =
        runScript(runner, "SETUP",
                  "dblclick QuizForm/List2 q1.tlx\ndblclick QuizForm/List2 q2.tlx\n"
                  "dblclick QuizForm/List2 q3.tlx\ndblclick QuizForm/List2 q4.tlx\n"
                  "click QuizForm/List1 q3.tlx\nclick QuizForm/Command1(0)\n"
                  "dblclick QuizForm/List1 q1.tlx\nselect QuizForm/SSTab1 Live display\n"
                  "text QuizForm/Text1 3\nclick QuizForm/Command2(1)\n"
                  "click QuizForm/Command2(0)\nclose FrmTChartSetup\nclick QuizForm/Command2(1)\n",
                  {"OK", "file:/elsewhere/quiz2", "OK", "file:quiz2"});
    ASSERT_TRUE(r.finished) << r.err;
    EXPECT_EQ(r.exitCode, 0) << r.err << runner.folder().read("drive.txt.log");
    ASSERT_EQ(r.dialogLog.size(), 4u) << r.err;
    EXPECT_EQ(dialogField(r.dialogLog[0], "text"), "Set display before saving");
    EXPECT_EQ(dialogField(r.dialogLog[1], "title"), "Save As...");
    EXPECT_EQ(dialogField(r.dialogLog[1], "default"), "quiz.quz");
    EXPECT_EQ(dialogField(r.dialogLog[2], "title"), "talvix Individual Quiz Setup");

    quiz::QuizState state;
    state.dataFolder = runner.folder().str();
    quiz::RecordingSetupForm readBack;
    quiz::ReadQuizSetup(state, runner.dataPath("quiz2.quz"), &readBack);
    EXPECT_EQ(readBack.quiz, (std::vector<std::string>{"q3.tlx", "q1.tlx"}));
    EXPECT_EQ(state.displayCount, 3);
    EXPECT_NE(state.annotationPositions[2][0], (quiz::PointD{-1, -1})); // the editor's layout
    QStringList macros;
    for (const auto &macro : runner.host()["macros"].toArray())
        macros << macro.toObject()["name"].toString();
    EXPECT_EQ(macros, (QStringList{"StartShowEdit", "EndShowEdit", "AddVoteToSlide"}));
    EXPECT_NE(runner.hostJson().find("quiz2.quz,DISPLAY\""), std::string::npos);
    for (const auto &window : runner.host()["windows"].toArray())
        EXPECT_TRUE(window.toObject()["enabled"].toBool(true));
}

TEST(SetupScripted, TheProgramsOwnSaveDialogNamesTheFile)
{
    QuizRunner runner;
    runner.setEnv("TALVIX_DIALOGS", ""); // the program's own dialogs
    const QuizRunResult r = runScript(runner, "SETUP",
                                      "click QuizForm/Command2(1)\nclick common_save/file_CurDir quiz.quz\n"
                                      "text common_save/txt_filename quiz3\nclick common_save/OKButton\n",
                                      {});
    ASSERT_TRUE(r.finished) << r.err;
    EXPECT_EQ(r.exitCode, 0) << r.err << runner.folder().read("drive.txt.log");
    EXPECT_TRUE(std::filesystem::exists(runner.dataPath("quiz3.quz")));
    EXPECT_NE(runner.hostJson().find("quiz3.quz,DISPLAY\""), std::string::npos);
}

TEST(SetupScripted, WizardListsWhyItIsNotReadyAndSaysEndWizardOnUnload)
{
    QuizRunner runner;
    const QuizRunResult r =
        runScript(runner, "WIZARD", "click QuizWizard/cmd_main(0)\nclose QuizWizard\n", {"OK"});
    ASSERT_TRUE(r.finished) << r.err;
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_EQ(dialogField(r.dialogLog[0], "text"),
              "You need to set the display layout\r\nYou need to add some votes to the quiz");
    EXPECT_EQ(dialogField(r.dialogLog[0], "title"), "talvixwizard");
    EXPECT_TRUE(controllerLogged(runner, "EndWizard"));
}

TEST(SetupWithoutAScreen, TheWindowLeavesItsPictureAndIsCancelled)
{
    for (const char *mode : {"SETUP", "WIZARD"}) {
        QuizRunner runner;
        const QuizRunResult r = runner.run({mode});
        const std::string picture =
            runner.dataPath(mode == std::string("SETUP") ? "QuizForm.png" : "QuizWizard.png");
        ASSERT_TRUE(r.finished) << mode;
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, picture + "\n");
        EXPECT_GT(std::filesystem::file_size(picture), 0u);
        const auto log = runner.controllerLog();
        EXPECT_TRUE(std::none_of(log.begin(), log.end(),
                                 [](const std::string &l) { return l.rfind("NextSlide", 0) == 0; }));
    }
}

} // namespace

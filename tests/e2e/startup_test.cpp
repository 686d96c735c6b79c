// Start-up of the real program on a copy of the demo presentation folder.

#include "support/quizrunner.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace
{

bool has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

bool anyLineHas(const std::vector<std::string> &lines, const std::string &part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string &l) { return has(l, part); });
}

void stopShow(QJsonObject &root)
{
    QJsonObject show = root["slideShow"].toObject();
    show["running"] = false;
    root["slideShow"] = show;
}

void expectAllWindowsEnabled(const QuizRunner &runner)
{
    const QJsonArray windows = runner.host()["windows"].toArray();
    ASSERT_FALSE(windows.isEmpty());
    for (const auto &w : windows)
        EXPECT_TRUE(w.toObject()["enabled"].toBool(true)) << w.toObject()["title"].toString().toStdString();
}

class Startup : public ::testing::Test
{
  protected:
    void SetUp() override { runner.setEnv("TALVIX_TRACE", "1"); }
    QuizRunner runner;
};

} // namespace

TEST_F(Startup, EndsSilentlyWithoutAWindowAPresentationASavedOneOrAKnownMode)
{
    const auto noWindow = [](QJsonObject &root) {
        root["windows"] = QJsonArray();
        stopShow(root);
    };
    const auto noPresentation = [](QJsonObject &root) { root["activePresentation"] = -1; };
    const auto neverSaved = [](QJsonObject &root) {
        QJsonArray presentations = root["presentations"].toArray();
        QJsonObject first = presentations[0].toObject();
        first["path"] = "";
        presentations[0] = first;
        root["presentations"] = presentations;
    };
    struct Case {
        std::function<void(QJsonObject &)> edit;
        const char *command, *trace;
    } cases[] = {
        {noWindow, "quiz.quz,SETUP", "no presentation program window"},
        {noPresentation, "SETUP", "no presentation is open"},
        {neverSaved, "SETUP", "never saved"},
        {nullptr, "quiz.quz,FOO", "unknown mode"},
        {nullptr, "quiz.quz,SETUP5", "unknown mode"},
        {nullptr, "quiz.quz,SETUPX", "unknown mode"},
    };
    const std::string demoHost = runner.hostJson();
    for (const auto &c : cases) {
        runner.setHostJson(demoHost);
        if (c.edit)
            runner.editHost(c.edit);
        const QuizRunResult r = runner.run({c.command});
        ASSERT_TRUE(r.finished) << c.command;
        EXPECT_EQ(r.exitCode, 0) << c.command;
        EXPECT_TRUE(r.dialogLog.empty()) << c.command;
        EXPECT_TRUE(has(r.err, c.trace)) << c.command << ": " << r.err;
        EXPECT_FALSE(has(r.err, "quiz: mode")) << r.err;
    }
}

TEST_F(Startup, TellsTheUserWhenTheControllerIsNotInstalled)
{
    std::filesystem::remove(runner.dataPath("addin/tlxctrl"));
    const QuizRunResult r = runner.run({"quiz.quz,SETUP"});
    ASSERT_TRUE(r.finished);
    EXPECT_NE(r.exitCode, 0);
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_TRUE(has(r.dialogLog[0], R"("text":"The talvix controller is not installed.")")) << r.dialogLog[0];
    EXPECT_TRUE(has(r.dialogLog[0], R"("title":"talvix")")) << r.dialogLog[0];
    EXPECT_TRUE(has(r.dialogLog[0], R"("icon":"critical")")) << r.dialogLog[0];
    EXPECT_FALSE(has(r.err, "quiz: mode")) << r.err;
}

TEST_F(Startup, StartsTheControllerFromTheAddinFolder)
{
    const QuizRunResult r = runner.run({"quiz.quz,FOO"});
    ASSERT_TRUE(r.finished);
    const auto log = runner.controllerLog();
    // The controller ran: it was started and is there to be asked.
    EXPECT_TRUE(std::filesystem::exists(runner.dataPath("controller.sock")) || !log.empty());
}

TEST_F(Startup, ShortFormsPickTheModeAndTheQuizFile)
{
    struct Case {
        const char *command;
        const char *trace;
    } cases[] = {
        {"SETUP", R"(quiz: mode SETUP, quiz file "quiz.quz")"},
        {",SETUP", R"(quiz: mode SETUP, quiz file "")"},
        {"other.quz,SETUP", R"(quiz: mode SETUP, quiz file "other.quz")"},
        {"quiz.quz,make", R"(quiz: mode PRINT, quiz file "quiz.quz")"},
        {"DISPLAY", R"(quiz: mode DISPLAY, quiz file "quiz.quz")"},
        {"DISPLAY,5", R"(quiz: mode DISPLAY, quiz file "quiz.quz")"},
    };
    for (const auto &c : cases) {
        const QuizRunResult r = runner.run({c.command}, {"text:print "});
        ASSERT_TRUE(r.finished) << c.command;
        EXPECT_TRUE(has(r.err, c.trace)) << c.command << ":\n" << r.err;
    }
}

TEST_F(Startup, DebugModeAsksForTheModeWithItsOwnBox)
{
    const QuizRunResult r = runner.run({"quiz.quz,MAKE"}, {"text:partsetup "});
    ASSERT_TRUE(r.finished);
    ASSERT_FALSE(r.dialogLog.empty());
    EXPECT_TRUE(has(r.dialogLog[0], R"("kind":"input")")) << r.dialogLog[0];
    EXPECT_TRUE(has(r.dialogLog[0], R"("title":"Debug mode")")) << r.dialogLog[0];
    EXPECT_TRUE(has(r.dialogLog[0],
                    R"("text":"What type? Setup, Display, Insert, Export, ResultsTable, Print, PartSetup")"))
        << r.dialogLog[0];
    EXPECT_TRUE(has(r.dialogLog[0], R"("default":"ResultsTable")")) << r.dialogLog[0];
    // Only the exact word PARTSETUP runs that mode: the blank ends the run.
    EXPECT_TRUE(has(r.err, "unknown mode")) << r.err;
}

TEST_F(Startup, DisplayEndsWithoutNextSlideWhenTheShowMovedToAnotherSlide)
{
    const int showing = runner.host()["slideShow"].toObject()["slide"].toInt();
    const std::string command = "quiz.quz,DISPLAY,SLIDE" + std::to_string(showing + 1);
    const QuizRunResult r = runner.run({command});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.dialogLog.empty());
    EXPECT_FALSE(has(r.err, "quiz: mode")) << r.err;
    EXPECT_FALSE(anyLineHas(runner.controllerLog(), "NextSlide")) << r.err;
}

TEST_F(Startup, DisplayWithoutASlideShowSaysSoAndGivesThePresentationProgramBack)
{
    runner.editHost(stopShow);
    const QuizRunResult r = runner.run({"quiz.quz,DISPLAY,SLIDE5"});
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_TRUE(has(r.dialogLog[0], R"("text":"Slide Show not running")")) << r.dialogLog[0];
    EXPECT_TRUE(has(r.dialogLog[0], R"("title":"talvix Quiz")")) << r.dialogLog[0];
    EXPECT_TRUE(has(r.dialogLog[0], R"("icon":"exclamation")")) << r.dialogLog[0];
    expectAllWindowsEnabled(runner);
}

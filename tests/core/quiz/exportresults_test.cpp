#include "batchfakes.h"
#include "fakes/controllerfakes.h"
#include "fakes/fakeprogress.h"

#include "core/common/runend.h"
#include "core/quiz/exportresults.h"
#include "core/startup/runcontext.h"

#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

const ErrorTime kNow{2026, 12, 5, 20, 30, 7};

std::string quizFile(const std::vector<std::string> &entries)
{
    std::string text = std::to_string(entries.size()) + "\r\n";
    for (const auto &e : entries)
        text += "\"" + e + "\"\r\n";
    return text;
}

class Export : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        folder.write("r1.quz", quizFile({"q1.tlx", "q2.tlx"}));
        folder.write("r2.quz", quizFile({"q3.tlx"}));
        folder.write("q1.tlx", test::questionFile("2", "0,1,3,1,1,1,1,1,1,1,1"));
        folder.write("q2.tlx", test::questionFile("1"));
        folder.write("q3.tlx", test::questionFile("x"));
        folder.write("votes.rec", "C:\\S\\q1.tlx,1,3,213,05/12/2026,20:10:31\r\n"
                                  "C:\\S\\q2.tlx,2,3,\"1;1;2;\",05/12/2026,20:11:02\r\n"
                                  "C:\\S\\q3.tlx,3,4,\"10;3;10;10;\",05/12/2026,20:12:02\r\n");
        host.addSlide({{"Title 1", ""}, {"quiz", "C:\\Talvix\\Quiz.exe r1.quz,DISPLAY"}});
        host.addSlide({{"QUIZ", "/opt/talvix/quiz r2.quz,DISPLAY"}});
        windows.add(1, "Microsoft PowerPoint - [show.pptx]");

        ctx.state.dataFolder = folder.str();
        ctx.state.participants = {{"Ann", 1, 1}, {"", 0, 0}};
        ctx.host = &host;
        ctx.windows = &windows;
        ctx.dialogs = &dialogs;
        ctx.pump = &pump;
        ctx.progress = &progress;
        hooks.clock = [] { return kNow; };
        hooks.errorLogPath = folder.str() + "/Err - quiz.log";
        hooks.showProgressWindow = [this] { events.push_back("show progress"); };
        hooks.hideProgressWindow = [this] { events.push_back("hide progress"); };
        hooks.setBusyCursor = [this](bool on) { events.push_back(on ? "busy" : "not busy"); };
    }

    RunEnded run()
    {
        try {
            exportQuizResults(ctx, writer, hooks);
        } catch (const RunEnded &end) {
            return end;
        }
        ADD_FAILURE() << "the export returned";
        return {};
    }

    bool windowsEnabledAgain() const
    {
        return std::find(windows.calls.begin(), windows.calls.end(), "enable 1 1") != windows.calls.end();
    }

    std::string errorLog() const
    {
        std::ifstream in(hooks.errorLogPath, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    test::TestFolder folder;
    test::SlidesHost host;
    test::FakeWindowSystem windows;
    test::FakeDialogs dialogs;
    test::FakePump pump;
    test::FakeProgress progress;
    test::MemoryWriter writer;
    ExportWindowHooks hooks;
    std::vector<std::string> events;
    RunContext ctx;
};

TEST(DefaultQuizResultsFileName, DateTimeThenQuizResults)
{
    EXPECT_EQ(defaultQuizResultsFileName("/shows/night", kNow),
              "/shows/night/2026-12-05 20-30-07 - Quiz Results.xls");
    EXPECT_EQ(defaultQuizResultsFileName("/", ErrorTime{2027, 1, 2, 3, 4, 5}),
              "/2027-01-02 03-04-05 - Quiz Results.xls");
}

TEST_F(Export, WritesEveryRoundAndSaysSo)
{
    const std::string target = folder.str() + "/results.xls";
    dialogs.textAnswers.push_back(target);
    const RunEnded end = run();
    EXPECT_EQ(end.exitCode, 0) << end.reason;

    EXPECT_EQ(dialogs.kinds, (std::vector<std::string>{"save", "message"}));
    EXPECT_EQ(dialogs.prompts[0], "Please choose a name for the results file");
    EXPECT_EQ(dialogs.saveDefault, folder.str() + "/2026-12-05 20-30-07 - Quiz Results.xls");
    EXPECT_EQ(dialogs.saveFilter, "XLS files (*.xls)|*.xls");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Individual Quiz results successfully exported to " + target);
    EXPECT_EQ(dialogs.messages[0].title, "talvix Individaul Quiz Export");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);

    ASSERT_TRUE(writer.book);
    EXPECT_EQ(writer.path, target);
    const Sheet &sheet = writer.book->sheet(0);
    EXPECT_EQ(sheet.displayText(1, 4), "Round 1");
    EXPECT_EQ(sheet.displayText(2, 4), "r1.quz");
    EXPECT_EQ(sheet.displayText(3, 4), "q1.tlx");
    EXPECT_EQ(sheet.displayText(4, 4), "2 (3)"); // weight of option 2 from the question file
    EXPECT_EQ(sheet.displayText(5, 4), "1");     // option 1 weighs 1 but is wrong
    EXPECT_EQ(sheet.displayText(4, 5), "1 (1)");
    EXPECT_EQ(sheet.displayText(1, 8), "Round 2");
    EXPECT_EQ(sheet.displayText(2, 8), "r2.quz");
    EXPECT_EQ(sheet.displayText(4, 8), "10 (1)");
    // Totals: keypad 1 right three times (3 + 1 + 1), keypad 4 only in round 2.
    EXPECT_EQ(sheet.displayText(4, 1), "Ann");
    EXPECT_EQ(sheet.displayText(4, 2), "3");
    EXPECT_EQ(sheet.displayText(4, 3), "5");
    EXPECT_EQ(sheet.displayText(7, 1), "4");
    EXPECT_EQ(sheet.displayText(7, 2), "1");

    EXPECT_EQ(events, (std::vector<std::string>{"show progress", "busy", "hide progress", "not busy"}));
    EXPECT_EQ(progress.setUps, std::vector<float>{2});
    EXPECT_EQ(progress.steps, 2);
    EXPECT_GE(pump.yields, 3 + 2); // at least once per shape and once per round
    EXPECT_TRUE(windowsEnabledAgain());
}

TEST_F(Export, NoQuizShapesSaysSoBeforeAnyDialog)
{
    host.slides.clear();
    host.addSlide({{"VOTE", "C:\\Talvix\\vote.exe q1.tlx,1"}});
    const RunEnded end = run();
    EXPECT_EQ(end.exitCode, 1);
    EXPECT_EQ(dialogs.kinds, std::vector<std::string>{"message"});
    EXPECT_EQ(dialogs.messages[0].text, "There are no quiz slides in this presentation.\r\n"
                                        "Please export results using \r\n"
                                        "talvix/Voting Results/Show Results Table");
    EXPECT_EQ(dialogs.messages[0].title, "Quiz");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(writer.book);
    EXPECT_TRUE(windowsEnabledAgain());
}

TEST_F(Export, MissingVotesRecStopsBeforeTheSaveDialog)
{
    fs::remove(folder.path() / "votes.rec");
    const RunEnded end = run();
    EXPECT_EQ(end.exitCode, 1);
    EXPECT_EQ(dialogs.kinds, std::vector<std::string>{"message"});
    EXPECT_EQ(dialogs.messages[0].text, "Could not find " + folder.str() + "/votes.rec");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(writer.book);
}

TEST_F(Export, CancellingTheSaveDialogEndsQuietly)
{
    const RunEnded end = run();
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(dialogs.kinds, std::vector<std::string>{"save"});
    EXPECT_FALSE(writer.book);
    EXPECT_EQ(std::count(events.begin(), events.end(), "busy"), 0);
    EXPECT_TRUE(windowsEnabledAgain());
}

TEST_F(Export, AnExistingFileIsReplacedOnlyWhenTheUserSaysYes)
{
    const std::string target = folder.write("old.xls", "keep me").string();
    dialogs.textAnswers.push_back(target);
    dialogs.messageAnswers.push_back(MessageAnswer::No);
    EXPECT_EQ(run().exitCode, 0);
    EXPECT_EQ(dialogs.kinds, (std::vector<std::string>{"save", "message"}));
    EXPECT_EQ(dialogs.messages[0].text, target + " already exists.\r\n\r\nDo you want to overwrite it?");
    EXPECT_EQ(dialogs.messages[0].title, "Confirm File Replace");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_FALSE(writer.book);

    dialogs.textAnswers.push_back(target);
    dialogs.messageAnswers.push_back(MessageAnswer::Yes);
    EXPECT_EQ(run().exitCode, 0);
    EXPECT_TRUE(writer.book);
    EXPECT_EQ(dialogs.messages.back().title, "talvix Individaul Quiz Export");
}

TEST_F(Export, TwoQuizShapesOnOneSlideAreTwoRoundsInShapeOrder)
{
    host.slides.clear();
    host.addSlide({{"QUIZ", "quiz r2.quz,DISPLAY"}, {"Quiz", "quiz r1.quz,DISPLAY"}});
    dialogs.textAnswers.push_back(folder.str() + "/two.xls");
    EXPECT_EQ(run().exitCode, 0);
    ASSERT_TRUE(writer.book);
    const Sheet &sheet = writer.book->sheet(0);
    EXPECT_EQ(sheet.displayText(2, 4), "r2.quz");
    EXPECT_EQ(sheet.displayText(1, 7), "Round 2");
    EXPECT_EQ(sheet.displayText(2, 7), "r1.quz");
}

TEST_F(Export, AFailingSaveIsLoggedNotShown)
{
    dialogs.textAnswers.push_back(folder.str() + "/results.xls");
    writer.failWith = "cannot write in /nowhere";
    const RunEnded end = run();
    EXPECT_EQ(end.exitCode, 1);
    EXPECT_EQ(dialogs.kinds, std::vector<std::string>{"save"}); // no message
    const std::string log = errorLog();
    for (const char *line : {"Number: 75\r\n", "Description: cannot write in /nowhere\r\n", "Level: Quiz\r\n",
                             "Module: exportQuizResults\r\n", "Line: 11\r\n", "Date: 05-Dec-2026\r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << log;
    EXPECT_TRUE(windowsEnabledAgain());
}

TEST_F(Export, AFailingPresentationProgramIsLoggedWithItsNumber)
{
    host.failOnSlides = true;
    const RunEnded end = run();
    EXPECT_EQ(end.exitCode, 1);
    EXPECT_TRUE(dialogs.kinds.empty());
    const std::string log = errorLog();
    EXPECT_NE(log.find("Number: -2147467259\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Line: 2\r\n"), std::string::npos) << log;
}

} // namespace
} // namespace quiz

#include "fakes/controllerfakes.h"
#include "fakes/fakeprinter.h"
#include "fakes/fakeworkbookwriter.h"
#include "fakes/presentationfakes.h"

#include "core/quiz/quizrounds.h"
#include "core/quiz/unattendeddialogs.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using RunStrings = test::RowTest;

TEST_P(RunStrings, GiveTheCommandWordsAndTheQuizFile)
{
    EXPECT_EQ(commandTextOfRunString(GetParam()[0]), GetParam()[1]);
    EXPECT_EQ(quizFileOfRunString(GetParam()[0]), GetParam()[2]);
}
QUIZ_ROWS(RunStrings, "quiz/runstrings.rows");

TEST(FindQuizRounds, EveryQuizShapeInSlideAndShapeOrderAnyCase)
{
    test::FakeHost host;
    host.addSlide({{"Title 1", ""}, {"VOTE", "C:\\Talvix\\vote.exe q1.tlx,1"}});
    host.addSlide(
        {{"QUIZ", "quiz b.quz,DISPLAY"}, {"Title 1", "quiz x.quz"}, {"quiz", "quiz a.quz,DISPLAY"}});
    host.addSlide({});
    host.addSlide({{"Quiz", "C:\\T\\Quiz.exe c.quz,DISPLAY,SLIDE4"}, {"QUIZ 2", "quiz d.quz"}});
    test::FakePump pump;
    EXPECT_EQ(FindQuizRounds(host, &pump), (std::vector<std::string>{"b.quz", "a.quz", "c.quz"}));
    EXPECT_EQ(pump.yields, 2 + 3 + 2); // once per shape
    EXPECT_TRUE(FindQuizRounds(host, nullptr).size() == 3);
}

TEST(FindQuizRounds, NoQuizShapesNoRounds)
{
    test::FakeHost host;
    host.addSlide({{"VOTE", "vote q1.tlx"}});
    EXPECT_TRUE(FindQuizRounds(host, nullptr).empty());
}

TEST(UnattendedDialogs, AnswersTheOutputFileAndTellsTheMessages)
{
    std::vector<std::string> notes;
    UnattendedDialogs dialogs("/out/r.xls", [&](const std::string &line) { notes.push_back(line); });
    EXPECT_EQ(dialogs.saveFile("t", "/data/x.xls", "XLS files (*.xls)|*.xls"),
              std::optional<std::string>("/out/r.xls"));
    const std::optional<PrintTarget> target = dialogs.print("Print");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->pdfPath, "/out/r.xls");
    EXPECT_EQ(target->printerName, "");
    EXPECT_EQ(dialogs.message("/out/r.xls already exists.\r\n\r\nDo you want to overwrite it?",
                              "Confirm File Replace", MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::Yes);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(
        dialogs.message("Done to\r\n/out/r.xls", "talvix", MessageIcon::Information, MessageButtons::Ok),
        MessageAnswer::Ok);
    EXPECT_EQ(notes, (std::vector<std::string>{"talvix: Done to /out/r.xls"}));
    EXPECT_FALSE(dialogs.input("p", "t", "d"));
    EXPECT_FALSE(dialogs.openFile("t", "", ""));
    EXPECT_FALSE(dialogs.font("t", FontChoice{}));
}

TEST(UnattendedOutputPath, RelativeNamesAreTakenFromTheStartFolder)
{
    EXPECT_EQ(unattendedOutputPath(nullptr, "/home/ann"), "");
    EXPECT_EQ(unattendedOutputPath("", "/home/ann"), "");
    EXPECT_EQ(unattendedOutputPath("/tmp/r.xls", "/home/ann"), "/tmp/r.xls");
    EXPECT_EQ(unattendedOutputPath("r.xls", "/home/ann"), "/home/ann/r.xls");
    EXPECT_EQ(unattendedOutputPath("out/r.pdf", "/home/ann/"), "/home/ann/out/r.pdf");
    EXPECT_EQ(unattendedOutputPath("r.xls", ""), "r.xls");
}

} // namespace
} // namespace quiz

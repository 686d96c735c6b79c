// EXPORT of the real program on a copy of the demo presentation folder; the
// workbook is read back from the file.

#include "support/quizrunner.h"
#include "xlsxreadback.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;
using quiz::test::ReadSheet;
using quiz::test::readWorkbook;

namespace
{

namespace fs = std::filesystem;

QJsonObject dialog(const std::string &line)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
}

std::string field(const std::string &line, const char *key)
{
    return dialog(line).value(QLatin1String(key)).toString().toStdString();
}

// A second quiz shape on the title slide: the demo's quiz becomes round 1 and
// again round 2, so that rounds follow one another and totals add up.
void addSecondRound(QuizRunner &runner)
{
    runner.editHost([](QJsonObject &root) {
        QJsonArray presentations = root["presentations"].toArray();
        QJsonObject presentation = presentations[0].toObject();
        QJsonArray slides = presentation["slides"].toArray();
        QJsonObject last = slides[slides.size() - 1].toObject();
        QJsonArray shapes = last["shapes"].toArray();
        shapes.append(
            QJsonObject{{"name", "Quiz"}, {"run", "quiz quiz.quz,DISPLAY"}, {"tags", QJsonObject{}}});
        last["shapes"] = shapes;
        slides[slides.size() - 1] = last;
        presentation["slides"] = slides;
        presentations[0] = presentation;
        root["presentations"] = presentations;
    });
}

const std::string kTeal = "FF33CCCC", kGrey = "FFC0C0C0", kSky = "FF00CCFF", kLime = "FF99CC00",
                  kWhite = "FFFFFFFF";

class ExportRun : public ::testing::Test
{
  protected:
    // A run of its own: another test's program running at the same time would
    // otherwise be replaced by this one as an earlier instance.
    void SetUp() override { runner.setEnv("XDG_RUNTIME_DIR", runner.folder().str()); }
    std::string target() const { return runner.dataPath("results.xls"); }
    QuizRunner runner;
};

TEST_F(ExportRun, WritesTheWorkbookWithItsCellsFillsAndBorders)
{
    addSecondRound(runner);
    const QuizRunResult r = runner.run({"EXPORT"}, {"file:" + target()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;

    ASSERT_EQ(r.dialogLog.size(), 2u) << r.err;
    EXPECT_EQ(field(r.dialogLog[0], "kind"), "save");
    EXPECT_EQ(field(r.dialogLog[0], "title"), "Please choose a name for the results file");
    EXPECT_TRUE(
        std::regex_search(field(r.dialogLog[0], "default"),
                          std::regex("/\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d - Quiz Results\\.xls$")))
        << r.dialogLog[0];
    EXPECT_EQ(field(r.dialogLog[1], "title"), "talvix Individaul Quiz Export");
    EXPECT_EQ(field(r.dialogLog[1], "text"), "Individual Quiz results successfully exported to " + target());
    EXPECT_EQ(field(r.dialogLog[1], "icon"), "information");

    const ReadSheet sheet = readWorkbook(target());
    ASSERT_EQ(sheet.error, "");
    // Headers.
    EXPECT_EQ(sheet.text("B1"), "Totals:");
    EXPECT_EQ(sheet.text("A3"), "Keypad / Name");
    EXPECT_EQ(sheet.text("B3"), "Raw Score");
    EXPECT_EQ(sheet.text("C3"), "Weighted Score");
    EXPECT_EQ(sheet.text("D1"), "Round 1");
    EXPECT_EQ(sheet.text("D2"), "quiz.quz");
    const char *votes[] = {"D3", "E3", "F3", "G3"};
    const char *names[] = {"q1.tlx", "q2.tlx", "q3.tlx", "q4.tlx"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(sheet.text(votes[i]), names[i]);
    EXPECT_EQ(sheet.text("H3"), "Raw Score");
    EXPECT_EQ(sheet.text("I3"), "Weighted Score");
    EXPECT_EQ(sheet.text("J1"), "Round 2");
    EXPECT_EQ(sheet.text("J3"), "q1.tlx");
    EXPECT_EQ(sheet.text("O3"), "Weighted Score");

    // Keypad 1 is right everywhere; keypad 5 did not vote (compact "X" shows "A").
    EXPECT_EQ(sheet.text("D4"), "4 (1)");
    EXPECT_EQ(sheet.text("F4"), "10 (1)");
    EXPECT_EQ(sheet.text("D5"), "2");
    EXPECT_TRUE(sheet.at("D5").isNumber);
    EXPECT_EQ(sheet.text("D8"), "A");
    EXPECT_EQ(sheet.text("E8"), "-");
    EXPECT_EQ(sheet.text("G5"), "3 (2)");
    EXPECT_EQ(sheet.text("H4"), "4");
    EXPECT_EQ(sheet.text("I5"), "4");
    EXPECT_EQ(sheet.text("A4"), "Alice Martin"); // names from the controller's list
    EXPECT_EQ(sheet.text("A11"), "Hugo Santos");
    EXPECT_EQ(sheet.text("A12"), "");
    EXPECT_EQ(sheet.text("B4"), "8"); // 4 + 4 over the two rounds
    EXPECT_EQ(sheet.text("C5"), "8");

    // Right answers bold and lime, wrong ones plain.
    EXPECT_TRUE(sheet.at("D4").bold);
    EXPECT_EQ(sheet.at("D4").fontColour, kLime);
    EXPECT_FALSE(sheet.at("D5").bold);
    EXPECT_EQ(sheet.at("D5").fontColour, "");

    // Fills.
    EXPECT_EQ(sheet.at("D1").fill, kTeal);
    EXPECT_EQ(sheet.at("D1").fontColour, kWhite);
    EXPECT_EQ(sheet.at("D5").fill, kGrey);
    EXPECT_EQ(sheet.at("H5").fill, kSky);
    EXPECT_EQ(sheet.at("A5").fill, kTeal);
    EXPECT_TRUE(sheet.at("A5").bold);
    EXPECT_EQ(sheet.at("B5").fill, kSky);
    EXPECT_EQ(sheet.at("A1").fill, kTeal);

    // Borders: medium around the blocks, dotted thin (dotted) inside.
    EXPECT_EQ(sheet.at("D1").borders.at("top"), "medium");
    EXPECT_EQ(sheet.at("D4").borders.at("left"), "medium");
    EXPECT_EQ(sheet.at("D4").borders.at("right"), "dotted");
    EXPECT_EQ(sheet.at("D4").borders.at("bottom"), "dotted");
    EXPECT_EQ(sheet.at("I4").borders.at("right"), "medium");
    EXPECT_EQ(sheet.at("I11").borders.at("bottom"), "medium");
    EXPECT_EQ(sheet.at("C11").borders.at("bottom"), "medium");

    // Turned vote names, row height, widths.
    EXPECT_EQ(sheet.at("D3").rotation, 90);
    EXPECT_EQ(sheet.at("D3").fontSize, 8);
    EXPECT_EQ(sheet.at("H3").rotation, 0);
    EXPECT_EQ(sheet.at("H3").horizontal, "center");
    EXPECT_TRUE(sheet.at("H3").wrap);
    EXPECT_EQ(sheet.rowHeights.at(3), 80.25);
    ASSERT_TRUE(sheet.columnWidths.count(1));
    EXPECT_EQ(sheet.columnWidths.at(1), sheet.columnWidths.at(3));
    EXPECT_FALSE(sheet.columnWidths.count(4));
}

TEST_F(ExportRun, CancellingTheSaveDialogWritesNothing)
{
    const QuizRunResult r = runner.run({"EXPORT"}, {"Cancel"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 1u);
    EXPECT_EQ(field(r.dialogLog[0], "kind"), "save");
    EXPECT_FALSE(fs::exists(target()));
}

TEST_F(ExportRun, AnExistingFileStaysWhenTheUserSaysNo)
{
    runner.folder().write("results.xls", "old");
    const QuizRunResult r = runner.run({"EXPORT"}, {"file:" + target(), "No"});
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.dialogLog.size(), 2u);
    EXPECT_EQ(field(r.dialogLog[1], "title"), "Confirm File Replace");
    EXPECT_EQ(field(r.dialogLog[1], "text"),
              target() + " already exists.\r\n\r\nDo you want to overwrite it?");
    EXPECT_EQ(field(r.dialogLog[1], "buttons"), "yesno");
    EXPECT_EQ(runner.folder().read("results.xls"), "old");
}

TEST_F(ExportRun, WithoutQuizShapesTheUserIsToldAndNothingIsAsked)
{
    runner.setHostJson(std::regex_replace(runner.hostJson(), std::regex("\"QUIZ\""), "\"Picture 3\""));
    const QuizRunResult r = runner.run({"EXPORT"}, {"file:" + target()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_EQ(field(r.dialogLog[0], "text"), "There are no quiz slides in this presentation.\r\n"
                                             "Please export results using \r\n"
                                             "talvix/Voting Results/Show Results Table");
    EXPECT_FALSE(fs::exists(target()));
}

TEST_F(ExportRun, WithoutVotesRecTheUserIsToldBeforeTheSaveDialog)
{
    fs::remove(runner.dataPath("votes.rec"));
    const QuizRunResult r = runner.run({"EXPORT"}, {"file:" + target()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_EQ(field(r.dialogLog[0], "kind"), "message");
    EXPECT_EQ(field(r.dialogLog[0], "text").rfind("Could not find ", 0), 0u);
    EXPECT_TRUE(field(r.dialogLog[0], "text").ends_with("/votes.rec"));
    EXPECT_FALSE(fs::exists(target()));
}

TEST_F(ExportRun, TalvixOutputExportsWithoutAnyDialog)
{
    runner.folder().write("results.xls", "old");
    runner.setEnv("TALVIX_OUTPUT", target());
    const QuizRunResult r = runner.run({"EXPORT"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.dialogLog.empty());
    EXPECT_NE(r.err.find("talvix Individaul Quiz Export: Individual Quiz results successfully exported to " +
                         target()),
              std::string::npos)
        << r.err;
    const ReadSheet sheet = readWorkbook(target());
    ASSERT_EQ(sheet.error, "");
    EXPECT_EQ(sheet.text("D4"), "4 (1)");
    EXPECT_EQ(sheet.text("B4"), "4");
}

} // namespace

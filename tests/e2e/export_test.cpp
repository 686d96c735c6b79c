// EXPORT of the real program on a copy of the demo presentation folder; the
// workbook is read back from the file.

#include "support/quizrunner.h"
#include "support/xlsxreadback.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>

using quiz::test::dialogField;
using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace
{

namespace fs = std::filesystem;

// A second quiz shape on the title slide: the demo's quiz becomes round 1 and
// again round 2, so that rounds follow one another and totals add up.
void addSecondRound(QJsonObject &root)
{
    QJsonArray presentations = root["presentations"].toArray();
    QJsonObject presentation = presentations[0].toObject();
    QJsonArray slides = presentation["slides"].toArray();
    QJsonObject last = slides[slides.size() - 1].toObject();
    QJsonArray shapes = last["shapes"].toArray();
    shapes.append(QJsonObject{{"name", "Quiz"}, {"run", "quiz quiz.quz,DISPLAY"}, {"tags", QJsonObject{}}});
    last["shapes"] = shapes;
    slides[slides.size() - 1] = last;
    presentation["slides"] = slides;
    presentations[0] = presentation;
    root["presentations"] = presentations;
}

class ExportRun : public ::testing::Test
{
  protected:
    std::string target() const { return runner.dataPath("results.xls"); }
    QuizRunner runner;
};

// The sheet's layout and formats are checked on the model; here the file must
// hold the model's texts, numbers and a sample of its formats.
TEST_F(ExportRun, WritesTheWorkbookWithItsCellsFillsAndBorders)
{
    runner.editHost(addSecondRound);
    const QuizRunResult r = runner.run({"EXPORT"}, {"file:" + target()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 2u) << r.err;
    EXPECT_EQ(dialogField(r.dialogLog[0], "title"), "Please choose a name for the results file");
    EXPECT_TRUE(std::regex_search(dialogField(r.dialogLog[0], "default"),
                                  std::regex("/\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d - Quiz Results\\.xls$")))
        << r.dialogLog[0];
    EXPECT_EQ(dialogField(r.dialogLog[1], "title"), "talvix Individaul Quiz Export");
    EXPECT_EQ(dialogField(r.dialogLog[1], "text"), "Individual Quiz results successfully exported to " + target());
    EXPECT_EQ(dialogField(r.dialogLog[1], "icon"), "information");

    const auto book = quiz::test::readXlsx(target());
    ASSERT_TRUE(book.ok) << book.error;
    ASSERT_EQ(book.sheets.size(), 1u);
    const auto &cells = book.sheets[0].cells;
    // Keypad 1 is right everywhere; keypad 5 did not vote (compact "X" shows
    // "A"); names come from the controller's list; totals add both rounds.
    const struct {
        const char *ref, *kind, *value;
    } texts[] = {
        {"B1", "s", "Totals:"}, {"D1", "s", "Round 1"},  {"D2", "s", "quiz.quz"}, {"G3", "s", "q4.tlx"},
        {"I3", "s", "Weighted Score"}, {"J1", "s", "Round 2"}, {"D4", "s", "4 (1)"}, {"F4", "s", "10 (1)"},
        {"D5", "n", "2"}, {"D8", "s", "A"}, {"E8", "s", "-"}, {"H4", "n", "4"},
        {"A4", "s", "Alice Martin"}, {"A11", "s", "Hugo Santos"}, {"B4", "n", "8"}, {"C5", "n", "8"},
    };
    for (const auto &t : texts) {
        ASSERT_TRUE(cells.count(t.ref)) << t.ref;
        EXPECT_EQ(cells.at(t.ref).kind, t.kind) << t.ref;
        EXPECT_EQ(cells.at(t.ref).value, t.value) << t.ref;
    }
    EXPECT_FALSE(cells.count("A12"));
    // Right answers bold lime; header teal, answers grey, scores sky blue.
    EXPECT_EQ(cells.at("D4").bold + cells.at("D4").fontColour, "199CC00");
    EXPECT_EQ(cells.at("D5").bold + cells.at("D5").fontColour, "0-");
    EXPECT_EQ(cells.at("D1").fill + cells.at("D1").fontColour, "33CCCCFFFFFF");
    EXPECT_EQ(cells.at("D5").fill, "C0C0C0");
    EXPECT_EQ(cells.at("H5").fill, "00CCFF");
    // Medium frames around the blocks, dotted lines inside; turned vote names.
    EXPECT_EQ(cells.at("D4").left, "medium/-");
    EXPECT_EQ(cells.at("D4").right, "dotted/-");
    EXPECT_EQ(cells.at("I11").bottom, "medium/-");
    EXPECT_EQ(cells.at("D3").rotation, "90");
    EXPECT_EQ(book.sheets[0].rowHeights.at(3), "80.25");
}

TEST_F(ExportRun, EveryWayOutWithoutAWorkbookLeavesTheTargetAlone)
{
    const std::string noVotes = "Could not find " + runner.dataPath("votes.rec");
    struct Case {
        const char *name;
        std::function<void()> setUp;
        std::vector<std::string> answers;
        int exitCode;
        size_t dialogs;
        std::string lastText;
    } cases[] = {
        {"cancelled", [] {}, {"Cancel"}, 0, 1, ""},
        {"no overwrite", [&] { runner.folder().write("results.xls", "old"); }, {"file:" + target(), "No"}, 0, 2,
         target() + " already exists.\r\n\r\nDo you want to overwrite it?"},
        {"no quiz shapes",
         [&] { runner.setHostJson(std::regex_replace(runner.hostJson(), std::regex("\"QUIZ\""), "\"Picture 3\"")); },
         {"file:" + target()}, 1, 1,
         "There are no quiz slides in this presentation.\r\nPlease export results using \r\n"
         "talvix/Voting Results/Show Results Table"},
        {"no votes.rec", [&] { fs::remove(runner.dataPath("votes.rec")); }, {"file:" + target()}, 1, 1, noVotes},
    };
    const std::string demoHost = runner.hostJson();
    for (const auto &c : cases) {
        runner.setHostJson(demoHost);
        fs::remove(target());
        c.setUp();
        const bool existed = fs::exists(target());
        const QuizRunResult r = runner.run({"EXPORT"}, c.answers);
        ASSERT_TRUE(r.finished) << c.name;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << ": " << r.err;
        ASSERT_EQ(r.dialogLog.size(), c.dialogs) << c.name << ": " << r.err;
        if (!c.lastText.empty()) {
            EXPECT_EQ(dialogField(r.dialogLog.back(), "text"), c.lastText) << c.name;
        }
        EXPECT_EQ(fs::exists(target()), existed) << c.name;
        if (existed) {
            EXPECT_EQ(runner.folder().read("results.xls"), "old");
        }
    }
}

TEST_F(ExportRun, TalvixOutputExportsOverAnExistingFileWithoutAnyDialog)
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
    const auto book = quiz::test::readXlsx(target());
    ASSERT_TRUE(book.ok) << book.error;
    EXPECT_EQ(book.sheets.at(0).cells.at("D4").value, "4 (1)");
    EXPECT_EQ(book.sheets.at(0).cells.at("B4").value, "4");
}

} // namespace

// The workbooks as another spreadsheet program reads them: a small meeting's
// EXPORT workbook and results workbook, written by the xlsx writer, converted
// to CSV by LibreOffice Calc without a screen (its own profile; the office is
// started and ended by its process id), and their cells compared with the
// values the rules give. Skipped only where the office is not installed.

#include "adapters/xlsx/xlsxworkbookwriter.h"
#include "core/quiz/quizresultssheet.h"
#include "core/results/resultsbuild.h"
#include "core/results/resultswithtext.h"
#include "core/results/resultsworkbook.h"
#include "support/childprocess.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quiz
{
namespace
{

const std::string office = "/usr/lib/libreoffice/program/soffice.bin";

// A CSV file's rows, quoted fields (with their line breaks) undone, the empty
// fields at the end of a row dropped.
std::vector<std::string> csvRows(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> rows;
    std::vector<std::string> fields(1);
    bool quoted = false;
    const auto endRow = [&] {
        while (fields.size() > 1 && fields.back().empty())
            fields.pop_back();
        std::string row;
        for (std::size_t i = 0; i < fields.size(); ++i)
            row += (i ? "|" : "") + fields[i];
        rows.push_back(row);
        fields.assign(1, "");
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            fields.back() += '"', ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            fields.emplace_back();
        else if (!quoted && c == '\n')
            endRow();
        else if (quoted || c != '\r')
            fields.back() += c;
    }
    return rows;
}

// Every sheet of the workbook as CSV ("<name>-<sheet>.csv" beside it), as Calc
// shows the cells.
bool convertWithCalc(const std::string &workbook, const std::string &folder)
{
    test::Child calc({office, "--headless", "--invisible", "--norestore", "--nologo",
                      "-env:UserInstallation=file://" + folder + "/profile", "--convert-to",
                      "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1",
                      "--outdir", folder, workbook},
                     {{"HOME", folder}, {"DISPLAY", ""}, {"SAL_USE_VCLPLUGIN", "svp"}});
    return test::waitFor([&] { return !calc.runningOrRestarted(); }, 180);
}

QuestionInfo question(std::string name, int options, std::string correct, std::vector<std::string> weightings,
                      std::vector<std::string> texts = {})
{
    QuestionInfo q;
    q.name = std::move(name);
    q.voteType = "Single";
    q.optionCount = options;
    q.firstOption = 1;
    q.itemCount = 1;
    q.correctAnswers = std::move(correct);
    q.weightings = std::move(weightings);
    q.optionTexts = std::move(texts);
    return q;
}

class CalcRoundTrip : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(office))
            GTEST_SKIP() << "LibreOffice is not installed";
    }
    std::vector<std::string> csv(const std::string &base, const std::string &name)
    {
        return csvRows(folder.str() + "/" + base + "-" + name + ".csv");
    }
    test::TestFolder folder;
};

// The two rounds of the EXPORT sheet's own rules (quiz/resultsheet-texts.rows):
// answers in compact and list form, weights shown beside right answers, a
// missing question file, a round with more keypads than the other.
TEST_F(CalcRoundTrip, ExportWorkbookReadsAsItsRulesGive)
{
    const auto weights = [](int option, double weight) {
        WeightTable w{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
        w[static_cast<std::size_t>(option)] = weight;
        return w;
    };
    ExportVote a{"a.tlx", true, "2x", "23AX", weights(2, 2.5)};
    a.weights[10] = 0;
    QuizResultsSheet sheet;
    sheet.addRound({"r1.quz", {a, ExportVote{"missing.tlx"}, ExportVote{"b.tlx", true, "1", "1;10;-;1;2;"}}});
    sheet.addRound({"r2.quz", {ExportVote{"c.tlx", true, "3", "3;3;3;3;3;3;", weights(3, 0.5)}}});
    sheet.finish([](int keypad) { return keypad == 1 ? std::string("Ann") : std::to_string(keypad); });
    const std::string path = folder.str() + "/export.xls";
    ASSERT_EQ(XlsxWorkbookWriter().writeSheets({&sheet}, 0, path), "");
    ASSERT_TRUE(convertWithCalc(path, folder.str()));

    std::vector<std::string> expected;
    for (const test::Row &r : test::loadRows("quiz/resultsheet-texts.rows")) {
        std::vector<std::string> fields{r.name};
        fields.insert(fields.end(), r.cells.begin(), r.cells.end());
        while (fields.size() > 1 && fields.back().empty())
            fields.pop_back();
        std::string row;
        for (std::size_t i = 0; i < fields.size(); ++i)
            row += (i ? "|" : "") + fields[i];
        expected.push_back(row);
    }
    EXPECT_EQ(csv("export", "Sheet1"), expected);
}

// Three keypads, two questions: keypad 1 named, right answers with their
// weight, "-" no vote, options a question does not offer left empty.
TEST_F(CalcRoundTrip, ResultsWorkbookReadsAsItsRulesGive)
{
    const std::vector<QuestionInfo> questions = {
        question("q1.tlx", 4, "2", {"1", "1", "1", "1", "1"}, {"Red", "Green", "Blue", ""}),
        question("q2.tlx", 3, "1", {"1", "2", "1", "1"})};
    const std::map<std::string, std::string> votes{{"q1.tlx", "2;3;-;"}, {"q2.tlx", "1;1;2;"}};
    ResultsGrids grids;
    ASSERT_EQ(BuildResultGrids(questions,
                               [&](const std::string &key) {
                                   const auto it = votes.find(key);
                                   return it == votes.end() ? std::string() : it->second;
                               },
                               {{"Ann", 1, 1}}, grids, {[](const std::string &) {}}),
              BuildOutcome::Built);
    CreateResultsWithText(questions, {}, grids, [](const std::string &) {});
    KeypadResultsSheet keypads(grids.keypadResults);
    QuestionResultsSheet byQuestion(grids.questionResults);
    QuestionFullSheet full(grids.questionFull);
    const std::string path = folder.str() + "/results.xls";
    ASSERT_EQ(XlsxWorkbookWriter().writeSheets({&keypads, &byQuestion, &full}, 0, path), "");
    ASSERT_TRUE(convertWithCalc(path, folder.str()));

    EXPECT_EQ(csv("results", "Individual Results"),
              (std::vector<std::string>{"Participant Name|Raw \nScore|Weighted \nScore|q1.tlx|q2.tlx",
                                        "Ann|2|3|2|1 (2)", "|1|2|3|1 (2)", "|0|0|-|2"}));
    EXPECT_EQ(csv("results", "Results by Question"),
              (std::vector<std::string>{"|0|1|2|3|4|5|6|7|8|9|10|Voted", "q1.tlx||0|1|1|0|||||||2",
                                        "q2.tlx||2|1|0||||||||3"}));
    EXPECT_EQ(csv("results", "Results with Text"),
              (std::vector<std::string>{"Question |Answer |Value |Votes ", "q1.tlx |Red |1 |0 ",
                                        "q1.tlx |Green |2 |1 ", "q1.tlx |Blue |3 |1 ", "q1.tlx |4 |4 |0 ",
                                        "q1.tlx |Voted | |2 ", "q2.tlx |1 |1 |2 ", "q2.tlx |2 |2 |1 ",
                                        "q2.tlx |3 |3 |0 ", "q2.tlx |Voted | |3 "}));
}

} // namespace
} // namespace quiz

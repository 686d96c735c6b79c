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
#include <utility>

namespace quiz
{
namespace
{

const std::string office = "/usr/lib/libreoffice/program/soffice.bin";

using Rows = std::vector<std::vector<std::string>>;

// A row's fields without the empty ones at its end.
std::vector<std::string> trimmed(std::vector<std::string> fields)
{
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    return fields;
}

// A CSV file's rows, quoted fields (with their line breaks) undone.
Rows csvRows(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Rows rows;
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            fields.back() += '"', ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            fields.emplace_back();
        else if (!quoted && c == '\n')
            rows.push_back(trimmed(std::exchange(fields, {""})));
        else if (quoted || c != '\r')
            fields.back() += c;
    }
    return rows;
}

// The rows of a row file whose first cell is the given text (all of them for ""), that cell left out.
Rows expectedRows(const std::string &file, const std::string &first = "")
{
    Rows rows;
    for (const test::Row &r : test::loadRows(file)) {
        std::vector<std::string> fields{r.name};
        fields.insert(fields.end(), r.cells.begin(), r.cells.end());
        if (first.empty())
            rows.push_back(trimmed(fields));
        else if (r.name == first)
            rows.push_back(trimmed({fields.begin() + 1, fields.end()}));
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

class CalcRoundTrip : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(office))
            GTEST_SKIP() << "LibreOffice is not installed";
    }
    Rows csv(const std::string &base, const std::string &name)
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
    sheet.addRound(
        {"r1.quz",
         {a, ExportVote{"missing.tlx", false, "", ""}, ExportVote{"b.tlx", true, "1", "1;10;-;1;2;"}}});
    sheet.addRound({"r2.quz", {ExportVote{"c.tlx", true, "3", "3;3;3;3;3;3;", weights(3, 0.5)}}});
    sheet.finish([](int keypad) { return keypad == 1 ? std::string("Ann") : std::to_string(keypad); });
    const std::string path = folder.str() + "/export.xls";
    ASSERT_EQ(XlsxWorkbookWriter().writeSheets({&sheet}, 0, path), "");
    ASSERT_TRUE(convertWithCalc(path, folder.str()));

    EXPECT_EQ(csv("export", "Sheet1"), expectedRows("quiz/resultsheet-texts.rows"));
}

// Three keypads, two questions (xlsx/calc-results.rows): keypad 1 named, right
// answers with their weight, "-" no vote, options a question does not offer left empty.
TEST_F(CalcRoundTrip, ResultsWorkbookReadsAsItsRulesGive)
{
    const std::vector<QuestionInfo> questions = {
        {"q1.tlx", 4, 1, "Single", "", 1, "2", {}, {"Red", "Green", "Blue", ""}},
        {"q2.tlx", 3, 1, "Single", "", 1, "1", {"1", "2"}, {}}};
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

    for (const char *name : {"Individual Results", "Results by Question", "Results with Text"}) {
        const Rows expected = expectedRows("xlsx/calc-results.rows", name);
        ASSERT_FALSE(expected.empty()) << name;
        EXPECT_EQ(csv("results", name), expected) << name;
    }
}

} // namespace
} // namespace quiz

#include "core/quiz/correctanswer.h"
#include "core/quiz/questionweightings.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// Question files are written in capitals and read in small letters: found ignoring case.
using CorrectAnswers = test::RowTest;

TEST_P(CorrectAnswers, AreTheAnswerItemOfAQuestionFile)
{
    const test::Row &r = GetParam();
    std::string text = r[2];
    if (!r[0].empty()) {
        text = "2," + r[0] + "," + r[1] + ",\"Title\",\"Question?\",\"Single\",\"Bar\",0,\"\"\r\n";
        for (int i = 0; i < r.num(0); ++i)
            text += "\"Option " + std::to_string(i + 1) + "\",255,0\r\n";
        text += "\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n" + r[2] +
                "\r\n#TRUE#,0,\"Percent\",0,0,#TRUE#,#TRUE#,0\r\n1,1\r\n";
    }
    test::TestFolder folder;
    if (text != "none")
        folder.write("Q.TLX", text);
    EXPECT_EQ(ReadCorrectAnswer(folder.str() + "/q.tlx"), r[3]);
    EXPECT_EQ(ReadCorrectAnswer(folder.str()), "");
}
QUIZ_ROWS(CorrectAnswers, "quiz/correctanswer.rows");

using Weightings = test::RowTest;

TEST_P(Weightings, AreReadFromTheListAfterTheRecord)
{
    test::TestFolder data;
    if (GetParam()[0] != "none")
        data.write("Q1.TLX", GetParam()[0]);
    std::array<double, 13> w;
    w.fill(5);
    ReadQuestionWeightings(data.str() + "/q1.tlx", w);
    const std::vector<float> expected = GetParam().floats(1);
    EXPECT_EQ(std::vector<double>(w.begin(), w.end()), std::vector<double>(expected.begin(), expected.end()));
}
QUIZ_ROWS(Weightings, "quiz/weightings.rows");

} // namespace
} // namespace quiz

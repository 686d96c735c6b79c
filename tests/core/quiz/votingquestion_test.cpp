#include "core/common/text.h"
#include "core/quiz/correctanswer.h"
#include "core/quiz/questionweightings.h"
#include "core/quiz/votingquestion.h"
#include "core/results/questiontable.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

VotingQuestion questionOf(const test::Row &r, size_t first)
{
    VotingQuestion q;
    q.options = r.list(first, ';');
    q.correctAnswer = r[first + 1];
    for (const std::string &w : r.list(first + 2, ';'))
        q.weights.push_back(std::stod(w));
    q.countdownSeconds = r.num(first + 3);
    return q;
}

using VotingQuestions = test::RowTest;

TEST_P(VotingQuestions, ReadBackByEveryReader)
{
    const test::Row &r = GetParam();
    VotingQuestion q = questionOf(r, 2);
    q.title = r[0];
    q.text = r[1];
    test::TestFolder folder;
    const std::string path = folder.write("q.tlx", QuestionFileText(q)).string();

    EXPECT_EQ(ReadCorrectAnswer(path), q.correctAnswer);
    std::array<double, 13> w{};
    ReadQuestionWeightings(path, w);
    const auto info = LoadQuestionFile("q.tlx", folder.str());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->optionCount, static_cast<int>(q.options.size()));
    EXPECT_EQ(info->firstOption, 1);
    EXPECT_EQ(info->correctAnswers, q.correctAnswer);
    for (size_t o = 1; o <= 10; ++o) {
        EXPECT_EQ(w[o], r.floats(7).at(o - 1)) << "option " << o;
        EXPECT_EQ(leadingNumber(info->weighting(int(o))), r.floats(7).at(o - 1)) << "option " << o;
    }

    // The editor reads back what it wrote; line breaks became blanks.
    const auto back = VotingQuestionOf(folder.read("q.tlx"));
    ASSERT_TRUE(back);
    const std::string title = r[6].empty() ? q.title : r[6];
    EXPECT_EQ(back->title, title);
    if (r[6].empty()) {
        EXPECT_EQ(*back, q);
        EXPECT_EQ(info->optionTexts, q.options);
    }
}
QUIZ_ROWS(VotingQuestions, "quiz/votingquestions.rows");

using QuestionProblems = test::RowTest;

TEST_P(QuestionProblems, AreSaidBeforeWriting)
{
    VotingQuestion q = questionOf(GetParam(), 0);
    q.text = "Question?";
    EXPECT_EQ(QuestionProblem(q), GetParam()[4]);
}
QUIZ_ROWS(QuestionProblems, "quiz/questionproblems.rows");

using OtherKinds = test::RowTest;

TEST_P(OtherKinds, AreNotEdited)
{
    std::string why;
    EXPECT_FALSE(VotingQuestionOf(GetParam()[0], &why));
    EXPECT_EQ(why, GetParam()[1]);
}
QUIZ_ROWS(OtherKinds, "quiz/otherkinds.rows");

TEST(VotingQuestion, NewFilesNeverReplaceAnother)
{
    test::TestFolder folder; // a name already free is the question scenario's "slide9.tlx"
    folder.write("slide3.tlx", "");
    folder.write("SLIDE3-2.TLX", "");
    EXPECT_EQ(NewQuestionFileName(folder.str(), 3), "slide3-3.tlx");
    EXPECT_EQ(VoteShapeRunString("/opt/my tools/tlxctrl", "slide3.tlx"),
              "\"/opt/my tools/tlxctrl\" slide3.tlx,1");
    EXPECT_EQ(CorrectAnswerOfOptions({10, 3, 1, 3}), "13x");
}

} // namespace
} // namespace quiz

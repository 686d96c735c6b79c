#include "core/quiz/correctanswer.h"

#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

std::string lines(std::initializer_list<std::string> items)
{
    std::string text;
    for (const std::string &line : items)
        text += line + "\r\n";
    return text;
}

// A question file of the ordinary layout: header, c option lines, the font,
// chart and countdown lines, then the answer line.
std::string ordinary(int optionCount, int type, const std::string &answerLine)
{
    std::string text = "2," + std::to_string(optionCount) + "," + std::to_string(type) +
                       ",\"Title\",\"Question?\",\"Single\",\"Bar\",0,\"\"\r\n";
    for (int i = 0; i < optionCount; ++i)
        text += "\"Option " + std::to_string(i + 1) + "\",255,0\r\n";
    text += lines({"\"Arial\",24,0", "\"Bar\",16777215,#TRUE#", "30,#FALSE#,0", answerLine,
                   "#TRUE#,0,\"Percent\",0,0,#TRUE#,#TRUE#,0", "1,1"});
    return text;
}

TEST(ReadCorrectAnswer, ReadsTheAnswerItemOfAQuestionFile)
{
    struct Case {
        const char *name;
        std::string content;
        std::string answer;
    };
    const Case cases[] = {
        {"one right option", ordinary(4, 0, "\"4\",#TRUE#"), "4"},
        {"two right options", ordinary(4, 0, "\"13\",#TRUE#"), "13"},
        {"option ten", ordinary(10, 0, "\"x\",#TRUE#"), "x"},
        {"most popular", ordinary(3, 0, "\"p\",#TRUE#"), "p"},
        {"unquoted answer", ordinary(2, 0, "12,#TRUE#"), "12"},
        {"no answer given", ordinary(2, 0, "\"\",#FALSE#"), ""},
        {"highest ordinary type", ordinary(3, 14, "\"2\""), "2"},
        {"type 9", ordinary(3, 9, "\"1\""), "1"},
        {"type 7 has no correct answer", ordinary(3, 7, "\"2\""), ""},
        {"type above 14", ordinary(3, 15, "\"2\""), ""},
        {"negative type", ordinary(3, -1, "\"2\""), ""},
        {"line feeds only", "2,1,0,\"T\",\"Q\",\"\",\"\",0,\"\"\n\"A\",1,0\nf\nc\nt\n\"3\",#TRUE#\n", "3"},
        {"file ends before the answer", "2,4,0,\"T\",\"Q\",\"\",\"\",0,\"\"\r\n\"A\",1,0\r\n", ""},
        {"empty file", "", ""},
        // Types 6 and 8: a line with the number of lines per option, the
        // option blocks, one line more, then as usual.
        {"type 6 option blocks",
         lines({"2,2,6,\"T\",\"Q\",\"\",\"\",0,\"\"", "2", "a1", "a2", "b1", "b2", "extra", "f", "c", "t",
                "\"5\",#TRUE#"}),
         "5"},
        {"type 8 option blocks",
         lines({"2,3,8,\"T\",\"Q\",\"\",\"\",0,\"\"", "1", "a", "b", "c", "extra", "f", "c", "t", "\"2\""}),
         "2"},
    };
    for (const Case &c : cases) {
        test::TestFolder folder;
        const auto path = folder.write("q.tlx", c.content);
        EXPECT_EQ(ReadCorrectAnswer(path.string()), c.answer) << c.name;
    }
}

TEST(ReadCorrectAnswer, MissingFileOrFolderGivesNoAnswerAndCaseIsIgnored)
{
    test::TestFolder folder;
    EXPECT_EQ(ReadCorrectAnswer((folder.path() / "q9.tlx").string()), "");
    EXPECT_EQ(ReadCorrectAnswer(folder.str()), "");
    folder.write("Q1.TLX", ordinary(2, 0, "\"2\",#TRUE#"));
    EXPECT_EQ(ReadCorrectAnswer((folder.path() / "q1.tlx").string()), "2");
}

using Popular = test::RowTest;

TEST_P(Popular, CountsTheOptionsOfACompactAnswerString)
{
    EXPECT_EQ(MostPopularAnswer(GetParam()[0]), GetParam().num(1));
}
QUIZ_ROWS(Popular, "quiz/popular.rows");

} // namespace
} // namespace quiz

// The command words that a QUIZ shape of a presentation made on Windows
// carries into the macro form.

#include "adapters/impress/quizshapeform.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(QuizShapeForm, ImportedActionsGiveTheirCommandWords)
{
    const struct {
        ClickKind kind;
        const char *bookmark;
        const char *words;
    } rows[] = {
        {ClickKind::Program, "C:\\Talvix\\Quiz.exe quiz.quz,DISPLAY", "quiz.quz,DISPLAY"},
        {ClickKind::Program, "/usr/bin/quiz quiz.quz,DISPLAY,SLIDE6", "quiz.quz,DISPLAY,SLIDE6"},
        {ClickKind::Program, "\"C:\\Program Files\\Talvix\\Quiz.exe\" other.quz,DISPLAY",
         "other.quz,DISPLAY"},
        {ClickKind::Document, "file:///C:/Talvix/Quiz.exe%20quiz.quz,DISPLAY", "quiz.quz,DISPLAY"},
        {ClickKind::Program, "C:\\Talvix\\Quiz.exe", ""},
        {ClickKind::Document, "https://example.org/quiz quiz.quz,DISPLAY", ""},
        {ClickKind::Other, "C:\\Talvix\\Quiz.exe quiz.quz,DISPLAY", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(importedQuizShapeWords(row.kind, row.bookmark), row.words) << row.bookmark;
}

TEST(QuizShapeForm, QuizShapesAreNamedQuizInAnyCase)
{
    EXPECT_TRUE(isQuizShapeName("QUIZ"));
    EXPECT_TRUE(isQuizShapeName("Quiz"));
    EXPECT_FALSE(isQuizShapeName("QUIZ 2"));
    EXPECT_FALSE(isQuizShapeName("VOTE"));
}

} // namespace
} // namespace quiz

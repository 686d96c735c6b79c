// Random quizzes scored by every output: the display's totals, the
// printed summary and the results export must agree keypad by keypad.
#include "fakes/fakeprinter.h"
#include "fakes/fakerun.h"
#include "fakes/fakeworkbookwriter.h"

#include "core/quiz/calculatescores.h"
#include "core/quiz/printsummary.h"
#include "core/quiz/quizresultsexport.h"

#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <random>

namespace quiz
{

namespace
{

template <size_t N> std::string pick(std::mt19937 &rng, const char *const (&from)[N])
{
    return from[rng() % N];
}

std::string answerString(std::mt19937 &rng, bool list, int keypads)
{
    static const char *const compact[] = {"1", "2", "3", "4", "0", "9", "A", "X", "-"};
    static const char *const entries[] = {"1", "2", "3", "4", "9", "10", "X", "-", ""};
    std::string text;
    for (int k = 0; k < keypads; ++k)
        text += list ? pick(rng, entries) + ";" : pick(rng, compact);
    return text;
}

// Writes a quiz of random questions, weights and votes (earlier votes and
// re-votes of the same question recorded in other folders come first); its question files.
std::vector<std::string> generate(std::mt19937 &rng, const test::TestFolder &folder)
{
    static const char *const corrects[] = {"1", "2", "3", "x", "13", "2x", "44", "p", "P", "0"};
    static const char *const weights[] = {"0", "0.5", "1", "2", "3"};
    std::vector<std::string> questions;
    std::string quiz = "0\r\n", votes = "other.tlx,1,4,\"1;\",d,t\r\n";
    for (int q = 0, count = 1 + static_cast<int>(rng() % 5); q < count; ++q) {
        const std::string name = "q" + std::to_string(q) + ".tlx";
        std::string weighting = pick(rng, weights);
        for (int w = 1; w < 11; ++w)
            weighting += "," + pick(rng, weights);
        // A four-option question file with its right answer and, mostly, its weightings record.
        std::string question =
            "2,4,0,\"T\",\"Q?\",\"Single\",\"Bar\",0,\"\"\r\n\"a\",1,0\r\n\"b\",2,0\r\n"
            "\"c\",3,0\r\n\"d\",4,0\r\n\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n\"" +
            pick(rng, corrects) + "\",#TRUE#\r\n";
        if (rng() % 3)
            question += "\"QUESTION WEIGHTINGS\",\"" + weighting + "\"\r\n";
        folder.write(name, question);
        questions.push_back(name);
        quiz += "\"" + name + "\"\r\n";
        const int keypads = 1 + static_cast<int>(rng() % 25);
        for (const char *folderName : {"C:\\Old\\", "D:\\Shows\\", "C:\\Show\\"})
            if (rng() % 3)
                votes += folderName + name + ",1,4,\"" + answerString(rng, rng() % 2, keypads) + "\",d,t\r\n";
    }
    questions.push_back("gone.tlx"); // a question whose file is gone: every output passes over it
    quiz += "\"gone.tlx\"\r\n";
    quiz[0] = static_cast<char>('0' + questions.size());
    folder.write("quiz.quz", quiz);
    folder.write("votes.rec", votes);
    return questions;
}

TEST(CrossOutput, EveryOutputGivesEachKeypadTheSameScore)
{
    std::mt19937 rng(20261206);
    int rightAnswers = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("quiz " + std::to_string(round));
        test::TestFolder folder;
        const int useWeightings = static_cast<int>(rng() % 2);
        const std::vector<std::string> questions = generate(rng, folder);

        test::FakeRun display, print, exported;
        for (test::FakeRun *run : {&display, &print, &exported}) {
            run->ctx.state.dataFolder = folder.str();
            run->ctx.state.useWeightings = useWeightings;
            run->ctx.state.validKeypads.assign(200, 1);
        }
        // The totals quiz.txt records (its lines are the display-record scenario's).
        const ScoringResult shown = CalculateScores(display.ctx, questions).totals;

        print.dialogs.printAnswers.push_back(PrintTarget{});
        test::RecordingPrinter printer;
        PrintScoreSummary(print.ctx, questions, printer);
        ASSERT_EQ(printer.documents.size(), 1u);
        const std::vector<PrintLine> &lines = printer.documents[0].lines;

        exported.dialogs.textAnswers.push_back(folder.str() + "/out.xls");
        exported.host.addSlide({{"QUIZ", "/opt/talvix/quiz quiz.quz,DISPLAY"}});
        test::MemoryWriter writer;
        std::string reason;
        ASSERT_LE(test::runEndCode([&] { exportQuizResults(exported.ctx, writer); }, &reason), 0) << reason;
        ASSERT_TRUE(writer.book);
        const Sheet &sheet = writer.book->sheet(0);

        // The summary and the totals hold the keypads of the last question with votes
        // (the summary 50 before any question has votes).
        ASSERT_EQ(lines.size(), static_cast<size_t>(shown.keypadCount ? shown.keypadCount : 50) + 3);
        for (int keypad = 1; keypad <= shown.keypadCount; ++keypad) {
            SCOPED_TRACE("keypad " + std::to_string(keypad));
            const std::string fraction = lines[static_cast<size_t>(keypad) + 2].pieces.at(2).text;
            const std::string raw = sheet.displayText(keypad + 3, 2);
            const std::string weighted = sheet.displayText(keypad + 3, 3);
            EXPECT_EQ(fraction.substr(0, fraction.find('/')), raw);
            EXPECT_EQ(shown.score[static_cast<size_t>(keypad) - 1],
                      std::stof(useWeightings == 1 ? weighted : raw));
            rightAnswers += std::stoi(raw);
        }
    }
    EXPECT_GT(rightAnswers, 100); // the quizzes do score
}

} // namespace
} // namespace quiz

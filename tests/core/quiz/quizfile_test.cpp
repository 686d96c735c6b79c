#include "core/common/fileutil.h"
#include "core/quiz/quizfile.h"
#include "core/quiz/recordingsetupform.h"
#include "fakes/fakedialogs.h"
#include "support/testfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quiz;
using quiz::test::FakeDialogs;
using quiz::test::TestFolder;

namespace
{

// A state whose every quiz-file value differs from the start-up defaults.
QuizState changedState(const std::string &dataFolder)
{
    QuizState s;
    s.dataFolder = dataFolder;
    s.displayCount = 3;
    s.displayAreas[0] = DisplayArea{0.55f, 0.4f, 0.1f, 0.2345678f};
    s.annotationPositions = {{PointD{10.5, 20}, PointD{30, 40.25}, PointD{}},
                             {PointD{-1, -1}, PointD{1e-3, 7}, PointD{}},
                             {PointD{123456.789, 0.1}, PointD{2, 3}, PointD{}},
                             {}};
    s.reserved1 = 21;
    s.reserved2 = 19;
    s.displayFontColour = 0xFF8040;
    s.displayFontName = "Times \"New\" Roman";
    s.displayFontBold = true;
    s.displayFontItalic = true;
    s.displayFontSize = 31;
    s.showScores = 0;
    s.showKeypadNames = 1;
    s.onFinishChoice = 0;
    s.autoStart = false;
    s.displayFontStrikeThrough = true;
    s.displayFontUnderline = true;
    s.useWeightings = 1;
    s.showNumberOfMaxScorers = true;
    s.showOnlyMaxScorers = true;
    s.keypadsStartFrom = 4;
    s.textToAdd = {"Well done, team", "next round \"soon\""};
    return s;
}

// Every value the file holds, as the writer writes it; showScores is the form's.
void expectSameQuizValues(const QuizState &a, const QuizState &b)
{
    const RecordingSetupForm none;
    EXPECT_EQ(formatQuizSetup(a, none), formatQuizSetup(b, none));
    EXPECT_EQ(a.displayAreas[0].top, b.displayAreas[0].top); // more digits than the text shows
    EXPECT_EQ(a.showScores, b.showScores);
}

} // namespace

TEST(QuizFile, WritesTheRecordsInOrder)
{
    QuizState s;
    s.displayAreas[0] = DisplayArea{0.5f, 0.25f, 0.1f, 0.2f};
    s.displayCount = 2;
    s.annotationPositions = {{PointD{1, 2}, PointD{3, 4.5}, PointD{}}}; // place 1 missing
    RecordingSetupForm form;
    form.quiz = {"q1.tlx", "Q 2.tlx"};
    form.showScores = 1;
    s.textToAdd = {"a", ""};
    EXPECT_EQ(formatQuizSetup(s, form), "2\r\n"
                                        "\"q1.tlx\"\r\n"
                                        "\"Q 2.tlx\"\r\n"
                                        "2,0.1,0.2,0.5,0.25\r\n"
                                        "1,2,3,4.5\r\n"
                                        "-1,-1,-1,-1\r\n"
                                        "20,20,0\r\n"
                                        "\"Arial\",#FALSE#,#FALSE#,24\r\n"
                                        "1,1\r\n"
                                        "1\r\n"
                                        "\"autostart=True\"\r\n"
                                        "#FALSE#,#FALSE#\r\n"
                                        "0\r\n"
                                        "#FALSE#\r\n"
                                        "#FALSE#\r\n"
                                        "1\r\n"
                                        "\"txttoadd=\",\"a\",\"\"\r\n");
}

TEST(QuizFile, WriteThenReadRestoresEveryValue)
{
    TestFolder data;
    data.write("q1.tlx", "");
    data.write("Q2.TLX", "");
    const QuizState written = changedState(data.str());
    RecordingSetupForm writerForm;
    writerForm.quiz = {"q1.tlx", "Q2.TLX"};
    writerForm.showScores = 0;
    FakeDialogs dialogs;
    ASSERT_TRUE(WriteQuizSetup(written, data.str() + "/quiz.quz", writerForm, dialogs));
    EXPECT_TRUE(dialogs.messages.empty());

    QuizState read;
    read.dataFolder = data.str();
    RecordingSetupForm form;
    form.available = {"Q1.TLX", "q3.tlx", "q2.tlx"};
    ReadQuizSetup(read, data.str() + "/quiz.quz", &form);
    expectSameQuizValues(read, written);
    EXPECT_EQ(form.quiz, writerForm.quiz);
    EXPECT_EQ(form.available, std::vector<std::string>{"q3.tlx"});
    EXPECT_EQ(form.showScores, 0);
    EXPECT_EQ(form.onFinish, 0);
    EXPECT_EQ(form.autoStart, false);
    EXPECT_EQ(form.useWeightings, 1);
    EXPECT_EQ(form.showNumberOfMaxScorers, true);
    EXPECT_EQ(form.showOnlyMaxScorers, true);
    EXPECT_EQ(form.keypadsStartFrom, "4");
    EXPECT_EQ(form.text1, "6"); // last place shown: 4 - 1 + 3
    EXPECT_EQ(form.addText, "next round \"soon\"");
    ASSERT_TRUE(form.font.has_value());
    EXPECT_EQ(form.font->name, "Times \"New\" Roman");
    EXPECT_EQ(form.font->size, 31);
    EXPECT_TRUE(form.font->bold);
    EXPECT_TRUE(form.font->italic);

    QuizState noForm;
    noForm.dataFolder = data.str();
    ReadQuizSetup(noForm, data.str() + "/QUIZ.QUZ", nullptr); // found ignoring case
    expectSameQuizValues(noForm, written);

    // The wizard gets its lists and the display count only.
    QuizState state;
    state.dataFolder = data.str();
    RecordingSetupForm wizard(SetupFormKind::QuizWizard);
    ReadQuizSetup(state, data.str() + "/quiz.quz", &wizard);
    EXPECT_EQ(wizard.quiz, writerForm.quiz);
    EXPECT_EQ(wizard.displayCountBox, "3");
    EXPECT_TRUE(wizard.text1.empty());
    EXPECT_FALSE(wizard.onFinish.has_value());
    EXPECT_TRUE(wizard.addText.empty());
    expectSameQuizValues(state, written);
}

TEST(QuizFile, TheDemoFileIsWhatTheWriterWritesForItsValues)
{
    const std::string demo = QUIZ_DEMO_DIR;
    QuizState state;
    state.dataFolder = demo;
    RecordingSetupForm form;
    ReadQuizSetup(state, demo + "/quiz.quz", &form);
    EXPECT_EQ(form.quiz, (std::vector<std::string>{"q1.tlx", "q2.tlx", "q3.tlx", "q4.tlx"}));
    EXPECT_EQ(formatQuizSetup(state, form), readTextFile(demo + "/quiz.quz").value_or(""));
    EXPECT_EQ(state.displayAreas[0].width, 0.5f);
    EXPECT_EQ(state.annotationPositions.at(4)[1], (PointD{0.6, 0.8}));
}

// Reads a quiz file of the test's own into a state and a set-up form.
class QuizFileRead : public ::testing::Test
{
  protected:
    void SetUp() override { state.dataFolder = data.str(); }
    void read(const std::string &name = "quiz.quz") { ReadQuizSetup(state, data.str() + "/" + name, &form); }
    TestFolder data;
    QuizState state;
    RecordingSetupForm form;
};

TEST_F(QuizFileRead, QuestionsWhoseFileIsGoneAreLeftOut)
{
    data.write("q1.tlx", "");
    data.write("q3.tlx", "");
    data.write("quiz.quz", "3\r\n\"q1.tlx\"\r\n\"q2.tlx\"\r\n\"Q3.TLX\"\r\n4,0,0,1,1\r\n");
    form.available = {"q2.tlx", "q3.tlx"};
    read();
    EXPECT_EQ(form.quiz, (std::vector<std::string>{"q1.tlx", "Q3.TLX"}));
    EXPECT_EQ(form.available, std::vector<std::string>{"q2.tlx"});
    EXPECT_EQ(state.displayCount, 4);
}

TEST_F(QuizFileRead, AnOlderFileEndingAfterAutostartKeepsTheLaterValues)
{
    data.write("quiz.quz", "0\r\n5,0.1,0.2,0.5,0.6\r\n"
                           "1,2,3,4\r\n1,2,3,4\r\n1,2,3,4\r\n1,2,3,4\r\n1,2,3,4\r\n"
                           "20,20,255\r\n\"\",#TRUE#,#FALSE#,18\r\n1,1\r\n0\r\n\"autostart=False\"\r\n");
    state.displayFontUnderline = true;
    state.useWeightings = 1;
    state.showOnlyMaxScorers = true;
    state.keypadsStartFrom = 6;
    state.textToAdd = {"keep", "these"};
    read();
    EXPECT_EQ(state.displayFontName, "Arial"); // written empty
    EXPECT_EQ(state.displayFontColour, 255u);
    EXPECT_TRUE(state.displayFontBold);
    EXPECT_EQ(state.displayFontSize, 18);
    EXPECT_EQ(state.onFinishChoice, 0);
    EXPECT_FALSE(state.autoStart);
    EXPECT_TRUE(state.displayFontUnderline);
    EXPECT_EQ(state.useWeightings, 1);
    EXPECT_TRUE(state.showOnlyMaxScorers);
    EXPECT_EQ(state.keypadsStartFrom, 6);
    EXPECT_EQ(state.textToAdd, (std::array<std::string, 2>{"keep", "these"}));
    EXPECT_EQ(form.text1, "10"); // places 6 to 10
    EXPECT_FALSE(form.useWeightings.has_value()) << "a check box the file does not hold is left alone";
    EXPECT_EQ(state.annotationPositions.size(), 6u);
    EXPECT_EQ(state.annotationPositions[4][1], (PointD{3, 4}));
}

TEST_F(QuizFileRead, AMissingFileChangesNothing)
{
    state.displayCount = 7;
    read();
    read(""); // an empty quiz file name
    EXPECT_EQ(state.displayCount, 7);
    EXPECT_TRUE(state.annotationPositions.empty());
    EXPECT_TRUE(form.quiz.empty());
    EXPECT_FALSE(form.font.has_value());
    EXPECT_TRUE(form.text1.empty());
}

TEST_F(QuizFileRead, MalformedAndTruncatedFilesKeepWhatCannotBeRead)
{
    data.write("q1.tlx", "");
    data.write("quiz.quz", "many\r\n\"q1.tlx\"\r\nabc,0.3,x,0.5\r\n1,2,3");
    read();
    // No count: no question is read, the name is taken as the next items.
    EXPECT_TRUE(form.quiz.empty());
    EXPECT_EQ(state.displayCount, 5);
    EXPECT_EQ(state.displayFontName, "Arial");
    EXPECT_EQ(state.displayFontSize, 24);
    EXPECT_TRUE(state.autoStart);
    EXPECT_EQ(form.text1, "5");

    data.write("quiz.quz", "1\r\n\"q1.tlx\"\r\n200,0.1,0.2,0.3,0.4\r\n");
    read();
    EXPECT_EQ(state.displayCount, 5) << "more places than the display holds are not taken";
    EXPECT_EQ(state.displayAreas[0].left, 0.1f);
    EXPECT_EQ(state.displayAreas[0].height, 0.4f);
}

TEST_F(QuizFileRead, TextsToAddWrittenByHandAreSplitAtCommas)
{
    data.write("quiz.quz",
               "0\r\n1,0,0,1,1\r\n1,2,3,4\r\n20,20,0\r\n\"Arial\",#FALSE#,#FALSE#,24\r\n"
               "1,1\r\n1\r\n\"autostart=True\"\r\n#FALSE#,#FALSE#\r\n0\r\n#FALSE#\r\n#FALSE#\r\n1\r\n"
               "txttoadd=,first,second\r\n");
    read();
    EXPECT_EQ(state.textToAdd, (std::array<std::string, 2>{"first", "second"}));
    EXPECT_EQ(form.addText, "second");
}

TEST_F(QuizFileRead, ATeamQuizFileFindsItsCountAfterItsOwnLines)
{
    data.write("q1.tlx", "");
    data.write("q2.tlx", "");
    data.write("team.cfg", "\"Red\",1,2\r\n\"Blue\",3,4\r\n2\r\n\"q1.tlx\"\r\n\"q2.tlx\"\r\n3,0,0,1,1\r\n");
    read("team.cfg");
    EXPECT_EQ(form.quiz, (std::vector<std::string>{"q1.tlx", "q2.tlx"}));
    EXPECT_EQ(state.displayCount, 3);
}

TEST_F(QuizFileRead, NoSetUpFileBesideATeamFilePresetsTheFontOnly)
{
    data.write("team.cfg", "x");
    state.displayFontName = "Courier";
    read();
    ASSERT_TRUE(form.font.has_value());
    EXPECT_EQ(form.font->name, "Arial");
    EXPECT_EQ(state.displayFontName, "Courier");
    EXPECT_TRUE(form.quiz.empty());
}

TEST(QuizFile, ASaveThatFailsSaysSoAndLeavesTheFileAlone)
{
    TestFolder data;
    const auto path = data.write("quiz.quz", "old");
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const std::string gone = data.str() + "/gone/quiz.quz";
    RecordingSetupForm form;
    FakeDialogs dialogs;
    EXPECT_FALSE(WriteQuizSetup(QuizState{}, path.string(), form, dialogs));
    EXPECT_FALSE(WriteQuizSetup(QuizState{}, gone, form, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, path.string() + " is read only - not saving quiz setup");
    EXPECT_EQ(dialogs.messages[0].title, "Quiz");
    EXPECT_EQ(data.read("quiz.quz"), "old");
    EXPECT_EQ(dialogs.messages[1].text.rfind("The quiz setup could not be saved to " + gone, 0), 0u)
        << dialogs.messages[1].text;
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(gone));
}

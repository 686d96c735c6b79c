#include "core/quiz/quizfile.h"
#include "core/quiz/recordingsetupform.h"
#include "ports/dialogs.h"
#include "support/testfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quiz;
using quiz::test::TestFolder;

namespace
{

struct Message {
    std::string text, title;
    MessageIcon icon;
};

class RecordingDialogs : public Dialogs
{
  public:
    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons) override
    {
        messages.push_back({text, title, icon});
        return MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string &, const std::string &, const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<FontChoice> font(const std::string &, const FontChoice &) override { return std::nullopt; }
    std::optional<PrintTarget> print(const std::string &) override { return std::nullopt; }
    std::vector<Message> messages;
};

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

void expectSameQuizValues(const QuizState &a, const QuizState &b)
{
    EXPECT_EQ(a.displayCount, b.displayCount);
    EXPECT_EQ(a.displayAreas[0].width, b.displayAreas[0].width);
    EXPECT_EQ(a.displayAreas[0].height, b.displayAreas[0].height);
    EXPECT_EQ(a.displayAreas[0].left, b.displayAreas[0].left);
    EXPECT_EQ(a.displayAreas[0].top, b.displayAreas[0].top);
    for (int p = 0; p < a.displayCount; ++p)
        for (int t = 0; t < 2; ++t)
            EXPECT_EQ(a.annotationPositions[p][t], b.annotationPositions[p][t]) << p << "," << t;
    EXPECT_EQ(a.reserved1, b.reserved1);
    EXPECT_EQ(a.reserved2, b.reserved2);
    EXPECT_EQ(a.displayFontColour, b.displayFontColour);
    EXPECT_EQ(a.displayFontName, b.displayFontName);
    EXPECT_EQ(a.displayFontBold, b.displayFontBold);
    EXPECT_EQ(a.displayFontItalic, b.displayFontItalic);
    EXPECT_EQ(a.displayFontSize, b.displayFontSize);
    EXPECT_EQ(a.showScores, b.showScores);
    EXPECT_EQ(a.showKeypadNames, b.showKeypadNames);
    EXPECT_EQ(a.onFinishChoice, b.onFinishChoice);
    EXPECT_EQ(a.autoStart, b.autoStart);
    EXPECT_EQ(a.displayFontStrikeThrough, b.displayFontStrikeThrough);
    EXPECT_EQ(a.displayFontUnderline, b.displayFontUnderline);
    EXPECT_EQ(a.useWeightings, b.useWeightings);
    EXPECT_EQ(a.showNumberOfMaxScorers, b.showNumberOfMaxScorers);
    EXPECT_EQ(a.showOnlyMaxScorers, b.showOnlyMaxScorers);
    EXPECT_EQ(a.keypadsStartFrom, b.keypadsStartFrom);
    EXPECT_EQ(a.textToAdd, b.textToAdd);
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
    RecordingDialogs dialogs;
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
}

TEST(QuizFile, ReadingWithoutAFormStillFillsTheState)
{
    TestFolder data;
    const QuizState written = changedState(data.str());
    RecordingSetupForm writerForm;
    writerForm.showScores = 0;
    RecordingDialogs dialogs;
    ASSERT_TRUE(WriteQuizSetup(written, data.str() + "/quiz.quz", writerForm, dialogs));
    QuizState read;
    read.dataFolder = data.str();
    ReadQuizSetup(read, data.str() + "/QUIZ.QUZ", nullptr); // found ignoring case
    expectSameQuizValues(read, written);
}

TEST(QuizFile, QuestionsWhoseFileIsGoneAreLeftOut)
{
    TestFolder data;
    data.write("q1.tlx", "");
    data.write("q3.tlx", "");
    data.write("quiz.quz", "3\r\n\"q1.tlx\"\r\n\"q2.tlx\"\r\n\"Q3.TLX\"\r\n4,0,0,1,1\r\n");
    QuizState state;
    state.dataFolder = data.str();
    RecordingSetupForm form;
    form.available = {"q2.tlx", "q3.tlx"};
    ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
    EXPECT_EQ(form.quiz, (std::vector<std::string>{"q1.tlx", "Q3.TLX"}));
    EXPECT_EQ(form.available, std::vector<std::string>{"q2.tlx"});
    EXPECT_EQ(state.displayCount, 4);
}

TEST(QuizFile, AnOlderFileEndingAfterAutostartKeepsTheLaterValues)
{
    TestFolder data;
    data.write("quiz.quz", "0\r\n5,0.1,0.2,0.5,0.6\r\n"
                           "1,2,3,4\r\n1,2,3,4\r\n1,2,3,4\r\n1,2,3,4\r\n1,2,3,4\r\n"
                           "20,20,255\r\n\"\",#TRUE#,#FALSE#,18\r\n1,1\r\n0\r\n\"autostart=False\"\r\n");
    QuizState state;
    state.dataFolder = data.str();
    state.displayFontUnderline = true;
    state.useWeightings = 1;
    state.showOnlyMaxScorers = true;
    state.keypadsStartFrom = 6;
    state.textToAdd = {"keep", "these"};
    RecordingSetupForm form;
    ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
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

TEST(QuizFile, AMissingFileChangesNothing)
{
    TestFolder data;
    QuizState state;
    state.dataFolder = data.str();
    state.displayCount = 7;
    RecordingSetupForm form;
    ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
    ReadQuizSetup(state, data.str() + "/", &form); // an empty quiz file name
    EXPECT_EQ(state.displayCount, 7);
    EXPECT_TRUE(state.annotationPositions.empty());
    EXPECT_TRUE(form.quiz.empty());
    EXPECT_FALSE(form.font.has_value());
    EXPECT_TRUE(form.text1.empty());
}

TEST(QuizFile, MalformedAndTruncatedFilesKeepWhatCannotBeRead)
{
    TestFolder data;
    data.write("q1.tlx", "");
    data.write("quiz.quz", "many\r\n\"q1.tlx\"\r\nabc,0.3,x,0.5\r\n1,2,3");
    QuizState state;
    state.dataFolder = data.str();
    RecordingSetupForm form;
    ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
    // No count: no question is read, the name is taken as the next items.
    EXPECT_TRUE(form.quiz.empty());
    EXPECT_EQ(state.displayCount, 5);
    EXPECT_EQ(state.displayFontName, "Arial");
    EXPECT_EQ(state.displayFontSize, 24);
    EXPECT_TRUE(state.autoStart);
    EXPECT_EQ(form.text1, "5");

    data.write("quiz.quz", "1\r\n\"q1.tlx\"\r\n200,0.1,0.2,0.3,0.4\r\n");
    ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
    EXPECT_EQ(state.displayCount, 5) << "more places than the display holds are not taken";
    EXPECT_EQ(state.displayAreas[0].left, 0.1f);
    EXPECT_EQ(state.displayAreas[0].height, 0.4f);
}

TEST(QuizFile, TheWizardGetsItsListsAndDisplayCountOnly)
{
    TestFolder data;
    data.write("q1.tlx", "");
    RecordingSetupForm writerForm;
    writerForm.quiz = {"q1.tlx"};
    writerForm.showScores = 0;
    RecordingDialogs dialogs;
    QuizState written = changedState(data.str());
    ASSERT_TRUE(WriteQuizSetup(written, data.str() + "/quiz.quz", writerForm, dialogs));
    QuizState state;
    state.dataFolder = data.str();
    RecordingSetupForm wizard(SetupFormKind::QuizWizard);
    ReadQuizSetup(state, data.str() + "/quiz.quz", &wizard);
    EXPECT_EQ(wizard.quiz, std::vector<std::string>{"q1.tlx"});
    EXPECT_EQ(wizard.displayCountBox, "3");
    EXPECT_TRUE(wizard.text1.empty());
    EXPECT_FALSE(wizard.onFinish.has_value());
    EXPECT_TRUE(wizard.addText.empty());
    expectSameQuizValues(state, written);
}

TEST(QuizFile, TextsToAddWrittenByHandAreSplitAtCommas)
{
    TestFolder data;
    data.write("quiz.quz",
               "0\r\n1,0,0,1,1\r\n1,2,3,4\r\n20,20,0\r\n\"Arial\",#FALSE#,#FALSE#,24\r\n"
               "1,1\r\n1\r\n\"autostart=True\"\r\n#FALSE#,#FALSE#\r\n0\r\n#FALSE#\r\n#FALSE#\r\n1\r\n"
               "txttoadd=,first,second\r\n");
    QuizState state;
    state.dataFolder = data.str();
    RecordingSetupForm form;
    ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
    EXPECT_EQ(state.textToAdd, (std::array<std::string, 2>{"first", "second"}));
    EXPECT_EQ(form.addText, "second");
}

TEST(QuizFile, ATeamQuizFileFindsItsCountAfterItsOwnLines)
{
    TestFolder data;
    data.write("q1.tlx", "");
    data.write("q2.tlx", "");
    data.write("team.cfg", "\"Red\",1,2\r\n\"Blue\",3,4\r\n2\r\n\"q1.tlx\"\r\n\"q2.tlx\"\r\n3,0,0,1,1\r\n");
    QuizState state;
    state.dataFolder = data.str();
    RecordingSetupForm form;
    ReadQuizSetup(state, data.str() + "/team.cfg", &form);
    EXPECT_EQ(form.quiz, (std::vector<std::string>{"q1.tlx", "q2.tlx"}));
    EXPECT_EQ(state.displayCount, 3);
}

TEST(QuizFile, NoSetUpFileBesideATeamFilePresetsTheFontOnly)
{
    TestFolder data;
    data.write("team.cfg", "x");
    QuizState state;
    state.dataFolder = data.str();
    state.displayFontName = "Courier";
    RecordingSetupForm form;
    ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
    ASSERT_TRUE(form.font.has_value());
    EXPECT_EQ(form.font->name, "Arial");
    EXPECT_EQ(state.displayFontName, "Courier");
    EXPECT_TRUE(form.quiz.empty());
}

TEST(QuizFile, AReadOnlyFileIsNotSaved)
{
    TestFolder data;
    const auto path = data.write("quiz.quz", "old");
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    RecordingSetupForm form;
    RecordingDialogs dialogs;
    EXPECT_FALSE(WriteQuizSetup(QuizState{}, path.string(), form, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, path.string() + " is read only - not saving quiz setup");
    EXPECT_EQ(dialogs.messages[0].title, "Quiz");
    EXPECT_EQ(data.read("quiz.quz"), "old");
}

TEST(QuizFile, AFailedSaveSaysSoAndKeepsNoHalfFile)
{
    TestFolder data;
    RecordingSetupForm form;
    RecordingDialogs dialogs;
    const std::string path = data.str() + "/gone/quiz.quz";
    EXPECT_FALSE(WriteQuizSetup(QuizState{}, path, form, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind("The quiz setup could not be saved to " + path, 0), 0u)
        << dialogs.messages[0].text;
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(path));
}

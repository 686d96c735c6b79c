#include "core/common/fileutil.h"
#include "core/common/writeformat.h"
#include "core/quiz/quizfile.h"
#include "core/quiz/recordingsetupform.h"
#include "fakes/fakedialogs.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

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
    s.annotationPositions = {{PointD{1, 2}, PointD{3, 4.5}, PointD{}}};
    RecordingSetupForm form;
    form.quiz = {"q1.tlx", "Q 2.tlx"};
    form.showScores = 1;
    s.textToAdd = {"a", ""};
    // Place 1 has no positions yet: written as automatic.
    EXPECT_EQ(formatQuizSetup(s, form), readTextFile(test::dataPath("quiz/written.quz")).value_or("no file"));
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

// What a read left in the state and the form, by field name.
std::map<std::string, std::string> described(const QuizState &s, const RecordingSetupForm &f)
{
    const auto join = [](const std::vector<std::string> &v) {
        std::string out;
        for (const std::string &x : v)
            out += (out.empty() ? "" : ",") + x;
        return out;
    };
    const auto n = [](auto v) { return std::to_string(v); };
    const DisplayArea &area = s.displayAreas[0];
    return {{"count", n(s.displayCount)},
            {"font", s.displayFontName},
            {"colour", n(s.displayFontColour)},
            {"bold", n(s.displayFontBold)},
            {"size", n(s.displayFontSize)},
            {"onfinish", n(s.onFinishChoice)},
            {"autostart", n(s.autoStart)},
            {"underline", n(s.displayFontUnderline)},
            {"weightings", n(s.useWeightings)},
            {"onlymax", n(s.showOnlyMaxScorers)},
            {"startfrom", n(s.keypadsStartFrom)},
            {"texts", s.textToAdd[0] + "," + s.textToAdd[1]},
            {"places", n(s.annotationPositions.size())},
            {"pos41", s.annotationPositions.size() > 4 ? formatNumber(s.annotationPositions[4][1].x) + "," +
                                                             formatNumber(s.annotationPositions[4][1].y)
                                                       : "none"},
            {"left", formatSingle(area.left)},
            {"height", formatSingle(area.height)},
            {"quiz", join(f.quiz)},
            {"available", join(f.available)},
            {"text1", f.text1},
            {"formweightings", f.useWeightings ? n(*f.useWeightings) : "unset"},
            {"addtext", f.addText},
            {"formfont", f.font ? f.font->name : "unset"}};
}

using Reads = test::RowTest;

TEST_P(Reads, LeaveWhatTheFileHoldsAndKeepWhatCannotBeRead)
{
    const test::Row &r = GetParam();
    TestFolder data;
    if (!r[1].empty())
        data.write(r[1], r[2]);
    for (const std::string &name : r.list(3))
        data.write(name, "");
    QuizState state;
    state.dataFolder = data.str();
    if (r[4] == "older") {
        state.displayFontUnderline = state.showOnlyMaxScorers = true;
        state.useWeightings = 1;
        state.keypadsStartFrom = 6;
        state.textToAdd = {"keep", "these"};
    }
    state.displayCount = r[4] == "count7" ? 7 : state.displayCount;
    state.displayFontName = r[4] == "courier" ? "Courier" : state.displayFontName;
    RecordingSetupForm form;
    form.available = {"q2.tlx", "q3.tlx"};
    ReadQuizSetup(state, data.str() + "/" + r[0], &form);
    const auto got = described(state, form);
    for (const std::string &expected : r.list(5, ';')) {
        const std::string field = expected.substr(0, expected.find('='));
        ASSERT_TRUE(got.count(field)) << field;
        EXPECT_EQ(field + "=" + got.at(field), expected);
    }
}
QUIZ_ROWS(Reads, "quiz/quizfile-reads.rows");

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

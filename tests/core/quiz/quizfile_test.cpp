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
    const auto opt = [&](auto v) { return v ? n(*v) : "unset"; };
    const DisplayArea &area = s.displayAreas[0];
    const auto &places = s.annotationPositions;
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
            {"places", n(places.size())},
            {"pos41",
             places.size() > 4 ? formatNumber(places[4][1].x) + "," + formatNumber(places[4][1].y) : "none"},
            {"left", formatSingle(area.left)},
            {"height", formatSingle(area.height)},
            {"quiz", join(f.quiz)},
            {"available", join(f.available)},
            {"text1", f.text1},
            {"formshow", n(f.showScores)},
            {"formonfinish", opt(f.onFinish)},
            {"formautostart", opt(f.autoStart)},
            {"formweightings", opt(f.useWeightings)},
            {"formmaxcount", opt(f.showNumberOfMaxScorers)},
            {"formonlymax", opt(f.showOnlyMaxScorers)},
            {"formstartfrom", f.keypadsStartFrom},
            {"countbox", f.displayCountBox},
            {"addtext", f.addText},
            {"formfont", f.font ? f.font->name : "unset"},
            {"fontstyle", f.font ? n(f.font->size) + n(f.font->bold) + n(f.font->italic) : "unset"}};
}

void expectFields(const std::map<std::string, std::string> &got, const std::string &expected)
{
    for (const std::string &field : test::splitTrimmed(expected, ';')) {
        const std::string name = field.substr(0, field.find('='));
        ASSERT_TRUE(got.count(name)) << name;
        EXPECT_EQ(name + "=" + got.at(name), field);
    }
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

// A file whose every value differs from the start-up defaults is read and written
// back byte for byte (a single's digits included); the wizard gets its lists and the
// display count only; without a form the file is found ignoring case.
TEST(QuizFile, ReadThenWriteGivesTheFileBack)
{
    TestFolder data;
    data.write("q1.tlx", "");
    data.write("Q2.TLX", "");
    const std::string text = readTextFile(test::dataPath("quiz/changed.quz")).value_or("no file");
    data.write("quiz.quz", text);
    QuizState read;
    read.dataFolder = data.str();
    RecordingSetupForm form, none;
    form.available = {"Q1.TLX", "q3.tlx", "q2.tlx"};
    ReadQuizSetup(read, data.str() + "/quiz.quz", &form);
    expectFields(described(read, form),
                 "quiz=q1.tlx,Q2.TLX; available=q3.tlx; formshow=0; formonfinish=0; formautostart=0; "
                 "formweightings=1; formmaxcount=1; formonlymax=1; formstartfrom=4; text1=6; "
                 "addtext=next round \"soon\"; formfont=Times \"New\" Roman; fontstyle=3111");
    FakeDialogs dialogs;
    ASSERT_TRUE(WriteQuizSetup(read, data.str() + "/again.quz", form, dialogs));
    EXPECT_EQ(data.read("again.quz"), text);
    EXPECT_TRUE(dialogs.messages.empty());
    for (const bool wizard : {true, false}) {
        QuizState other;
        other.dataFolder = data.str();
        RecordingSetupForm wizardForm(SetupFormKind::QuizWizard);
        ReadQuizSetup(other, data.str() + (wizard ? "/quiz.quz" : "/QUIZ.QUZ"),
                      wizard ? &wizardForm : nullptr);
        EXPECT_EQ(formatQuizSetup(other, none), formatQuizSetup(read, none));
        if (wizard)
            expectFields(described(other, wizardForm),
                         "quiz=q1.tlx,Q2.TLX; countbox=3; text1=; formonfinish=unset; addtext=");
    }
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
    EXPECT_EQ(state.annotationPositions.at(4)[1], (PointD{0.6, 0.8}));
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
    expectFields(described(state, form), r[5]);
}
QUIZ_ROWS(Reads, "quiz/quizfile-reads.rows");

// A display count outside 1..99 is rejected, but the place records the file
// holds for it are passed over, so that every later record keeps its meaning.
TEST(QuizFile, ARejectedDisplayCountKeepsTheLaterRecordsInPlace)
{
    for (const int count : {0, -3, 100, 250}) {
        std::string text = "0\r\n" + std::to_string(count) + ",0.1,0.2,0.3,0.4\r\n";
        for (int p = 0; p < count; ++p)
            text += "1,2,3,4\r\n";
        text += "20,20,255\r\n\"Courier\",#TRUE#,#FALSE#,31\r\n0,1\r\n1\r\n\"autostart=False\"\r\n"
                "#FALSE#,#TRUE#\r\n1\r\n#FALSE#\r\n#TRUE#\r\n3\r\n\"txttoadd=\",\"Score \",\" pts\"\r\n";
        TestFolder data;
        data.write("quiz.quz", text);
        QuizState state;
        state.dataFolder = data.str();
        state.displayCount = 7;
        RecordingSetupForm form;
        ReadQuizSetup(state, data.str() + "/quiz.quz", &form);
        SCOPED_TRACE(count);
        expectFields(described(state, form), "count=7; colour=255; font=Courier; onfinish=1; startfrom=3; "
                                             "texts=Score , pts");
    }
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
    EXPECT_EQ(dialogs.said(0), "Quiz|" + path.string() + " is read only - not saving quiz setup|none|ok");
    EXPECT_EQ(data.read("quiz.quz"), "old");
    EXPECT_EQ(dialogs.messages[1].text.rfind("The quiz setup could not be saved to " + gone, 0), 0u)
        << dialogs.messages[1].text;
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(gone));
}

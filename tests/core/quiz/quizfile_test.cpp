#include "core/common/fileutil.h"
#include "core/common/writeformat.h"
#include "core/quiz/quizfile.h"
#include "core/setup/votelists.h"
#include "fakes/fakedialogs.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace quiz;

namespace
{

// Reads the file over the state's values into the state; what the read left
// in the state and what a set-up form whose available list was `available`
// would show, by field name ("unset": the file held no font preset).
std::map<std::string, std::string> readInto(QuizState &s, const std::string &path,
                                            const std::vector<std::string> &available = {})
{
    const QuizSetupRead r = ReadQuizSetup(path, s.dataFolder, setupOf(s));
    applySetup(s, r.setup);
    const QuizSetup &f = r.setup;
    const auto join = [](const std::vector<std::string> &v) {
        std::string out;
        for (const std::string &x : v)
            out += (out.empty() ? "" : ",") + x;
        return out;
    };
    const auto n = [](auto v) { return std::to_string(v); };
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
            {"quiz", join(f.questions)},
            {"available", join(withoutQuizVotes(available, f.questions))},
            {"text1", r.found ? n(lastPlace(f)) : ""},
            {"formshow", n(f.showScores)},
            {"records", n(r.laterRecords)}, // the records after autostart the file held
            {"maxcount", n(f.showNumberOfMaxScorers)},
            {"formfont", r.fontPreset ? r.fontPreset->name : "unset"},
            {"fontstyle", r.fontPreset
                              ? n(r.fontPreset->size) + n(r.fontPreset->bold) + n(r.fontPreset->italic)
                              : "unset"}};
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

// A file whose every value differs from the start-up defaults is read and written
// back byte for byte (a single's digits included); the file is found ignoring case.
TEST(QuizFile, ReadThenWriteGivesTheFileBack)
{
    test::TestFolder data;
    data.write("q1.tlx", "");
    data.write("Q2.TLX", "");
    const std::string text = readTextFile(test::dataPath("quiz/changed.quz")).value_or("no file");
    data.write("quiz.quz", text);
    QuizState read;
    read.dataFolder = data.str();
    expectFields(readInto(read, data.str() + "/quiz.quz", {"Q1.TLX", "q3.tlx", "q2.tlx"}),
                 "quiz=q1.tlx,Q2.TLX; available=q3.tlx; formshow=0; onfinish=0; autostart=0; records=6; "
                 "weightings=1; maxcount=1; onlymax=1; startfrom=4; text1=6; "
                 "texts=Well done, team,next round \"soon\"; formfont=Times \"New\" Roman; fontstyle=3111");
    const QuizSetup setup = ReadQuizSetup(data.str() + "/QUIZ.QUZ", data.str()).setup;
    EXPECT_EQ(formatQuizSetup(setup),
              formatQuizSetup(ReadQuizSetup(data.str() + "/quiz.quz", data.str()).setup));
    test::FakeDialogs dialogs;
    ASSERT_TRUE(WriteQuizSetup(setup, data.str() + "/again.quz", dialogs));
    EXPECT_EQ(data.read("again.quz"), text);
    EXPECT_TRUE(dialogs.messages.empty());
    QuizSetup more = setup; // a fourth place the set-up does not hold yet is written as automatic
    more.places.resize(3);
    more.displayCount = 4;
    std::string expected = text;
    expected.replace(expected.find("3,0.1,"), 1, "4");
    expected.insert(expected.find("21,19,"), "-1,-1,-1,-1\r\n");
    EXPECT_EQ(formatQuizSetup(more), expected);
}

using Reads = test::RowTest;

TEST_P(Reads, LeaveWhatTheFileHoldsAndKeepWhatCannotBeRead)
{
    const test::Row &r = GetParam();
    std::string content = r[2]; // "{N places}": N lines of place positions
    if (const size_t end = content.find(" places}"); end != std::string::npos) {
        const size_t open = content.rfind('{', end);
        std::string lines;
        for (int p = std::stoi(content.substr(open + 1)); p > 0; --p)
            lines += "1,2,3,4\r\n";
        content.replace(open, end + 8 - open, lines);
    }
    test::TestFolder data;
    if (!r[1].empty())
        data.write(r[1], content);
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
    expectFields(readInto(state, data.str() + "/" + r[0], {"q2.tlx", "q3.tlx"}), r[5]);
}
QUIZ_ROWS(Reads, "quiz/quizfile-reads.rows");

// A read-only quiz file refused is the setup-save scenario's.
TEST(QuizFile, ASaveThatFailsSaysSoAndWritesNothing)
{
    test::TestFolder data;
    const std::string gone = data.str() + "/gone/quiz.quz";
    test::FakeDialogs dialogs;
    EXPECT_FALSE(WriteQuizSetup(QuizSetup{}, gone, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind("The quiz setup could not be saved to " + gone, 0), 0u)
        << dialogs.messages[0].text;
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(gone));
}

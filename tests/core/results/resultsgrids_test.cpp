// The results tables' core: question files, the three grids, groups and the
// window's load, on question files under tests/data/results and votes in memory.

#include "core/results/groups.h"
#include "core/results/resultsbuild.h"
#include "core/results/resultslayout.h"
#include "core/results/resultstableexport.h"
#include "core/results/resultstableload.h"
#include "core/results/resultswithtext.h"
#include "fakes/fakedialogs.h"
#include "fakes/fakerun.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <map>

using namespace quiz;

namespace
{

const std::string dataDir = std::string(QUIZ_TEST_DATA) + "/results";

using Tables = test::RowTest;

TEST_P(Tables, QuestionFilesWindowLayoutsAndFileNames)
{
    const test::Row &r = GetParam();
    const auto opt = [](std::optional<int> v) { return v ? std::to_string(*v) : std::string("-"); };
    if (r.name == "file") {
        const auto q = LoadQuestionFile(r[0], dataDir);
        ASSERT_TRUE(q);
        EXPECT_EQ(q->name + "|" + q->voteType + "|" + std::to_string(q->optionCount) + "|" +
                      std::to_string(q->itemCount) + "|" + std::to_string(q->firstOption) + "|" +
                      q->correctAnswers + "|" + q->weighting(2),
                  r[0] + "|" + r[1] + "|" + r[2] + "|" + r[3] + "|" + r[4] + "|" + r[5] + "|" + r[6]);
    } else if (r.name == "layout") {
        const auto size = r.floats(0);
        const ResultsLayout l = resultsWindowLayout(int(size[0]), int(size[1]));
        EXPECT_EQ(opt(l.tabHeight) + "," + opt(l.keypadHeight) + "," + opt(l.fullWidth), r[1]);
        EXPECT_EQ(l.exitLeft, r.num(2));
        EXPECT_EQ(l.insertLeft, r.num(2) - 2040);
        EXPECT_EQ(l.exportLeft, r.num(3));
    } else {
        EXPECT_EQ(invalidExtensionMessage(r[0]), r[1]);
    }
}
QUIZ_ROWS(Tables, "results/tables.rows");

TEST(QuestionFile, MissingFileAndFolderOfAnotherMachine)
{
    EXPECT_FALSE(LoadQuestionFile("absent.tlx", dataDir));
    EXPECT_EQ(LoadQuestionFile("C:\\Shows\\rank.tlx", dataDir)->name, "rank.tlx");
    EXPECT_EQ(presentationFolderOf("/show.pptx"), "/"); // a presentation in the root folder
    EXPECT_EQ(presentationFolderOf(""), "");            // never saved
}

QuestionInfo question(std::string name, std::string type, int options, int items, std::string correct,
                      std::vector<std::string> weightings = {})
{
    QuestionInfo q;
    q.name = std::move(name);
    q.voteType = std::move(type);
    q.optionCount = options;
    q.itemCount = items;
    q.firstOption = 1;
    q.correctAnswers = std::move(correct);
    q.weightings = std::move(weightings);
    return q;
}

struct Built {
    ResultsGrids grids;
    BuildOutcome outcome;
    std::vector<std::string> captions;
};

Built build(const std::vector<QuestionInfo> &questions, const std::map<std::string, std::string> &votes,
            std::vector<Participant> names = {})
{
    Built b;
    b.outcome = BuildResultGrids(questions,
                                 [&](const std::string &key) {
                                     const auto it = votes.find(key);
                                     return it == votes.end() ? std::string() : it->second;
                                 },
                                 names, b.grids, {[&](const std::string &c) { b.captions.push_back(c); }});
    return b;
}

std::string row(const ResultsGrid &g, int r)
{
    std::string s;
    for (int c = 0; c < g.cols(); ++c)
        s += (c ? "|" : "") + g.text(r, c) + (g.marked(r, c, MarkGreen) ? "*" : "");
    return s;
}

// The grids of a block of question files, votes and names (tests/data/results/grids.txt).
using GridBlocks = ::testing::TestWithParam<test::Block>;

TEST_P(GridBlocks, BuildFromTheVotes)
{
    std::vector<QuestionInfo> qs;
    std::map<std::string, std::string> votes, texts;
    std::vector<Participant> names;
    bool withText = false;
    for (const auto &[key, c] : GetParam().lines) {
        const auto cell = [&c](size_t i) { return i < c.size() ? c[i] : std::string(); };
        if (key == "file") {
            qs.push_back(
                question(c[0], c[1], std::stoi(c[2]), std::stoi(c[3]), cell(4), test::splitTrimmed(cell(5))));
            qs.back().optionTexts = test::splitTrimmed(cell(6), ';');
        } else if (key == "votes" || key == "texts") {
            (key == "votes" ? votes : texts)[c[0]] = cell(1);
        } else if (key == "name") {
            names.push_back({c[0], std::stoi(c[1]), 1});
        } else if (key != "marked" && key != "outcome" && key != "caption" && key != "keypads" &&
                   key != "questions" && key != "with-text") {
            ADD_FAILURE() << "a line nobody reads: " << key;
        }
        withText = withText || key == "with-text";
    }
    Built b = build(qs, votes, names);
    if (withText)
        CreateResultsWithText(qs, texts, b.grids, [](const std::string &) {});
    const std::map<std::string, const ResultsGrid *> grids{{"keypads", &b.grids.keypadResults},
                                                           {"questions", &b.grids.questionResults},
                                                           {"with-text", &b.grids.questionFull}};
    std::map<std::string, std::string> got{{"caption", b.captions.empty() ? "" : b.captions.back() + "\n"},
                                           {"outcome", b.outcome == BuildOutcome::Built ? "built\n"
                                                       : b.outcome == BuildOutcome::NoVotingSlides
                                                           ? "no voting slides\n"
                                                           : "no vote data\n"}};
    for (const auto &[name, g] : grids)
        for (int r = 0; r < g->rows(); ++r)
            got[name] += row(*g, r) + "\n";
    std::map<std::string, std::string> expected;
    for (const auto &[key, c] : GetParam().lines) {
        std::string line;
        for (size_t i = 0; i < c.size(); ++i)
            line += (i ? "|" : "") + c[i];
        if (key == "marked") {
            const ResultsGrid &g = *grids.at(c[0]);
            const int r = std::stoi(c[1]), column = std::stoi(c[2]);
            const bool marked = c[3] == "centre-top"
                                    ? g.align(r, column) == CellAlign::CenterTop
                                    : g.marked(r, column, c[3] == "blue" ? MarkBlue : MarkButtonFace);
            got[key] += c[0] + "|" + c[1] + "|" + c[2] + "|" + c[3] + "|" + (marked ? "yes" : "no") + "\n";
        } else if (!grids.count(key) && key != "outcome" && key != "caption") {
            continue;
        }
        expected[key] += line + "\n";
    }
    EXPECT_FALSE(expected.empty()) << "a block without an expectation";
    for (const auto &[key, text] : expected)
        EXPECT_EQ(got[key], text) << key;
}
QUIZ_BLOCKS(GridBlocks, "results/grids.txt");

TEST(ResultGrids, LineLengthCountsAsTheSplit)
{
    for (const char *line : {"", ";", ";;", "1;2;3;", "1;2;3", "12-4AX", "10;;-"})
        EXPECT_EQ(voteLineLength(line), splitVoteLine(line).size()) << line;
}

// The question tag moves from a VOTE shape to its slide; a slide where it
// already moved asks nothing of the host, so a second scan changes nothing.
TEST(QuestionTable, TagsMoveOnceFromShapeToSlide)
{
    struct CountingHost : test::FakeHost {
        int changes = 0;
        void setSlideTag(int i, const std::string &t, const std::string &v) override
        {
            ++changes;
            FakeHost::setSlideTag(i, t, v);
        }
        void deleteShapeTag(int i, const std::string &s, const std::string &t) override
        {
            ++changes;
            FakeHost::deleteShapeTag(i, s, t);
        }
    } host;
    host.addSlide({{"VOTE", "v.exe a.tlx,1"}}).shapes[0].tags["QuiztlxName"] = "a.tlx";
    host.addSlide({{"VOTE", "v.exe b.tlx,1"}}).tags["QUIZTLXNAME"] = "b.tlx";
    EXPECT_EQ(LoadVotingSlides(host, dataDir, [](const std::string &) {}).size(), 2u);
    EXPECT_EQ(host.changes, 2);
    EXPECT_EQ(host.slides[0].tags.at("QuiztlxName"), "a.tlx");
    EXPECT_TRUE(host.slides[0].shapes[0].tags.empty());
    LoadVotingSlides(host, dataDir, [](const std::string &) {});
    EXPECT_EQ(host.changes, 2);
}

TEST(Groups, ListingParsingColumnsAndRemoval)
{
    test::TestFolder folder;
    folder.write("Fans.grp", "\"a.tlx\",\" 2 \"");
    folder.write("Team.GRP", "a.tlx,1");
    folder.write("Nobody.grp", "a.tlx,3.0,extra");
    folder.write("Broken.grp", "no comma");
    EXPECT_EQ(GetGroups(folder.str()), (std::vector<std::string>{"Broken", "Fans", "Nobody"}));
    const auto quoted = parseGroupFile("\"a.tlx\",\" 2 \"");
    const auto plain = parseGroupFile("a.tlx,2");
    ASSERT_TRUE(quoted && plain);
    EXPECT_EQ(quoted->questionKey + quoted->answerValue, plain->questionKey + plain->answerValue);

    std::vector<QuestionInfo> qs = {question("a.tlx", "Single", 3, 1, "2", {"1", "1", "3"}),
                                    question("b.tlx", "Single", 3, 1, "")};
    Built b = build(qs, {{"a.tlx", "221"}, {"b.tlx", "13-"}});
    CreateResultsWithText(qs, {}, b.grids, [](const std::string &) {});
    GroupChooser chooser;
    chooser.fill(folder.str());
    test::FakeDialogs dialogs;
    EXPECT_FALSE(chooser.addGroup(b.grids, folder.str(), "Broken", dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text + "/" + dialogs.messages[0].title,
              "Unable to load group information/Group data error");
    EXPECT_TRUE(chooser.addGroup(b.grids, folder.str(), "Fans", dialogs));
    EXPECT_TRUE(chooser.addGroup(b.grids, folder.str(), "Nobody", dialogs));
    const ResultsGrid &f = b.grids.questionFull;
    // Members of Fans: keypads 1 and 2 (answer "2 (3)"); on b.tlx they gave 1 and 3.
    std::string fans, nobody;
    for (int r = 0; r < f.rows(); ++r) {
        fans += f.text(r, 4) + ",";
        nobody += f.text(r, 5) + ",";
    }
    EXPECT_EQ(fans, "Fans,0,2,0,2,1,0,1,2,");
    EXPECT_EQ(nobody, "Nobody,No members in group,,,,,,,,");
    EXPECT_EQ(chooser.entries, std::vector<std::string>{"Broken"});

    dialogs.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    EXPECT_FALSE(chooser.removeGroupColumn(b.grids, 3, dialogs)); // asks nothing
    EXPECT_FALSE(chooser.removeGroupColumn(b.grids, 4, dialogs));
    EXPECT_TRUE(chooser.removeGroupColumn(b.grids, 4, dialogs));
    EXPECT_EQ(dialogs.messages.back().text + "/" + dialogs.messages.back().title,
              "Remove Fans/Delete Column");
    EXPECT_EQ(f.cols(), 5);
    EXPECT_EQ(f.text(0, 4) + f.text(1, 4), "NobodyNo members in group");
    EXPECT_EQ(chooser.entries, (std::vector<std::string>{"Broken", "Fans"}));
    EXPECT_TRUE(chooser.enabled);

    GroupChooser last;
    last.entries = {"Fans"};
    EXPECT_TRUE(last.addGroup(b.grids, folder.str(), "Fans", dialogs));
    EXPECT_FALSE(last.enabled);
}

// No votes.rec and no voting slides end the run; votes of no slide's question only say so.
using TableLoading = test::RowTest;

TEST_P(TableLoading, EndsWithItsMessages)
{
    const test::Row &r = GetParam();
    test::TestFolder folder;
    if (r.flag(0))
        folder.write("VOTES.REC", "C:\\x\\other.tlx,1,2,\"12\",05/12/2026,20:10:31\r\n");
    test::FakeRun run;
    if (r.flag(1))
        run.host.addSlide({{"Vote", "v.exe series.tlx,1"}});
    run.host.presentationPath = dataDir + "/show.pptx";
    run.ctx.state.dataFolder = folder.str();
    run.ctx.state.modeWord = "RESULTSTABLE";
    bool timer = false;
    ResultsGrids grids;
    std::vector<QuestionInfo> questions;
    GroupChooser groups;
    const int ended = test::runEndCode([&] {
        LoadResultsTable(run.ctx, {}, grids, questions, groups,
                         {[] {}, [](const std::string &) {}, [](bool) {}, [&] { timer = true; }, [] {}});
    });
    ASSERT_EQ(run.dialogs.messages.size(), 1u);
    EXPECT_EQ(run.dialogs.messages[0].title + "|" + run.dialogs.messages[0].text, r[2] + "|" + r[3]);
    EXPECT_EQ(ended, r.num(4));
    EXPECT_EQ(timer, r.flag(5));
}
QUIZ_ROWS(TableLoading, "results/loading.rows");

} // namespace

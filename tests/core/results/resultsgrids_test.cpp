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
#include <set>

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

std::string row(const ResultsGrid &g, int r)
{
    std::string s;
    for (int c = 0; c < g.cols(); ++c)
        s += (c ? "|" : "") + g.text(r, c) + (g.marked(r, c, MarkGreen) ? "*" : "");
    return s;
}

std::string joined(const std::vector<std::string> &items)
{
    std::string out;
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "|" : "") + items[i];
    return out;
}

// The grids of a block of question files, votes, names and groups, and what the group
// chooser does to them (tests/data/results/grids.txt).
using GridBlocks = ::testing::TestWithParam<test::Block>;

TEST_P(GridBlocks, BuildFromTheVotes)
{
    const std::set<std::string> setUp{"file", "votes", "texts", "name", "group"},
        checks{"marked", "outcome", "caption", "keypads", "questions", "with-text",
               "add",    "remove",  "groups",  "entries", "enabled",   "messages"};
    test::TestFolder folder;
    std::vector<QuestionInfo> qs;
    std::map<std::string, std::string> votes, texts;
    std::vector<Participant> names;
    for (const auto &[key, c] : GetParam().lines) {
        const auto cell = [&c](size_t i) { return i < c.size() ? c[i] : std::string(); };
        if (key == "file") {
            QuestionInfo &q = qs.emplace_back();
            q.name = c[0];
            q.voteType = c[1];
            q.optionCount = std::stoi(c[2]);
            q.itemCount = std::stoi(c[3]);
            q.firstOption = 1;
            q.correctAnswers = cell(4);
            q.weightings = test::splitTrimmed(cell(5));
            q.optionTexts = test::splitTrimmed(cell(6), ';');
        } else if (key == "votes" || key == "texts") {
            (key == "votes" ? votes : texts)[c[0]] = cell(1);
        } else if (key == "name") {
            names.push_back({c[0], std::stoi(c[1]), 1});
        } else if (key == "group") {
            folder.write(c[0], cell(1));
        }
        EXPECT_TRUE(setUp.count(key) || checks.count(key)) << "a line nobody reads: " << key;
    }
    ResultsGrids built;
    std::vector<std::string> captions;
    const BuildOutcome outcome = BuildResultGrids(
        qs, [&](const std::string &key) { return votes.count(key) ? votes.at(key) : std::string(); }, names,
        built, {[&](const std::string &caption) { captions.push_back(caption); }});
    if (outcome == BuildOutcome::Built)
        CreateResultsWithText(qs, texts, built, [](const std::string &) {});
    GroupChooser chooser;
    chooser.fill(folder.str());
    test::FakeDialogs dialogs;
    const std::map<std::string, const ResultsGrid *> grids{{"keypads", &built.keypadResults},
                                                           {"questions", &built.questionResults},
                                                           {"with-text", &built.questionFull}};
    std::map<std::string, std::string> got, expected;
    for (const auto &[key, c] : GetParam().lines) {
        if (setUp.count(key))
            continue;
        expected[key] += joined(c) + "\n";
        if (key == "add") {
            got[key] +=
                c[0] + "|" + (chooser.addGroup(built, folder.str(), c[0], dialogs) ? "yes" : "no") + "\n";
        } else if (key == "remove") {
            dialogs.messageAnswers = {c[1] == "Yes" ? MessageAnswer::Yes : MessageAnswer::No};
            const bool removed = chooser.removeGroupColumn(built, std::stoi(c[0]), dialogs);
            got[key] += c[0] + "|" + c[1] + "|" + (removed ? "yes" : "no") + "\n";
        } else if (key == "marked") {
            const ResultsGrid &g = *grids.at(c[0]);
            const int r = std::stoi(c[1]), column = std::stoi(c[2]);
            const bool marked = c[3] == "centre-top"
                                    ? g.align(r, column) == CellAlign::CenterTop
                                    : g.marked(r, column, c[3] == "blue" ? MarkBlue : MarkButtonFace);
            got[key] += joined({c[0], c[1], c[2], c[3], marked ? "yes" : "no"}) + "\n";
        }
    }
    got["caption"] = captions.empty() ? "" : captions.back() + "\n";
    got["outcome"] = outcome == BuildOutcome::Built            ? "built\n"
                     : outcome == BuildOutcome::NoVotingSlides ? "no voting slides\n"
                                                               : "no vote data\n";
    got["groups"] = joined(GetGroups(folder.str())) + "\n";
    got["entries"] = joined(chooser.entries) + "\n";
    got["enabled"] = chooser.enabled ? "yes\n" : "no\n";
    for (const test::ShownMessage &m : dialogs.messages)
        got["messages"] += m.title + "|" + m.text + "\n";
    for (const auto &[name, g] : grids)
        for (int r = 0; r < g->rows(); ++r)
            got[name] += row(*g, r) + "\n";
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

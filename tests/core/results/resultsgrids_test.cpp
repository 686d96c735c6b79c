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

TEST(ResultGrids, CompactAndListAnswersSeriesCaptionsScoresAndVoted)
{
    const std::vector<QuestionInfo> qs = {
        question("q1.tlx", "Single", 10, 1, "x4", {"1", "1", "1", "1", "2"}),
        question("s.tlx", "SERIES", 2, 2, ""), question("gone.tlx", "Single", 2, 1, "1")};
    const Built b = build(qs, {{"q1.tlx", "12-4AX"}, {"s.tlx;1of2", "1;2;;-;1;10;"}, {"s.tlx;2of2", "2;2"}});
    ASSERT_EQ(b.outcome, BuildOutcome::Built);
    const ResultsGrid &k = b.grids.keypadResults;
    EXPECT_EQ(row(k, 0), "Keypad Number|Raw\r\nScore|Weighted\r\nScore|q1.tlx|s.tlx   [Iteration 1]|"
                         "s.tlx   [Iteration 2]|gone.tlx");
    EXPECT_EQ(k.rows(), 7);
    EXPECT_EQ(row(k, 1), "1|0|0|1|1|2|");
    EXPECT_EQ(row(k, 3), "3|0|0|-|||");
    EXPECT_EQ(row(k, 4), "4|1|2|4 (2)*|-||");
    EXPECT_EQ(row(k, 5), "5|1|1|10*|1||");
    EXPECT_EQ(row(k, 6), "6|0|0|A|10||");
    EXPECT_TRUE(k.marked(1, 1, MarkBlue));
    EXPECT_EQ(k.align(1, 0), CellAlign::CenterTop);

    const ResultsGrid &q = b.grids.questionResults;
    EXPECT_EQ(row(q, 0), "|0|1|2|3|4|5|6|7|8|9|10|Voted");
    EXPECT_EQ(row(q, 1), "q1.tlx||1|1|0|1*|0|0|0|0|0|1*|4");
    EXPECT_EQ(row(q, 2), "s.tlx   [Iteration 1]||2|1|||||||||3");
    EXPECT_EQ(row(q, 4), "gone.tlx||0*|0|||||||||0");
    EXPECT_TRUE(q.marked(1, 1, MarkButtonFace));
    EXPECT_FALSE(q.marked(1, 11, MarkButtonFace));
}

TEST(ResultGrids, NamesSurplusRowsAndEnds)
{
    const std::vector<QuestionInfo> qs = {question("q.tlx", "RANK", 3, 2, "")};
    const Built b = build(qs, {{"q.tlx;1of2", "--12-"}, {"q.tlx;2of2", "---3"}},
                          {{"Ann", 3, 1}, {"Bob", 9, 1}, {"", 2, 1}, {"Chair", 0, 1}}); // keypad 0 not shown
    const ResultsGrid &k = b.grids.keypadResults;
    EXPECT_EQ(k.text(0, 0), "Participant Name");
    EXPECT_EQ(k.text(0, 4), "q.tlx   [Item 2]");
    ASSERT_EQ(k.rows(), 3); // keypads 3 and 4 voted
    EXPECT_EQ(row(k, 1), "Ann|0|0|1|-");
    EXPECT_EQ(row(k, 2), "|0|0|2|3");
    EXPECT_EQ(b.captions.back(), "Allocating Scores");
    // A later item's answers past the first item's keypads are kept too.
    const Built longer = build(qs, {{"q.tlx;1of2", "1"}, {"q.tlx;2of2", "-;-;3"}});
    EXPECT_EQ(row(longer.grids.keypadResults, 3), "3|0|0||3");

    EXPECT_EQ(build({}, {}).outcome, BuildOutcome::NoVotingSlides);
    EXPECT_EQ(build(qs, {}).outcome, BuildOutcome::NoVoteData);
}

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

TEST(ResultsWithText, OptionTextsFallbacksAndNoVotes)
{
    std::vector<QuestionInfo> qs = {question("a.tlx", "Single", 3, 1, "2"),
                                    question("r.tlx", "RANK", 2, 1, ""), question("t.tlx", "TEXT", 2, 1, ""),
                                    question("n.tlx", "Single", 2, 1, "")};
    qs[0].optionTexts = {"From file", "", ""};
    Built b = build(qs, {{"a.tlx", "2213"}, {"r.tlx;1of1", "1"}, {"t.tlx", "2"}});
    CreateResultsWithText(qs, {{"A.TLX", "Red\vGreen\r\n\r\n"}, {"T.TLX", ""}}, b.grids,
                          [](const std::string &) {});
    const ResultsGrid &f = b.grids.questionFull;
    const std::vector<std::string> expected = {
        "Question|Answer|Value|Votes",
        "a.tlx|Red|1|1",
        "a.tlx|Green*|2|2",
        "a.tlx|3|3|1",
        "a.tlx|Voted||4",
        "r.tlx   [Item 1]|Rank vote, unable to get value scale||1",
        "t.tlx|Text vote, unable to get text scale||1",
        "n.tlx|No Votes Collected||0",
    };
    ASSERT_EQ(f.rows(), static_cast<int>(expected.size()));
    for (int r = 0; r < f.rows(); ++r)
        EXPECT_EQ(row(f, r), expected[r]);
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
TEST(ResultsTableLoad, EndsWithItsMessages)
{
    for (const int slides : {-1, 0, 1}) {
        test::TestFolder folder;
        if (slides >= 0)
            folder.write("VOTES.REC", "C:\\x\\other.tlx,1,2,\"12\",05/12/2026,20:10:31\r\n");
        test::FakeRun run;
        if (slides == 1)
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
        const std::string messages[] = {
            "There are no votes for this meeting (votes.rec does not exist)",
            "No voting slides in presentation",
            "Voting data could not be found for talvix professional\r\n\r\nIf you have matrix exercises:\r\n"
            "Please go to that slide and edit the slide to extrtact data"};
        ASSERT_EQ(run.dialogs.messages.size(), 1u) << slides;
        EXPECT_EQ(run.dialogs.messages[0].title + "|" + run.dialogs.messages[0].text,
                  "Results Table|" + messages[slides + 1]);
        EXPECT_EQ(ended, slides < 1 ? 0 : -1) << slides;
        EXPECT_EQ(timer, slides == 1) << slides;
    }
}

} // namespace

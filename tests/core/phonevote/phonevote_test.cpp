// The rules of a phone evening: names, the roster, answers, and the records
// they become, read back by the program's own reader and scored.

#include "core/common/fileutil.h"
#include "core/controller/presenterurl.h"
#include "core/phonevote/roster.h"
#include "core/phonevote/slidevote.h"
#include "core/phonevote/votesession.h"
#include "core/votedata/voterecords.h"
#include "core/votedata/voterecordwriter.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using test::Row;

PhoneQuestion fourOptions(int countdown = 0)
{
    return {"q1.tlx", PhoneQuestionKind::Options, "Planets", "Which?", {"a", "b", "c", "d"}, countdown};
}

using PhoneRows = test::RowTest;

// Names, answers to a four-option vote numbered 7 and the addresses served at, one row a case
// (the address file beside the socket, private to its owner, is checked by e2e_phones).
TEST_P(PhoneRows, NamesAnswersAndServeAddresses)
{
    const Row &r = GetParam();
    std::string got, reason;
    ServeAddress at;
    if (r.name.starts_with("name")) {
        const std::optional<std::string> name = normalizeName(r[0], &reason);
        got = name ? *name : "!" + reason;
    } else if (r.name.starts_with("serve")) {
        got = parseServeAddress(r[0], &at) ? at.address + ":" + std::to_string(at.port) : "refused";
    } else {
        VoteSession vote;
        vote.open(7, fourOptions(), 2, 100.0);
        const char *outcomes[] = {"accepted", "closed", "not taken"};
        got = outcomes[static_cast<int>(vote.answer(r.num(2), 3, r[0], 101.0))];
        got += " " + std::to_string(vote.answerCount()); // nothing kept when refused
    }
    EXPECT_EQ(got, r[1]);
}
QUIZ_ROWS(PhoneRows, "phonevote/rules.rows");

TEST(PhoneRoster, KeypadsNamesAndRemoval)
{
    Roster roster("123456", {{"Ann", 2, 3}, {"Bob", 5, 1}});
    EXPECT_EQ(roster.join("123457", "Zed", "t0").refusal, JoinRefusal::WrongCode);
    EXPECT_EQ(roster.join("", "Zed", "t0").refusal, JoinRefusal::WrongCode);
    EXPECT_EQ(roster.unclaimedNames(), (std::vector<std::string>{"Ann", "Bob"}));
    const JoinResult ann = roster.join("123456", " ann ", "tA"); // claims the listed name
    EXPECT_EQ(ann.keypad, 2);
    EXPECT_EQ(ann.name, "Ann");
    EXPECT_EQ(roster.join("123456", "Ann", "tA2").name, "Ann (2)"); // keypad 1, the lowest free
    EXPECT_EQ(roster.byToken("tA2")->keypad, 1);
    EXPECT_EQ(roster.join("123456", "Ann", "tA3").keypad, 3);
    EXPECT_EQ(roster.byToken("tA3")->name, "Ann (3)");
    EXPECT_TRUE(roster.remove(3));
    EXPECT_EQ(roster.byToken("tA3"), nullptr);
    EXPECT_FALSE(roster.remove(3));
    const JoinResult late = roster.join("123456", "Ann", "tL"); // keypad 3 is not given again
    EXPECT_EQ(late.keypad, 4);
    EXPECT_EQ(late.name, "Ann (3)");
    EXPECT_EQ(roster.unclaimedNames(), (std::vector<std::string>{"Bob"}));
    EXPECT_EQ(roster.highestKeypad(), 5);
    EXPECT_EQ(formatNamesCsv(roster.participants()),
              "Keypad,Name,Weighting\r\n1,\"Ann (2)\",1\r\n2,\"Ann\",3\r\n"
              "4,\"Ann (3)\",1\r\n5,\"Bob\",1\r\n");
    EXPECT_EQ(newJoinCode().size(), 6u);
    EXPECT_NE(newToken(), newToken());
}

TEST(PhoneVote, LastAnswerCountsAndTheCountdownEnds)
{
    VoteSession vote;
    vote.open(1, fourOptions(20), 4, 50.0);
    EXPECT_EQ(vote.answer(1, 2, "1", 53.5), AnswerOutcome::Accepted);
    EXPECT_EQ(vote.answer(1, 2, "3", 57.25), AnswerOutcome::Accepted);
    EXPECT_EQ(vote.answer(1, 5, "4", 51.0), AnswerOutcome::Accepted); // beyond the keypads recorded
    EXPECT_EQ(*vote.secondsLeft(60.0), 10.0);
    EXPECT_FALSE(vote.countdownOver(69.9));
    EXPECT_TRUE(vote.countdownOver(70.0));
    const ClosedVote closed = vote.record(3);
    EXPECT_TRUE(vote.isOpen()); // until its record is safe
    vote.close();
    EXPECT_EQ(closed.answers, (std::vector<std::optional<std::string>>{std::nullopt, "3", std::nullopt}));
    EXPECT_EQ(closed.responseSeconds[1], 7.25);
    EXPECT_EQ(vote.spread(), (std::map<std::string, int>{{"3", 1}, {"4", 1}}));
    EXPECT_EQ(vote.answer(1, 2, "2", 58.0), AnswerOutcome::NotOpen);
}

// The demo's q1 shown with its title and options is checked by e2e_phones and
// e2e_phones_show, a countdown switched on by the phone server's tests.
TEST(PhoneQuestionFile, KindsAndASwitchedOffCountdown)
{
    const PhoneQuestion q1 = readPhoneQuestion("q1.tlx", *readTextFile(QUIZ_DEMO_DIR "/q1.tlx"));
    EXPECT_EQ(q1.kind, PhoneQuestionKind::Options);
    EXPECT_EQ(q1.countdownSeconds, 0); // 30 seconds, switched off
    EXPECT_EQ(readPhoneQuestion("q5.tlx", *readTextFile(QUIZ_DEMO_DIR "/q5.tlx")).kind,
              PhoneQuestionKind::Series);
    EXPECT_EQ(readPhoneQuestion("x.tlx", "2,4,0,\"T\"").kind, PhoneQuestionKind::Unreadable);
}

TEST(PhoneSlideVote, TheFirstVoteShapeNamesTheQuestion)
{
    HostSlide slide;
    slide.tags["quiztlxname"] = "q7.tlx";
    EXPECT_EQ(voteFileOfSlide(slide), ""); // a tag without a VOTE shape
    slide.shapes = {{"Title 1", "C:\\Talvix\\vote.exe q1.tlx,1", {}}, {"vote", "", {}}};
    EXPECT_EQ(voteFileOfSlide(slide), "q7.tlx");
    slide.shapes.push_back({"VOTE", "C:\\Talvix\\vote.exe q3.tlx,3", {}});
    slide.shapes[1].runString = "C:\\Talvix\\vote.exe q2.tlx,2";
    EXPECT_EQ(voteFileOfSlide(slide), "q2.tlx");
}

// Records written at close are read by the record reader as the answers
// given (the phone evening of e2e_phones scores them in a DISPLAY run).
TEST(PhoneRecords, RoundTripThroughTheReader)
{
    test::TestFolder data;
    VoteRecordEntry first{data.str() + "/q1.tlx",
                          2,
                          {"1", std::nullopt, "10", "4"},
                          {1.5, std::nullopt, 12.0, 3.25},
                          {2026, 12, 5, 20, 7, 9}};
    EXPECT_EQ(formatVotesLine(first), data.str() + "/q1.tlx,2,3,\"1;-;10;4;\",05/12/2026,20:07:09\r\n");
    EXPECT_EQ(formatResponseLine(first),
              data.str() + "/q1.tlx,2,3,\"1.50;-;12.00;3.25\",05/12/2026,20:07:09\r\n");
    std::string error;
    ASSERT_TRUE(appendVoteRecord(data.str(), first, &error)) << error;
    VoteRecordEntry again = first; // voted again: the last record counts
    again.answers = {"2", "2", std::nullopt, "4"};
    again.responseSeconds = {2.0, 4.0, std::nullopt, 1.0};
    ASSERT_TRUE(appendVoteRecord(data.str(), again, &error)) << error;
    VoteRecordEntry other{"/a,b/q2.tlx", 3, {"3", "3", "1", std::nullopt}, {5.0, 6.0, 7.0, std::nullopt}, {}};
    ASSERT_TRUE(appendVoteRecord(data.str(), other, &error)) << error;

    const VoteRecords records = VoteRecords::load(data.str());
    EXPECT_EQ(SplitAnswerString(records.answers("Q1.TLX")),
              (std::vector<std::string>{"2", "2", "-", "4", ""}));
    EXPECT_EQ(*records.responseText("q1.tlx"), "2.00;4.00;-;1.00");
    EXPECT_EQ(records.answers("q2.tlx"), "3;3;1;-;"); // a path with a comma is recorded by its name

    EXPECT_FALSE(appendVoteRecord(data.str() + "/missing", first, &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}

} // namespace
} // namespace quiz

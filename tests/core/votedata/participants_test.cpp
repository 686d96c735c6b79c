#include "core/controller/controllerlink.h"
#include "core/votedata/participants.h"
#include "core/votedata/participantsworkbook.h"

#include "fakes/controllerfakes.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Records = std::vector<Participant>;

std::vector<int> keypads(const Records &records)
{
    std::vector<int> k;
    for (const auto &r : records)
        k.push_back(r.keypad);
    return k;
}

using Sorting = test::RowTest;

TEST_P(Sorting, OrdersByKeypadButNeverMovesAZeroForward)
{
    Records records;
    for (float k : GetParam().floats(0))
        records.push_back({"k", static_cast<int>(k), 1});
    SortParticipants(records);
    const std::vector<float> sorted = GetParam().floats(1);
    EXPECT_EQ(keypads(records), std::vector<int>(sorted.begin(), sorted.end()));
}
QUIZ_ROWS(Sorting, "votedata/sort.rows");

TEST(SortParticipants, EqualKeypadsKeepTheirOrder)
{
    Records records{{"Cy", 2, 1}, {"Ann", 1, 1}, {"Bob", 2, 1}};
    SortParticipants(records);
    EXPECT_EQ(records, (Records{{"Ann", 1, 1}, {"Cy", 2, 1}, {"Bob", 2, 1}}));
}

TEST(GetParticipantName, FirstMatchAmongAllButTheLastRecord)
{
    const Records records{{"Bob", 1, 2}, {"Ann", 3, 1}, {"Again", 3, 1}, {"Last", 9, 1}};
    EXPECT_EQ(GetParticipantName(records, 1), "Bob");
    EXPECT_EQ(GetParticipantName(records, 3), "Ann");
    EXPECT_EQ(GetParticipantName(records, 12), "12");
    EXPECT_EQ(GetParticipantName(records, 9), "9"); // the last record is not examined
    EXPECT_EQ(GetParticipantName(Records{defaultParticipant()}, 1), "1");
    EXPECT_EQ(GetParticipantName(Records{}, 4), "4");
    EXPECT_EQ(GetParticipantName(Records{{"", 5, 1}, {"x", 0, 0}}, 5), ""); // a blank name is a name
}

struct LoadTest : ::testing::Test {
    LoadTest() : link(state, channel, pump, dialogs, nullptr) {}

    QuizState state;
    test::FakeChannel channel;
    test::FakePump pump;
    test::FakeDialogs dialogs;
    ControllerLink link;
};

TEST_F(LoadTest, ARepliedListIsLoadedAndSortedByKeypad)
{
    channel.onCommand = [&](const std::string &c) {
        if (c == "GetNames")
            pump.meanwhile = [&] {
                if (pump.now >= 300)
                    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames");
            };
    };
    LoadParticipants(state, link, pump);
    EXPECT_EQ(state.participants, (Records{{"Bob", 1, 2}, {"Ann", 3, 1}}));
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink", "GetNames"}));
    EXPECT_LT(pump.now, 400); // stopped waiting once the list was whole
}

TEST_F(LoadTest, NoWholeNewListWithinEightSecondsLeavesTheDefaultRecord)
{
    for (const char *scenario : {"no answer", "an earlier list", "an incomplete list"}) {
        SCOPED_TRACE(scenario);
        const std::string name = scenario;
        state.participants = {{"Old", 4, 4}, {"Older", 5, 5}};
        pump.now = 0;
        channel.onCommand = nullptr;
        if (name == "an earlier list") {
            link.ResetLink();
            channel.deliver("heading\r\n8,Stale,1\r\nEndListOfNames"); // cleared before asking
        } else if (name == "an incomplete list") {
            channel.onCommand = [&](const std::string &c) {
                if (c == "GetNames")
                    channel.deliver("heading\r\n3,Ann,1\r\n1,Bob,2");
            };
        }
        LoadParticipants(state, link, pump);
        EXPECT_EQ(state.participants, (Records{defaultParticipant()}));
        EXPECT_GE(pump.now, participantsWaitMs);
        EXPECT_LT(pump.now, participantsWaitMs + 100);
    }
}

// The participant workbook.

std::vector<std::vector<std::string>> rows(const Sheet &sheet)
{
    std::vector<std::vector<std::string>> out;
    const CellRef extent = sheet.usedExtent();
    for (int r = 1; r <= extent.row; ++r) {
        std::vector<std::string> row;
        for (int c = 1; c <= extent.column; ++c)
            row.push_back(sheet.displayText(r, c));
        out.push_back(row);
    }
    return out;
}

TEST(ParticipantWorkbook, NoNamesGiveTenPlaceholderRows)
{
    for (const Records &table : {Records{defaultParticipant()}, Records{}, Records{{"", 0, 0}}}) {
        const Workbook book = participantWorkbook(table);
        ASSERT_EQ(book.sheetCount(), 1u);
        const auto r = rows(book.sheet(0));
        ASSERT_EQ(r.size(), 11u);
        EXPECT_EQ(r[0], (std::vector<std::string>{"Keypad", "Name", "Weighting"}));
        for (int k = 1; k <= 10; ++k)
            EXPECT_EQ(r[k], (std::vector<std::string>{std::to_string(k), std::to_string(k), "1"}));
    }
}

TEST(ParticipantWorkbook, OneRowPerRecordWrittenAsText)
{
    // The marker record of a trailing CR LF is not listed.
    const Workbook book = participantWorkbook({{"Bob", 1, 2}, {"Ann", 3, 1}, {"", 0, 0}});
    const Sheet &sheet = book.sheet(0);
    EXPECT_EQ(rows(sheet), (std::vector<std::vector<std::string>>{
                               {"Keypad", "Name", "Weighting"}, {"1", "Bob", "2"}, {"3", "Ann", "1"}}));
    ASSERT_NE(sheet.cell(2, 1), nullptr);
    EXPECT_TRUE(std::holds_alternative<std::string>(sheet.cell(2, 1)->value));
    EXPECT_TRUE(std::holds_alternative<std::string>(sheet.cell(2, 3)->value));
    EXPECT_EQ(sheet.selected(), (CellRef{1, 1}));
    // Fitted: "Weighting" is the longest text of column C, "Keypad" of A.
    EXPECT_GT(sheet.columnWidth(3), sheet.columnWidth(1));
    EXPECT_GT(sheet.columnWidth(1), 6.0);
    EXPECT_TRUE(sheet.columnWidths().count(2));
    EXPECT_FALSE(sheet.columnWidths().count(4));
    // A single real participant is listed, not replaced by placeholders.
    EXPECT_EQ(rows(participantWorkbook({{"Ann", 5, 1}}).sheet(0)),
              (std::vector<std::vector<std::string>>{{"Keypad", "Name", "Weighting"}, {"5", "Ann", "1"}}));
}

} // namespace
} // namespace quiz

#include "core/votedata/participants.h"
#include "core/votedata/participantsworkbook.h"

#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Records = std::vector<Participant>;

using Sorting = test::RowTest;

TEST_P(Sorting, OrdersByKeypadButNeverMovesAZeroForward)
{
    Records records;
    for (float k : GetParam().floats(0))
        records.push_back({"k", static_cast<int>(k), 1});
    SortParticipants(records);
    std::vector<float> keypads;
    for (const Participant &p : records)
        keypads.push_back(float(p.keypad));
    EXPECT_EQ(keypads, GetParam().floats(1));
}
QUIZ_ROWS(Sorting, "votedata/sort.rows");

// Equal keypads keep their order; a name is the first match among all but the last
// record (a blank name is a name), else the keypad's number.
TEST(Participants, StableSortAndNames)
{
    Records records{{"Cy", 2, 1}, {"Ann", 1, 1}, {"Bob", 2, 1}};
    SortParticipants(records);
    EXPECT_EQ(records, (Records{{"Ann", 1, 1}, {"Cy", 2, 1}, {"Bob", 2, 1}}));
    const Records table{{"Bob", 1, 2}, {"Ann", 3, 1}, {"Again", 3, 1}, {"", 5, 1}, {"Last", 9, 1}};
    std::string names;
    for (int keypad : {1, 3, 12, 9, 5})
        names += GetParticipantName(table, keypad) + ",";
    EXPECT_EQ(names, "Bob,Ann,12,9,,");
    EXPECT_EQ(GetParticipantName(Records{defaultParticipant()}, 1), "1");
    EXPECT_EQ(GetParticipantName(Records{}, 4), "4");
}

// The participant workbook: one text row per record, the marker record of a trailing
// CR LF left out; no names give ten placeholder rows; columns fitted.
std::string rows(const Workbook &book)
{
    const Sheet &sheet = book.sheet(0);
    std::string out;
    for (int r = 1; r <= sheet.usedExtent().row; ++r)
        for (int c = 1; c <= sheet.usedExtent().column; ++c)
            out += sheet.displayText(r, c) + (c == sheet.usedExtent().column ? "; " : ",");
    return out;
}

TEST(ParticipantWorkbook, OneRowPerRecordWrittenAsTextOrTenPlaceholders)
{
    std::string placeholders = "Keypad,Name,Weighting; ";
    for (int k = 1; k <= 10; ++k)
        placeholders += std::to_string(k) + "," + std::to_string(k) + ",1; ";
    for (const Records &table : {Records{defaultParticipant()}, Records{}, Records{{"", 0, 0}}})
        EXPECT_EQ(rows(participantWorkbook(table)), placeholders);
    EXPECT_EQ(rows(participantWorkbook({{"Ann", 5, 1}})), "Keypad,Name,Weighting; 5,Ann,1; ");
    const Workbook book = participantWorkbook({{"Bob", 1, 2}, {"Ann", 3, 1}, {"", 0, 0}});
    EXPECT_EQ(rows(book), "Keypad,Name,Weighting; 1,Bob,2; 3,Ann,1; ");
    const Sheet &sheet = book.sheet(0);
    EXPECT_EQ(book.sheetCount(), 1u);
    EXPECT_TRUE(std::holds_alternative<std::string>(sheet.cell(2, 1)->value));
    EXPECT_TRUE(std::holds_alternative<std::string>(sheet.cell(2, 3)->value));
    EXPECT_EQ(sheet.selected(), (CellRef{1, 1}));
    // Fitted: "Weighting" is the longest text of column C, "Keypad" of A.
    EXPECT_GT(sheet.columnWidth(3), sheet.columnWidth(1));
    EXPECT_GT(sheet.columnWidth(1), 6.0);
    EXPECT_TRUE(sheet.columnWidths().count(2));
    EXPECT_FALSE(sheet.columnWidths().count(4));
}

} // namespace
} // namespace quiz

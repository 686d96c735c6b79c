#include "core/quiz/quizresultssheet.h"

#include "support/rows.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace quiz
{
namespace
{

// A vote whose question file is there; ExportVote{entry, false, ...} is one whose file is missing.
ExportVote vote(const std::string &entry, const std::string &correct, const std::string &answers,
                WeightTable w = ExportVote{}.weights)
{
    return ExportVote{entry, true, correct, answers, w};
}

const auto nameOf = [](int keypad) { return keypad == 1 ? "Ann" : std::to_string(keypad); };

// Round 1 (D..G): a.tlx in compact form (D), missing.tlx takes no column,
// b.tlx in list form (E), raw F, weighted G. Round 2 (H..J): c.tlx (H) with
// six keypads, raw I, weighted J.
std::vector<ExportRound> twoRounds()
{
    return {
        {"r1.quz",
         {vote("a.tlx", "2x", "23AX", {1, 1, 2.5, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0}),
          ExportVote{"missing.tlx", false, {}, {}, {}}, vote("b.tlx", "1", "1;10;-;1;2;")}},
        {"r2.quz", {vote("c.tlx", "3", "3;3;3;3;3;3;", {1, 1, 1, 0.5, 1, 1, 1, 1, 1, 1, 1, 0, 0})}},
    };
}

// A cell's format in short words: fill/font colour, then "b" bold, "c"
// centred, "w" wrapped, "t" turned a quarter, "s" small (8 points), then its
// left, top, right and bottom borders: "-" none, "m" medium, "." dotted thin.
std::string look(const Sheet &sheet, int row, int column)
{
    const Cell *cell = sheet.cell(row, column);
    if (!cell)
        return "no cell";
    const CellFormat &f = cell->format;
    static const std::map<Rgb, std::string> names{
        {0x33CCCC, "teal"}, {0xC0C0C0, "grey"}, {0x00CCFF, "sky"}, {0xFFFFFF, "white"}, {0x99CC00, "lime"}};
    const auto name = [](std::optional<Rgb> c) -> std::string {
        return !c ? "-" : names.count(*c) ? names.at(*c) : "other";
    };
    std::string out = name(f.fill) + "/" + name(f.font.colour) + " ";
    out += f.font.bold ? "b" : "";
    out += f.horizontal == HorizontalAlignment::Centre ? "c" : "";
    out += f.wrap ? "w" : "";
    out += f.rotation == 90 ? "t" : f.rotation ? "?" : "";
    out += f.font.size == 8 ? "s" : f.font.size == 11 ? "" : "?";
    out += " ";
    for (const Border &b : f.borders)
        out += b.style == BorderStyle::None                                               ? '-'
               : b == Border{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt} ? 'm'
               : b == Border{BorderStyle::Dot, BorderWeight::Thin, std::nullopt}          ? '.'
                                                                                          : '?';
    return out;
}

constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7, H = 8, I = 9, J = 10;

// Texts: a.tlx: 2 is right (weight 2.5), 3 wrong, A is answer 10 and right by
// "x" (weight 0: no suffix, still a raw point), X shows "A"; a.tlx has four
// keypads. The missing vote's header was overwritten by b.tlx. b.tlx: list
// entry 10 is answer 10 but not right here, "-" shows as it is, the empty
// entry after the last ";" writes nothing. Round 1 covers five keypads, round
// 2 six; keypads without a name are their number.
// Formats: teal white headers, framed with medium lines; vote names turned and
// small; right answers bold lime on grey; scores sky blue with dotted inner
// lines; each round's block as deep as its own keypads.
TEST(QuizResultsSheet, TextsAndFormatsOfEveryCellOfTwoRounds)
{
    const Workbook book = QuizResultsWorkbook(twoRounds(), nameOf);
    const Sheet &sheet = book.sheet(0); // its name and row 3's height are export-two-rounds'
    // One line of a rows file a sheet row: its name is column A, its cells B on.
    const auto texts = test::loadRows("quiz/resultsheet-texts.rows"),
               formats = test::loadRows("quiz/resultsheet-formats.rows");
    const auto at = [](const std::vector<test::Row> &grid, int row, int column) {
        return column == A ? grid[row - 1].name : grid[row - 1][column - 2];
    };
    EXPECT_EQ(book.sheetCount(), 1u);
    EXPECT_EQ(sheet.usedExtent(), (CellRef{9, J}));
    for (int row = 1; row <= 9; ++row)
        for (int column = A; column <= J; ++column) {
            EXPECT_EQ(sheet.displayText(row, column), at(texts, row, column)) << row << "," << column;
            EXPECT_EQ(look(sheet, row, column), at(formats, row, column)) << row << "," << column;
        }
    const std::tuple<int, int, bool> numbers[] = {{5, D, true}, {4, F, true}, {4, G, true},  {5, A, true},
                                                  {4, B, true}, {4, C, true}, {4, D, false}, {4, A, false}};
    for (auto [row, column, number] : numbers)
        EXPECT_EQ(std::holds_alternative<double>(sheet.cell(row, column)->value), number)
            << row << "," << column;
    for (int column = A; column <= C; ++column)
        EXPECT_EQ(sheet.columnWidth(column), 8.86);
    EXPECT_EQ(sheet.columnWidth(D), Sheet::standardColumnWidth);
}

// A round without vote files has only its score columns, over the missing vote's
// entry; no keypads leave only the headers; "p" marks the most given option.
TEST(QuizResultsSheet, EmptyRoundsNoKeypadsAndPopularAnswers)
{
    const Workbook book = QuizResultsWorkbook(
        {{"empty.quz", {ExportVote{"gone.tlx", false, {}, {}, {}}}}, {"r.quz", {vote("a.tlx", "1", "11")}}},
        nameOf);
    const Sheet &sheet = book.sheet(0);
    EXPECT_EQ(sheet.displayText(1, 4) + "|" + sheet.displayText(3, 4) + "|" + sheet.displayText(3, 5) + "|" +
                  sheet.displayText(1, 6) + "|" + sheet.displayText(4, 6) + "|" + sheet.displayText(4, 2),
              "Round 1|Raw Score|Weighted Score|Round 2|1 (1)|1");
    EXPECT_EQ(sheet.cell(3, 4)->format.rotation, 0);

    const Workbook none = QuizResultsWorkbook({{"r.quz", {vote("a.tlx", "1", "")}}}, nameOf);
    EXPECT_EQ(none.sheet(0).usedExtent(), (CellRef{3, 6}));
    EXPECT_EQ(none.sheet(0).cell(4, 1), nullptr);
    const Workbook popular = QuizResultsWorkbook({{"r.quz", {vote("a.tlx", "p", "2213")}}}, nameOf);
    EXPECT_EQ(popular.sheet(0).displayText(4, 4) + "|" + popular.sheet(0).displayText(6, 4), "2 (1)|1");
}

TEST(QuizResultsSheet, YieldsOncePerVoteAndKeypad)
{
    int yields = 0;
    QuizResultsWorkbook({{"r.quz", {vote("a.tlx", "1", "1;2;3;"), ExportVote{"b.tlx", false, {}, {}, {}}}}},
                        nameOf, [&] { ++yields; });
    // One per round, two per vote, four response entries, three keypad rows of the totals.
    EXPECT_EQ(yields, 1 + 2 + 4 + 3);
}

using Shown = test::RowTest;

TEST_P(Shown, AnswerTextsAndRightness)
{
    const test::Row &r = GetParam();
    const ShownAnswer a = showAnswer(r[0], r[1]);
    EXPECT_EQ(a.text, r[2]);
    EXPECT_EQ(a.correct, r.flag(3));
    if (a.correct) {
        EXPECT_EQ(a.weightIndex, r.num(4));
    }
}
QUIZ_ROWS(Shown, "quiz/showanswer.rows");

using ShownValue = test::RowTest;

TEST_P(ShownValue, IsANumberOnlyWhenItReadsBackExactly)
{
    Sheet sheet("s");
    setShownValue(sheet, 1, 1, GetParam()[0]);
    EXPECT_EQ(std::holds_alternative<double>(sheet.cell(1, 1)->value), GetParam().flag(1));
    EXPECT_EQ(sheet.displayText(1, 1), GetParam()[0]);
}
QUIZ_ROWS(ShownValue, "quiz/shownvalue.rows");

} // namespace
} // namespace quiz

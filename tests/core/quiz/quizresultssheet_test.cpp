#include "core/quiz/quizresultssheet.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

WeightTable weights(std::initializer_list<std::pair<int, double>> set)
{
    WeightTable w{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    for (auto [index, value] : set)
        w[static_cast<size_t>(index)] = value;
    return w;
}

ExportVote vote(const std::string &entry, const std::string &correct, const std::string &answers,
                WeightTable w = weights({}))
{
    return ExportVote{entry, true, correct, answers, w};
}

ExportVote missingVote(const std::string &entry)
{
    ExportVote v;
    v.entry = entry;
    return v;
}

std::string nameOf(int keypad)
{
    return keypad == 1 ? "Ann" : std::to_string(keypad);
}

// Round 1 (D..G): a.tlx in compact form (D), missing.tlx takes no column,
// b.tlx in list form (E), raw F, weighted G. Round 2 (H..J): c.tlx (H) with
// six keypads, raw I, weighted J.
std::vector<ExportRound> twoRounds()
{
    return {
        {"r1.quz",
         {vote("a.tlx", "2x", "23AX", weights({{2, 2.5}, {10, 0}})), missingVote("missing.tlx"),
          vote("b.tlx", "1", "1;10;-;1;2;")}},
        {"r2.quz", {vote("c.tlx", "3", "3;3;3;3;3;3;", weights({{3, 0.5}}))}},
    };
}

class TwoRoundSheet : public ::testing::Test
{
  protected:
    TwoRoundSheet() : book(QuizResultsWorkbook(twoRounds(), nameOf)), sheet(book.sheet(0)) {}

    std::string text(int row, int column) const { return sheet.displayText(row, column); }
    bool isNumber(int row, int column) const
    {
        const Cell *c = sheet.cell(row, column);
        return c && std::holds_alternative<double>(c->value);
    }
    const CellFormat &format(int row, int column) const
    {
        const Cell *c = sheet.cell(row, column);
        if (!c)
            throw std::runtime_error("no cell " + std::to_string(row) + "," + std::to_string(column));
        return c->format;
    }
    bool hasCell(int row, int column) const { return sheet.cell(row, column) != nullptr; }

    Workbook book;
    const Sheet &sheet;
};

constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7, H = 8, I = 9, J = 10;

TEST_F(TwoRoundSheet, HeadersOfTheTotalsAndTheRounds)
{
    EXPECT_EQ(book.sheetCount(), 1u);
    EXPECT_EQ(sheet.name(), "Sheet1");
    EXPECT_EQ(text(1, B), "Totals:");
    EXPECT_EQ(text(3, A), "Keypad / Name");
    EXPECT_EQ(text(3, B), "Raw Score");
    EXPECT_EQ(text(3, C), "Weighted Score");
    EXPECT_EQ(text(1, D), "Round 1");
    EXPECT_EQ(text(2, D), "r1.quz");
    EXPECT_EQ(text(3, D), "a.tlx");
    // The missing vote's entry was written and then overwritten by the next vote.
    EXPECT_EQ(text(3, E), "b.tlx");
    EXPECT_EQ(text(3, F), "Raw Score");
    EXPECT_EQ(text(3, G), "Weighted Score");
    EXPECT_EQ(text(1, H), "Round 2");
    EXPECT_EQ(text(2, H), "r2.quz");
    EXPECT_EQ(text(3, H), "c.tlx");
    EXPECT_EQ(text(3, I), "Raw Score");
    EXPECT_EQ(text(3, J), "Weighted Score");
    EXPECT_FALSE(hasCell(1, 11));
}

TEST_F(TwoRoundSheet, AnswersAreShownWithWeightsOfRightOnes)
{
    // a.tlx: 2 is right (weight 2.5), 3 wrong, A is answer 10 and right by "x" (weight 0: no suffix), X shows
    // "A".
    EXPECT_EQ(text(4, D), "2 (2.5)");
    EXPECT_EQ(text(5, D), "3");
    EXPECT_TRUE(isNumber(5, D));
    EXPECT_EQ(text(6, D), "10");
    EXPECT_EQ(text(7, D), "A");
    EXPECT_EQ(text(8, D), ""); // a.tlx has four keypads
    // b.tlx: list entry 10 is answer 10 but "x" is not right here; "-" is shown as it is.
    EXPECT_EQ(text(4, E), "1 (1)");
    EXPECT_EQ(text(5, E), "10");
    EXPECT_EQ(text(6, E), "-");
    EXPECT_EQ(text(7, E), "1 (1)");
    EXPECT_EQ(text(8, E), "2");
    EXPECT_FALSE(hasCell(9, E)); // the empty entry after the last ";" writes nothing
    EXPECT_EQ(text(9, H), "3 (0.5)");
}

TEST_F(TwoRoundSheet, RightAnswersAreBoldAndLimeOthersPlain)
{
    const struct {
        int row, column;
        bool right;
    } cells[] = {{4, D, true},  {5, D, false}, {6, D, true}, {7, D, false}, {4, E, true},
                 {5, E, false}, {6, E, false}, {7, E, true}, {8, E, false}, {4, H, true}};
    for (const auto &c : cells) {
        const CellFont &font = format(c.row, c.column).font;
        EXPECT_EQ(font.bold, c.right) << c.row << "," << c.column;
        EXPECT_EQ(font.colour, c.right ? std::optional<Rgb>(0x99CC00) : std::nullopt)
            << c.row << "," << c.column;
    }
}

TEST_F(TwoRoundSheet, RoundScoresAndTotals)
{
    // Round 1 covers keypads 1..5 (b.tlx has five); the weight-0 answer still counts a raw point.
    const double raw1[] = {2, 0, 1, 1, 0};
    const double weighted1[] = {3.5, 0, 0, 1, 0};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(text(k + 4, F), numberText(raw1[k])) << k;
        EXPECT_EQ(text(k + 4, G), numberText(weighted1[k])) << k;
        EXPECT_TRUE(isNumber(k + 4, F));
    }
    EXPECT_FALSE(hasCell(9, F));
    // Round 2 has six keypads, each right with weight 0.5.
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(text(k + 4, I), "1");
        EXPECT_EQ(text(k + 4, J), "0.5");
    }
    const char *names[] = {"Ann", "2", "3", "4", "5", "6"};
    const double raw[] = {3, 1, 2, 2, 1, 1};
    const double weighted[] = {4, 0.5, 0.5, 1.5, 0.5, 0.5};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(text(k + 4, A), names[k]);
        EXPECT_EQ(text(k + 4, B), numberText(raw[k])) << k;
        EXPECT_EQ(text(k + 4, C), numberText(weighted[k])) << k;
    }
    EXPECT_TRUE(isNumber(5, A)); // a keypad without a name is its number
    EXPECT_FALSE(hasCell(10, A));
}

TEST_F(TwoRoundSheet, RoundHeadersAreTealWhiteAndFramed)
{
    for (int row = 1; row <= 3; ++row)
        for (int column = D; column <= J; ++column) {
            EXPECT_EQ(format(row, column).fill, std::optional<Rgb>(0x33CCCC)) << row << "," << column;
            EXPECT_EQ(format(row, column).font.colour, std::optional<Rgb>(0xFFFFFF));
        }
    const Border medium{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt};
    EXPECT_EQ(format(1, D).border(Edge::Top), medium);
    EXPECT_EQ(format(1, D).border(Edge::Left), medium);
    EXPECT_EQ(format(3, G).border(Edge::Right), medium);
    EXPECT_EQ(format(3, G).border(Edge::Bottom), medium);
    EXPECT_EQ(format(2, E).border(Edge::Top).style, BorderStyle::None);
    // Vote names turned and small; score headers upright; all centred and wrapped.
    for (int column : {D, E, H}) {
        EXPECT_EQ(format(3, column).rotation, 90);
        EXPECT_EQ(format(3, column).font.size, 8);
    }
    for (int column : {F, G, I, J}) {
        EXPECT_EQ(format(3, column).rotation, 0);
        EXPECT_EQ(format(3, column).font.size, 11);
    }
    for (int column = D; column <= J; ++column) {
        EXPECT_EQ(format(3, column).horizontal, HorizontalAlignment::Centre);
        EXPECT_TRUE(format(3, column).wrap);
    }
    EXPECT_EQ(sheet.rowHeight(3), 80.25);
}

TEST_F(TwoRoundSheet, AnswerBlocksAreGreyScoresSkyBlueWithDottedInnerLines)
{
    const Border medium{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt};
    const Border dotted{BorderStyle::Dot, BorderWeight::Thin, std::nullopt};
    for (int row = 4; row <= 8; ++row) {
        for (int column : {D, E})
            EXPECT_EQ(format(row, column).fill, std::optional<Rgb>(0xC0C0C0)) << row << "," << column;
        for (int column : {F, G})
            EXPECT_EQ(format(row, column).fill, std::optional<Rgb>(0x00CCFF)) << row << "," << column;
        for (int column = D; column <= G; ++column)
            EXPECT_EQ(format(row, column).horizontal, HorizontalAlignment::Centre);
        EXPECT_EQ(format(row, D).border(Edge::Left), medium);
        EXPECT_EQ(format(row, D).border(Edge::Right), dotted);
        EXPECT_EQ(format(row, E).border(Edge::Right), dotted);
        EXPECT_EQ(format(row, F).border(Edge::Right), dotted);
        EXPECT_EQ(format(row, G).border(Edge::Right), medium);
    }
    for (int column = D; column <= G; ++column) {
        EXPECT_EQ(format(4, column).border(Edge::Top), medium);
        for (int row = 4; row <= 7; ++row)
            EXPECT_EQ(format(row, column).border(Edge::Bottom), dotted) << row << "," << column;
        EXPECT_EQ(format(8, column).border(Edge::Bottom), medium);
    }
    // Round 2's block runs to its own last keypad row.
    EXPECT_EQ(format(9, H).border(Edge::Bottom), medium);
    EXPECT_EQ(format(9, J).fill, std::optional<Rgb>(0x00CCFF));
    EXPECT_FALSE(hasCell(9, G)); // round 1 was formatted for its five keypads
}

TEST_F(TwoRoundSheet, TotalsColumnsAreFormattedAndSized)
{
    const Border medium{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt};
    for (int row = 1; row <= 3; ++row)
        for (int column = A; column <= C; ++column) {
            const CellFormat &f = format(row, column);
            EXPECT_EQ(f.fill, std::optional<Rgb>(0x33CCCC));
            EXPECT_EQ(f.font.colour, std::optional<Rgb>(0xFFFFFF));
            EXPECT_TRUE(f.font.bold);
            EXPECT_TRUE(f.wrap);
            EXPECT_EQ(f.horizontal, HorizontalAlignment::Centre);
        }
    EXPECT_EQ(format(3, C).border(Edge::Bottom), medium);
    for (int column = A; column <= C; ++column)
        EXPECT_EQ(sheet.columnWidth(column), 8.86);
    EXPECT_EQ(sheet.columnWidth(D), Sheet::standardColumnWidth);
    for (int row = 4; row <= 9; ++row) {
        EXPECT_EQ(format(row, A).fill, std::optional<Rgb>(0x33CCCC));
        EXPECT_EQ(format(row, A).font.colour, std::optional<Rgb>(0xFFFFFF));
        EXPECT_TRUE(format(row, A).font.bold);
        EXPECT_EQ(format(row, A).border(Edge::Left), medium);
        EXPECT_EQ(format(row, A).border(Edge::Right), medium);
        for (int column : {B, C}) {
            EXPECT_EQ(format(row, column).fill, std::optional<Rgb>(0x00CCFF));
            EXPECT_TRUE(format(row, column).font.bold);
            EXPECT_EQ(format(row, column).horizontal, HorizontalAlignment::Centre);
        }
        EXPECT_EQ(format(row, B).border(Edge::Left), medium);
        EXPECT_EQ(format(row, C).border(Edge::Right), medium);
        EXPECT_EQ(format(row, B).border(Edge::Right).style, BorderStyle::None);
    }
    EXPECT_EQ(format(9, A).border(Edge::Bottom), medium);
    EXPECT_EQ(format(9, C).border(Edge::Bottom), medium);
}

TEST(QuizResultsSheet, RoundsRunPastColumnZ)
{
    ExportRound round{"big.quz", {}};
    for (int v = 1; v <= 30; ++v)
        round.votes.push_back(vote("q" + std::to_string(v) + ".tlx", "1", "12"));
    const Workbook book = QuizResultsWorkbook({round, round}, nameOf);
    const Sheet &sheet = book.sheet(0);
    // Round 1: votes in D..AG (4..33), scores AH, AI; round 2 from AJ (36).
    EXPECT_EQ(sheet.displayText(3, 33), "q30.tlx");
    EXPECT_EQ(sheet.displayText(3, 34), "Raw Score");
    EXPECT_EQ(sheet.displayText(3, 35), "Weighted Score");
    EXPECT_EQ(sheet.displayText(1, 36), "Round 2");
    EXPECT_EQ(sheet.displayText(4, 34), "30");
    EXPECT_EQ(sheet.cell(5, 35)->format.fill, std::optional<Rgb>(0x00CCFF));
    EXPECT_EQ(sheet.cell(3, 33)->format.rotation, 90);
    EXPECT_EQ(sheet.cell(5, 65)->format.border(Edge::Right).style, BorderStyle::Dot);
    EXPECT_EQ(sheet.cell(5, 67)->format.border(Edge::Right).style, BorderStyle::Continuous);
    EXPECT_EQ(sheet.displayText(4, 2), "60");
    EXPECT_EQ(sheet.displayText(5, 2), "0");
}

TEST(QuizResultsSheet, ARoundWithoutVoteFilesHasOnlyItsScoreColumns)
{
    const Workbook book = QuizResultsWorkbook(
        {{"empty.quz", {missingVote("gone.tlx")}}, {"r.quz", {vote("a.tlx", "1", "11")}}}, nameOf);
    const Sheet &sheet = book.sheet(0);
    EXPECT_EQ(sheet.displayText(1, 4), "Round 1");
    EXPECT_EQ(sheet.displayText(3, 4), "Raw Score"); // over the missing vote's entry
    EXPECT_EQ(sheet.displayText(3, 5), "Weighted Score");
    EXPECT_EQ(sheet.cell(3, 4)->format.rotation, 0);
    EXPECT_EQ(sheet.displayText(1, 6), "Round 2");
    EXPECT_EQ(sheet.displayText(4, 6), "1 (1)");
    EXPECT_EQ(sheet.displayText(4, 2), "1");
}

TEST(QuizResultsSheet, NoKeypadsLeavesOnlyTheHeaders)
{
    const Workbook book = QuizResultsWorkbook({{"r.quz", {vote("a.tlx", "1", "")}}}, nameOf);
    const Sheet &sheet = book.sheet(0);
    EXPECT_EQ(sheet.usedExtent(), (CellRef{3, 6}));
    EXPECT_EQ(sheet.cell(4, 1), nullptr);
    EXPECT_EQ(sheet.cell(4, 4), nullptr);
}

TEST(QuizResultsSheet, PopularAnswerQuestionsMarkTheMostGivenOption)
{
    const Workbook book = QuizResultsWorkbook({{"r.quz", {vote("a.tlx", "p", "2213")}}}, nameOf);
    const Sheet &sheet = book.sheet(0);
    EXPECT_EQ(sheet.displayText(4, 4), "2 (1)");
    EXPECT_EQ(sheet.displayText(6, 4), "1");
}

TEST(QuizResultsSheet, YieldsOncePerVoteAndKeypad)
{
    int yields = 0;
    QuizResultsWorkbook({{"r.quz", {vote("a.tlx", "1", "1;2;3;"), missingVote("b.tlx")}}}, nameOf,
                        [&] { ++yields; });
    // One per round, two per vote, four response entries, three keypad rows of the totals.
    EXPECT_EQ(yields, 1 + 2 + 4 + 3);
}

TEST(ShowAnswer, TextsAndRightness)
{
    const struct {
        const char *response, *correct, *text;
        bool right;
        int weightIndex;
    } cases[] = {
        {"3", "13", "3", true, 3},   {"2", "13", "2", false, -1}, {"A", "x", "10", true, 10},
        {"A", "1", "10", false, 10}, {"10", "x", "10", true, 10}, {"X", "x", "A", false, -1},
        {"-", "1", "-", false, -1},  {"", "1", "", false, -1},    {"13", "13", "13", false, -1},
        {"0", "0", "0", true, 0},    {"x", "X", "x", false, -1},
    };
    for (const auto &c : cases) {
        const ShownAnswer a = showAnswer(c.response, c.correct);
        EXPECT_EQ(a.text, c.text) << c.response << " vs " << c.correct;
        EXPECT_EQ(a.correct, c.right) << c.response << " vs " << c.correct;
        if (a.correct) {
            EXPECT_EQ(a.weightIndex, c.weightIndex) << c.response;
        }
    }
}

TEST(SetShownValue, NumbersThatReadBackExactlyBecomeNumbers)
{
    Sheet sheet("s");
    const struct {
        const char *text;
        bool number;
    } cases[] = {{"4", true},      {"10", true}, {"2.5", true},  {"-3", true}, {"007", false},
                 {"4 (1)", false}, {"A", false}, {"1e3", false}, {"", false},  {"Ann", false}};
    int row = 1;
    for (const auto &c : cases) {
        setShownValue(sheet, row, 1, c.text);
        EXPECT_EQ(std::holds_alternative<double>(sheet.cell(row, 1)->value), c.number) << c.text;
        EXPECT_EQ(sheet.displayText(row, 1), c.text);
        ++row;
    }
}

} // namespace
} // namespace quiz

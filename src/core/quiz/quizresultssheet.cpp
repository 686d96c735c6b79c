#include "core/quiz/quizresultssheet.h"

#include "core/common/writeformat.h"
#include "core/quiz/answerrule.h"
#include "core/votedata/voterecords.h"

#include <algorithm>
#include <charconv>

namespace quiz
{

namespace
{

// Range formatting cell by cell over an explicit block. (The sheet's own range
// operations also handle whole rows and columns, which costs a pass over every
// cell per call; this sheet only ever names explicit blocks.)
template <typename F> void forEachCell(Sheet &sheet, const CellRange &r, F &&change)
{
    for (int column = r.firstColumn; column <= r.lastColumn; ++column)
        for (int row = r.firstRow; row <= r.lastRow; ++row)
            change(sheet.cellAt(row, column).format);
}

const Border kMediumLine{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt};
const Border kDottedLine{BorderStyle::Dot, BorderWeight::Thin, std::nullopt};

void borderAround(Sheet &sheet, const CellRange &r)
{
    forEachCell(sheet, {r.firstRow, r.firstColumn, r.firstRow, r.lastColumn},
                [](CellFormat &f) { f.border(Edge::Top) = kMediumLine; });
    forEachCell(sheet, {r.lastRow, r.firstColumn, r.lastRow, r.lastColumn},
                [](CellFormat &f) { f.border(Edge::Bottom) = kMediumLine; });
    forEachCell(sheet, {r.firstRow, r.firstColumn, r.lastRow, r.firstColumn},
                [](CellFormat &f) { f.border(Edge::Left) = kMediumLine; });
    forEachCell(sheet, {r.firstRow, r.lastColumn, r.lastRow, r.lastColumn},
                [](CellFormat &f) { f.border(Edge::Right) = kMediumLine; });
}

// A single-precision score as the sheet shows it: the shortest decimal that
// reads back as the same single (0.1f is 0.1, not 0.100000001490116).
double singleValue(float value)
{
    const std::string text = formatSingle(value);
    double number = value;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

void addSingle(float &sum, double amount)
{
    sum = static_cast<float>(static_cast<double>(sum) + amount);
}

} // namespace

ShownAnswer showAnswer(const std::string &response, const RightOptions &right)
{
    ShownAnswer shown;
    if (response.empty())
        return shown;
    const int option = answerOption(response);
    if (option == 10)
        shown.text = "10";
    else if (response == "X")
        shown.text = "A";
    else
        shown.text = response;
    if (right.contains(option)) {
        shown.correct = true;
        shown.weightIndex = option;
    }
    return shown;
}

ShownAnswer showAnswer(const std::string &response, const std::string &correctAnswer)
{
    return showAnswer(response, RightOptions(correctAnswer, {}));
}

void setShownValue(Sheet &sheet, int row, int column, const std::string &text)
{
    double number = 0;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    if (!text.empty() && result.ec == std::errc() && result.ptr == end && numberText(number) == text)
        sheet.setNumber(row, column, number);
    else
        sheet.setText(row, column, text);
}

QuizResultsSheet::QuizResultsSheet(Sheet &sheet, std::function<void()> yield)
    : sheet_(sheet), yield_(std::move(yield))
{
}

void QuizResultsSheet::growTo(int rows)
{
    // Round arrays also hold the entry after the last keypad (index M).
    const auto size = static_cast<size_t>(rows) + 1;
    if (roundRaw_.size() < size) {
        roundRaw_.resize(size, 0);
        roundWeighted_.resize(size, 0.0f);
    }
    if (totalRaw_.size() < size) {
        totalRaw_.resize(size, 0);
        totalWeighted_.resize(size, 0.0f);
    }
}

void QuizResultsSheet::addRound(const ExportRound &round)
{
    const int start = col_ + 4;
    sheet_.setText(1, start, "Round " + std::to_string(round_ + 1));
    sheet_.setText(2, start, round.quizFileName);

    for (const ExportVote &vote : round.votes) {
        if (yield_)
            yield_();
        addVote(vote);
    }

    const int raw = col_ + 4;
    const int weighted = col_ + 5;
    sheet_.setText(3, raw, "Raw Score");
    sheet_.setText(3, weighted, "Weighted Score");
    growTo(rows_);
    for (int k = 0; k < rows_; ++k) {
        const auto i = static_cast<size_t>(k);
        sheet_.setNumber(k + 4, raw, roundRaw_[i]);
        sheet_.setNumber(k + 4, weighted, singleValue(roundWeighted_[i]));
        totalRaw_[i] += roundRaw_[i];
        addSingle(totalWeighted_[i], roundWeighted_[i]);
    }
    // Every entry starts the next round at 0, also one beyond the keypads.
    std::fill(roundRaw_.begin(), roundRaw_.end(), 0);
    std::fill(roundWeighted_.begin(), roundWeighted_.end(), 0.0f);

    formatRound(start);
    col_ += 2;
    ++round_;
}

void QuizResultsSheet::addVote(const ExportVote &vote)
{
    const int column = col_ + 4;
    sheet_.setText(3, column, vote.entry);
    if (!vote.present)
        return; // the next vote, or the round's score header, takes this column

    const RightOptions correct(vote.correctAnswer, vote.answers);
    const std::vector<std::string> entries = SplitAnswerString(vote.answers);
    rows_ = std::max(rows_, static_cast<int>(keypadCountOf(vote.answers)));
    growTo(std::max(rows_, static_cast<int>(entries.size())));

    for (size_t k = 0; k < entries.size(); ++k) {
        if (yield_)
            yield_();
        const ShownAnswer shown = showAnswer(entries[k], correct);
        if (shown.text.empty())
            continue;
        const int row = static_cast<int>(k) + 4;
        setShownValue(sheet_, row, column, shown.text);
        if (!shown.correct)
            continue;
        CellFormat &format = sheet_.cellAt(row, column).format;
        format.font.bold = true;
        format.font.colour = kResultsCorrectFont;
        const double w = vote.weights[static_cast<size_t>(shown.weightIndex)];
        if (w > 0)
            sheet_.setText(row, column, shown.text + " (" + numberText(w) + ")");
        roundRaw_[k] += 1;
        addSingle(roundWeighted_[k], w);
    }
    ++col_;
}

void QuizResultsSheet::formatRound(int start)
{
    const int last = col_ + 3; // the last vote column
    const int raw = col_ + 4;
    const int weighted = col_ + 5;

    const CellRange header{1, start, 3, weighted};
    forEachCell(sheet_, header, [](CellFormat &f) {
        f.fill = kResultsHeaderFill;
        f.font.colour = rgbWhite;
    });
    borderAround(sheet_, header);
    if (last >= start)
        forEachCell(sheet_, {3, start, 3, last}, [](CellFormat &f) {
            f.rotation = 90;
            f.font.size = 8;
        });
    if (round_ == 0)
        sheet_.setRowHeight(3, kResultsHeaderRowHeight);
    forEachCell(sheet_, {3, start, 3, weighted}, [](CellFormat &f) {
        f.horizontal = HorizontalAlignment::Centre;
        f.wrap = true;
    });

    if (rows_ == 0)
        return;
    const int lastRow = rows_ + 3;
    const CellRange body{4, start, lastRow, weighted};
    forEachCell(sheet_, body, [](CellFormat &f) {
        f.fill = kResultsAnswerFill;
        f.horizontal = HorizontalAlignment::Centre;
    });
    borderAround(sheet_, body);
    forEachCell(sheet_, {4, raw, lastRow, weighted}, [](CellFormat &f) { f.fill = kResultsScoreFill; });
    forEachCell(sheet_, {4, start, lastRow - 1, weighted},
                [](CellFormat &f) { f.border(Edge::Bottom) = kDottedLine; });
    forEachCell(sheet_, {4, start, lastRow, raw}, [](CellFormat &f) { f.border(Edge::Right) = kDottedLine; });
}

void QuizResultsSheet::finish(const std::function<std::string(int)> &nameOf)
{
    sheet_.setText(3, 1, "Keypad / Name");
    growTo(rows_);
    for (int k = 0; k < rows_; ++k) {
        if (yield_)
            yield_();
        const auto i = static_cast<size_t>(k);
        setShownValue(sheet_, k + 4, 1, nameOf(k + 1));
        sheet_.setNumber(k + 4, 2, totalRaw_[i]);
        sheet_.setNumber(k + 4, 3, singleValue(totalWeighted_[i]));
    }
    sheet_.setText(1, 2, "Totals:");
    sheet_.setText(3, 2, "Raw Score");
    sheet_.setText(3, 3, "Weighted Score");

    const CellRange titles{1, 1, 3, 3};
    forEachCell(sheet_, titles, [](CellFormat &f) {
        f.fill = kResultsHeaderFill;
        f.font.colour = rgbWhite;
        f.font.bold = true;
        f.wrap = true;
        f.horizontal = HorizontalAlignment::Centre;
    });
    borderAround(sheet_, titles);
    sheet_.setColumnWidth(1, 3, kResultsTotalsColumnWidth);

    if (rows_ == 0)
        return;
    const CellRange names{4, 1, rows_ + 3, 1};
    forEachCell(sheet_, names, [](CellFormat &f) {
        f.fill = kResultsHeaderFill;
        f.font.colour = rgbWhite;
        f.font.bold = true;
        f.horizontal = HorizontalAlignment::Centre;
    });
    borderAround(sheet_, names);
    const CellRange totals{4, 2, rows_ + 3, 3};
    forEachCell(sheet_, totals, [](CellFormat &f) {
        f.fill = kResultsScoreFill;
        f.font.bold = true;
        f.horizontal = HorizontalAlignment::Centre;
    });
    borderAround(sheet_, totals);
}

Workbook QuizResultsWorkbook(const std::vector<ExportRound> &rounds,
                             const std::function<std::string(int)> &nameOf,
                             const std::function<void()> &yield)
{
    Workbook book;
    QuizResultsSheet builder(book.addSheet("Sheet1"), yield);
    for (const ExportRound &round : rounds) {
        if (yield)
            yield();
        builder.addRound(round);
    }
    builder.finish(nameOf);
    return book;
}

} // namespace quiz

#pragma once

#include "core/results/resultsgrid.h"
#include "core/workbook/sheetsource.h"

#include <functional>
#include <utility>

namespace quiz
{

inline constexpr const char *kIndividualResultsSheet = "Individual Results";
inline constexpr const char *kResultsByQuestionSheet = "Results by Question";
inline constexpr const char *kResultsWithTextSheet = "Results with Text";

// Colours of the results workbook: the palette's 33 and 15 for the bands,
// the grids' green for right answers, light grey for the dotted row lines.
inline constexpr Rgb kBandOddFill = 0x00CCFF;  // rows 3, 5, 7, ...
inline constexpr Rgb kBandEvenFill = 0xC0C0C0; // rows 2, 4, 6, ...
inline constexpr Rgb kGreenFill = 0x00FF00;
inline constexpr Rgb kRowLineColour = 0xE0E0E0;
inline constexpr double kKeypadHeaderHeight = 27.75;

// Every worksheet copies a grid row by row: grid cell (r, c) is worksheet
// cell (r + 1, c + 1). yield is called once per row written.
class GridSheet : public SheetSource
{
  public:
    int rowCount() const override { return grid_.rows(); }

  protected:
    GridSheet(const ResultsGrid &grid, std::function<void()> yield) : grid_(grid), yield_(std::move(yield)) {}
    const ResultsGrid &grid_;
    std::function<void()> yield_;
    KeyedFormats formats_;
};

// "Individual Results" from the keypad grid: bands, a wrapped centred header
// row with a medium border, dotted grey lines around every data row and every
// question column, green right answers, CR turned into a blank.
class KeypadResultsSheet : public GridSheet
{
  public:
    KeypadResultsSheet(const ResultsGrid &grid, std::function<void()> yield = {});
    std::string name() const override { return kIndividualResultsSheet; }
    std::map<int, double> columnWidths() const override;
    std::map<int, double> rowHeights() const override { return {{1, kKeypadHeaderHeight}}; }
    void writeRow(int row, RowWriter &out) override;
};

// "Results by Question": the header row from B1 centred with a medium border,
// column A fitted, a medium border around the data block, green cells kept.
class QuestionResultsSheet : public GridSheet
{
  public:
    QuestionResultsSheet(const ResultsGrid &grid, std::function<void()> yield = {});
    std::string name() const override { return kResultsByQuestionSheet; }
    std::map<int, double> columnWidths() const override;
    std::map<int, double> rowHeights() const override { return {}; }
    void writeRow(int row, RowWriter &out) override;
};

// "Results with Text": every text followed by a blank, row 1 bold, columns A
// 40 and B 50 wide and C, D fitted, the data block left-aligned and centred
// vertically inside a medium border, each question's rows (a run of equal
// first-column texts) outlined by a medium border.
class QuestionFullSheet : public GridSheet
{
  public:
    QuestionFullSheet(const ResultsGrid &grid, std::function<void()> yield = {});
    std::string name() const override { return kResultsWithTextSheet; }
    std::map<int, double> columnWidths() const override;
    std::map<int, double> rowHeights() const override { return {}; }
    void writeRow(int row, RowWriter &out) override;
};

} // namespace quiz

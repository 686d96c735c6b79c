#pragma once

#include "core/workbook/celladdress.h"
#include "core/workbook/cellformat.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <variant>

namespace quiz
{

// A cell's value: nothing, text or a number.
using CellValue = std::variant<std::monostate, std::string, double>;

struct Cell {
    CellValue value;
    CellFormat format;
};

// One worksheet: cells by row and column (from 1), sizes in the
// spreadsheet's units (column width in characters of the standard font, row
// height in points), the selected cell. Range operations act on every cell of
// the range, creating empty formatted cells where none was.
class Sheet
{
  public:
    static constexpr double standardColumnWidth = 8.43;
    static constexpr double standardRowHeight = 15;

    explicit Sheet(std::string name) : name_(std::move(name)) {}

    const std::string &name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    void setText(int row, int column, std::string text);
    void setNumber(int row, int column, double number);
    void clearValue(int row, int column);
    // nullptr when the cell was never touched.
    const Cell *cell(int row, int column) const;
    Cell &cellAt(int row, int column); // created when missing
    // The value as the sheet shows it: text as is, numbers in shortest form.
    std::string displayText(int row, int column) const;
    // Every touched cell, row by row, left to right.
    const std::map<std::pair<int, int>, Cell> &cells() const { return cells_; }
    // The last row and column holding a value (0 when the sheet is empty).
    CellRef usedExtent() const;

    // Applies change to the format of every cell of the range. Whole-column and
    // whole-row ranges are cut to the used extent so that no cell is made for
    // nothing.
    void formatRange(const CellRange &range, const std::function<void(CellFormat &)> &change);
    void setBorderAround(const CellRange &range, BorderStyle style, BorderWeight weight,
                         std::optional<Rgb> colour = std::nullopt);
    // One edge of the range as a whole (Borders(xlEdgeBottom) of a range).
    void setRangeEdge(const CellRange &range, Edge edge, BorderStyle style, BorderWeight weight,
                      std::optional<Rgb> colour = std::nullopt);
    void setInterior(const CellRange &range, Rgb colour);
    void setFontBold(const CellRange &range, bool bold = true);
    void setFontColour(const CellRange &range, Rgb colour);
    void setFontSize(const CellRange &range, double size);
    void setFontName(const CellRange &range, const std::string &name);
    void setHorizontalAlignment(const CellRange &range, HorizontalAlignment alignment);
    void setVerticalAlignment(const CellRange &range, VerticalAlignment alignment);
    void setWrap(const CellRange &range, bool wrap = true);
    void setRotation(const CellRange &range, int degrees);

    void setColumnWidth(int column, double width);
    void setColumnWidth(int firstColumn, int lastColumn, double width);
    void resetColumnWidth(int column);
    double columnWidth(int column) const; // standard width when never set
    const std::map<int, double> &columnWidths() const { return columnWidths_; }
    void setRowHeight(int row, double height);
    double rowHeight(int row) const;
    const std::map<int, double> &rowHeights() const { return rowHeights_; }

    void select(int row, int column) { selected_ = {row, column}; }
    CellRef selected() const { return selected_; }

  private:
    CellRange clip(const CellRange &range) const;

    std::string name_;
    std::map<std::pair<int, int>, Cell> cells_;
    std::map<int, double> columnWidths_;
    std::map<int, double> rowHeights_;
    CellRef selected_{1, 1};
};

// A workbook: sheets in order; the first sheet is the one shown on opening
// unless another is made active.
class Workbook
{
  public:
    Sheet &addSheet(const std::string &name);
    Sheet &sheet(std::size_t index) { return sheets_.at(index); }
    const Sheet &sheet(std::size_t index) const { return sheets_.at(index); }
    std::size_t sheetCount() const { return sheets_.size(); }
    const std::deque<Sheet> &sheets() const { return sheets_; }
    std::size_t activeSheet() const { return active_; }
    void setActiveSheet(std::size_t index) { active_ = index; }

  private:
    std::deque<Sheet> sheets_; // a deque keeps references to sheets valid
    std::size_t active_ = 0;
};

// Shortest decimal text of a number, as a cell shows it in general format
// ("3", "2.5", "-0.125").
std::string numberText(double number);

} // namespace quiz

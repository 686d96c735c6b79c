#pragma once

#include "core/workbook/workbook.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quiz
{

// Receives the cells of one row, left to right (increasing column numbers).
// A format pointer names its format for the whole write: the same pointer
// must always hold the same format. nullptr is the standard format.
class RowWriter
{
  public:
    virtual ~RowWriter() = default;
    virtual void text(int column, std::string_view text, const CellFormat *format) = 0;
    virtual void number(int column, double value, const CellFormat *format) = 0;
    virtual void blank(int column, const CellFormat *format) = 0;
};

// A worksheet produced row by row, top to bottom, while the file is written,
// so that a large sheet is never held whole in memory.
class SheetSource
{
  public:
    virtual ~SheetSource() = default;
    virtual std::string name() const = 0;
    // Sizes and the selected cell, known before the first row.
    virtual std::map<int, double> columnWidths() const = 0;
    virtual std::map<int, double> rowHeights() const = 0;
    virtual CellRef selected() const { return {1, 1}; }
    // The last row with cells; rows 1..rowCount() are asked for in order.
    virtual int rowCount() const = 0;
    virtual void writeRow(int row, RowWriter &out) = 0;
};

// A sheet of the workbook model as a source.
class ModelSheetSource : public SheetSource
{
  public:
    explicit ModelSheetSource(const Sheet &sheet);
    std::string name() const override { return sheet_.name(); }
    std::map<int, double> columnWidths() const override { return sheet_.columnWidths(); }
    std::map<int, double> rowHeights() const override { return sheet_.rowHeights(); }
    CellRef selected() const override { return sheet_.selected(); }
    int rowCount() const override;
    void writeRow(int row, RowWriter &out) override;

  private:
    const Sheet &sheet_;
    std::map<std::pair<int, int>, Cell>::const_iterator next_;
};

// Formats named by small keys, made once each; pointers stay valid while the
// table lives (as the writers want them).
class KeyedFormats
{
  public:
    template <typename Build> const CellFormat *get(unsigned key, Build &&build)
    {
        auto it = formats_.find(key);
        if (it == formats_.end())
            it = formats_.emplace(key, build(key)).first;
        return &it->second;
    }

  private:
    std::unordered_map<unsigned, CellFormat> formats_;
};

// A text as the spreadsheet stores a typed entry: a number when it reads back
// exactly as that number ("4", "2.5"), otherwise text.
bool readsAsNumber(std::string_view text, double &number);
void writeTyped(RowWriter &out, int column, std::string_view text, const CellFormat *format);

// Writes a cell value of the model (text, number or a formatted blank).
void writeCell(RowWriter &out, int column, const Cell &cell);

// Reads sources whole into a workbook model (for writers that keep models,
// and for checking what a source produces).
Workbook collectWorkbook(const std::vector<SheetSource *> &sources, std::size_t activeSheet = 0);

} // namespace quiz

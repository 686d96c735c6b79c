#pragma once

#include "core/workbook/sheetsource.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quiz
{

class XlsxStyles;

// Writes one worksheet's XML (xl/worksheets/sheetN.xml) from its source while
// the rows come, handing it on in pieces of about a megabyte. Cells are
// appended to the piece as text: no allocation per cell.
class SheetXml : public RowWriter
{
  public:
    // Receives the next piece; false stops the writing.
    using Out = std::function<bool(std::string piece)>;
    static constexpr std::size_t pieceBytes = 1 << 20;

    SheetXml(XlsxStyles &styles, Out out);
    // "" when every piece was taken, otherwise what went wrong.
    std::string write(SheetSource &sheet, bool active);

    void text(int column, std::string_view text, const CellFormat *format) override;
    void number(int column, double value, const CellFormat *format) override;
    void blank(int column, const CellFormat *format) override;

  private:
    void startCell(int column, unsigned style);
    void openRow();
    bool handOn(bool whatever);
    const std::string &columnLetters(int column);

    XlsxStyles &styles_;
    Out out_;
    std::string xml_;
    std::string rowNumber_; // the row's number as text, for the cell references
    std::map<int, double> heights_;
    bool rowOpen_ = false;
    int row_ = 0;
    std::vector<std::string> columns_; // letters of the columns met so far
    bool failed_ = false;
};

} // namespace quiz

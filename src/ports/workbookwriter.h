#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quiz
{

class Workbook;
class SheetSource;

// Saves workbooks as spreadsheet files. A file is written whole or not at all.
class WorkbookWriter
{
  public:
    virtual ~WorkbookWriter() = default;
    // "" when saved; otherwise what went wrong, for a message.
    virtual std::string write(const Workbook &book, const std::string &path) = 0;
    // Sheets produced row by row while the file is written (activeSheet: the
    // one shown on opening). By default read whole into a model and written
    // with write() (core/workbook/sheetsource.cpp); streaming writers take
    // the rows as they come.
    virtual std::string writeSheets(const std::vector<SheetSource *> &sheets, std::size_t activeSheet,
                                    const std::string &path);
};

} // namespace quiz

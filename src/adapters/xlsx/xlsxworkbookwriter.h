#pragma once

#include "ports/workbookwriter.h"

namespace quiz
{

// Writes workbooks as Office Open XML with libxlsxwriter, whatever the file's
// extension (".xls" names are kept; spreadsheet programs open the content).
// The file is written beside its final name and then renamed over it.
class XlsxWorkbookWriter : public WorkbookWriter
{
  public:
    std::string write(const Workbook &book, const std::string &path) override;
    // Streams the rows: the library keeps one row in memory at a time.
    std::string writeSheets(const std::vector<SheetSource *> &sheets, std::size_t activeSheet,
                            const std::string &path) override;
};

} // namespace quiz

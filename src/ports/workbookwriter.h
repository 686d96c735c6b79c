#pragma once

#include <string>

namespace quiz {

class Workbook;

// Saves a workbook model as a spreadsheet file. The file is written whole or
// not at all.
class WorkbookWriter {
public:
    virtual ~WorkbookWriter() = default;
    // "" when saved; otherwise what went wrong, for a message.
    virtual std::string write(const Workbook &book, const std::string &path) = 0;
};

} // namespace quiz

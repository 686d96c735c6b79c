#pragma once

#include "core/workbook/workbook.h"
#include "ports/workbookwriter.h"

#include <optional>
#include <string>

namespace quiz::test
{

// Keeps the last workbook written and its path; fails with failWith when set.
class MemoryWriter : public WorkbookWriter
{
  public:
    std::optional<Workbook> book;
    std::string path;
    std::string failWith;
    std::string write(const Workbook &b, const std::string &p) override
    {
        if (!failWith.empty())
            return failWith;
        book = b;
        path = p;
        return {};
    }
};

} // namespace quiz::test

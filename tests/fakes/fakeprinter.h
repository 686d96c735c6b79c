#pragma once

#include "ports/printer.h"

#include <string>
#include <vector>

namespace quiz::test
{

// Keeps every document and target it is given; fails with failWith when set.
class RecordingPrinter : public Printer
{
  public:
    std::vector<PrintDocument> documents;
    std::vector<PrintTarget> targets;
    std::string failWith;
    std::string print(const PrintDocument &document, const PrintTarget &target) override
    {
        documents.push_back(document);
        targets.push_back(target);
        return failWith;
    }
};

} // namespace quiz::test

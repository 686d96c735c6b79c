#pragma once

#include "ports/printer.h"

namespace quiz
{

// Prints text documents through QPrinter: on a printer of the system (CUPS)
// by name, the default printer for an empty name, or into a PDF file, which
// is written beside its final name and renamed over it when complete. The
// text is set in the system's fixed-pitch font; pages break as they fill.
class QtPrinter : public Printer
{
  public:
    std::string print(const PrintDocument &document, const PrintTarget &target) override;
};

} // namespace quiz

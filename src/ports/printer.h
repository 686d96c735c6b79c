#pragma once

#include "ports/dialogs.h"

#include <string>
#include <vector>

namespace quiz
{

// One piece of text on a printed line, starting at a column counted in
// characters of the document's fixed-pitch font.
struct PrintPiece {
    int column = 0;
    std::string text;
    bool operator==(const PrintPiece &) const = default;
};

// A line of pieces; no pieces prints an empty line.
struct PrintLine {
    std::vector<PrintPiece> pieces;
    bool operator==(const PrintLine &) const = default;
};

// A document of text lines in one fixed-pitch font, broken into pages by the
// printer.
struct PrintDocument {
    std::string title;    // the print job's name
    double fontSize = 12; // points
    std::vector<PrintLine> lines;
};

// Prints text documents on a printer of the system or into a PDF file.
class Printer
{
  public:
    virtual ~Printer() = default;
    // "" when the document was printed; otherwise what went wrong. A PDF file
    // is written whole or not at all.
    virtual std::string print(const PrintDocument &document, const PrintTarget &target) = 0;
};

} // namespace quiz

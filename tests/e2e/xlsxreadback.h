#pragma once

// Reads a written workbook back from the file: the first sheet's cells with
// their shown text and the formats that the styles give them.

#include <map>
#include <string>

namespace quiz::test
{

struct ReadCell {
    std::string text; // a number in its shortest form, or the shared string
    bool isNumber = false;
    bool bold = false;
    double fontSize = 11;
    std::string fontColour;                     // "FF99CC00"; "" automatic
    std::string fill;                           // solid fill colour; "" none
    std::map<std::string, std::string> borders; // "left" -> "medium", ...; missing: none
    std::string horizontal;                     // "center", ""
    int rotation = 0;
    bool wrap = false;
};

struct ReadSheet {
    std::map<std::string, ReadCell> cells; // by reference, "A1"
    std::map<int, double> rowHeights;
    std::map<int, double> columnWidths; // as stored in the file
    std::string error;                  // "" when the file was read

    const ReadCell &at(const std::string &ref) const;
    std::string text(const std::string &ref) const;
};

// Unzips the workbook (python3 -m zipfile) into a temporary folder and parses
// the first sheet, the shared strings and the styles.
ReadSheet readWorkbook(const std::string &path);

} // namespace quiz::test

#pragma once

#include "core/workbook/cellformat.h"

#include <array>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace quiz
{

// The cell formats of a workbook as the styles part of the file: each distinct
// format gets one style number, its font, fill, border and number format
// shared with the formats that have the same.
class XlsxStyles
{
  public:
    XlsxStyles();
    // The style number of a format (0: the standard format, also for nullptr).
    // The same pointer must always hold the same format.
    unsigned styleOf(const CellFormat *format)
    {
        if (format == lastFormat_)
            return lastStyle_;
        lastFormat_ = format;
        const auto it = byPointer_.find(format);
        lastStyle_ = it != byPointer_.end() ? it->second : add(format);
        return lastStyle_;
    }
    // xl/styles.xml
    std::string xml() const;

  private:
    struct Style {
        unsigned numberFormat, font, fill, border;
    };
    unsigned add(const CellFormat *format);
    std::vector<Style> styles_;
    std::vector<CellFormat> formats_; // one per style
    std::vector<CellFont> fonts_;
    std::vector<Rgb> fills_;
    std::vector<std::array<Border, 4>> borders_;
    std::map<std::string, unsigned> numberFormats_;
    std::unordered_map<const CellFormat *, unsigned> byPointer_;
    const CellFormat *lastFormat_ = nullptr;
    unsigned lastStyle_ = 0;
};

} // namespace quiz

#include "core/workbook/celladdress.h"
#include "core/workbook/colour.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

std::string hex(std::optional<std::uint32_t> rgb)
{
    char text[8] = "none";
    if (rgb)
        std::snprintf(text, sizeof text, "%06X", *rgb);
    return text;
}

using Addresses = test::RowTest;

TEST_P(Addresses, ReadAndWritten)
{
    const test::Row &r = GetParam();
    std::string got = "none";
    if (r.name == "column" && columnNumber(r[0])) {
        got = std::to_string(columnNumber(r[0]));
        EXPECT_EQ(columnLetters(columnNumber(r[0])), r[2].empty() ? r[0] : r[2]);
    } else if (r.name == "letters" && !columnLetters(r.num(0)).empty()) {
        got = columnLetters(r.num(0));
    } else if (r.name == "cell" && parseCellAddress(r[0])) {
        const auto at = r.floats(1);
        EXPECT_EQ(*parseCellAddress(r[0]), (CellRef{int(at[0]), int(at[1])}));
        got = r[1];
    } else if (const auto range = r.name == "range" ? parseRange(r[0]) : std::nullopt) {
        const auto at = r.floats(1);
        EXPECT_EQ(*range, (CellRange{int(at[0]), int(at[1]), int(at[2]), int(at[3])}));
        got = r[1];
    } else if (r.name == "palette") {
        got = hex(paletteColour(r.num(0)));
    } else if (r.name == "bgr") {
        got = hex(rgbFromBgr(static_cast<std::uint32_t>(std::stoul(r[0], nullptr, 16))));
    }
    EXPECT_EQ(got, r[1]);
}
QUIZ_ROWS(Addresses, "workbook/addresses.rows");

} // namespace
} // namespace quiz

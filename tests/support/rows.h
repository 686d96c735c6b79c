#pragma once

// Table-driven tests read their cases from row files under tests/data/: one
// case a line, "name | cell | cell ...", "#" starts a comment line. Cells are
// trimmed; "\r", "\n", "\t", "\s" (a space), "\|", "\\" and "\xHH" are escapes, any
// other backslash is kept (so that "\d" in a regular expression stays as it is).

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace quiz::test
{

struct Row {
    std::string file;
    int line = 0;
    std::string name;
    std::vector<std::string> cells;

    // Cell i (after the name); a missing cell reads as empty.
    const std::string &operator[](size_t i) const;
    int num(size_t i) const { return std::stoi((*this)[i]); }
    double real(size_t i) const { return std::stod((*this)[i]); }
    bool flag(size_t i) const { return (*this)[i] == "1" || (*this)[i] == "yes"; }
    // Cell i split at a separator, items trimmed; an empty cell is an empty list.
    std::vector<std::string> list(size_t i, char separator = ',') const;
    std::vector<float> floats(size_t i) const;
};

// The path of a file or folder under tests/data.
std::string dataPath(const std::string &relative);
std::vector<Row> loadRows(const std::string &relative);
std::string unescapeCell(const std::string &cell);
// Text split at a separator, items trimmed; an empty text is an empty list.
std::vector<std::string> splitTrimmed(const std::string &text, char separator = ',');
// A line cut at its unescaped "|", each cell trimmed and unescaped.
std::vector<std::string> splitCells(const std::string &line);
void PrintTo(const Row &row, std::ostream *out);

// A file of blocks of directives: "=== name" starts a block, each other line is
// "key: cell | cell ..."; lines before the first block belong to every block.
struct Block {
    std::string file, name;
    std::vector<std::pair<std::string, std::vector<std::string>>> lines; // key, cells
};
std::vector<Block> loadBlocks(const std::string &relative);
void PrintTo(const Block &block, std::ostream *out);
std::string testName(std::string name); // letters and digits kept, the rest "_"

// The fixture of a table-driven test: `using Suite = quiz::test::RowTest;`.
using RowTest = ::testing::TestWithParam<Row>;

} // namespace quiz::test

#define QUIZ_ROWS(suite, file)                                                                               \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Rows, suite, ::testing::ValuesIn(::quiz::test::loadRows(file)), [](const auto &info) {               \
            return std::to_string(info.index) + "_" + ::quiz::test::testName(info.param.name);               \
        })
#define QUIZ_BLOCKS(suite, file)                                                                             \
    INSTANTIATE_TEST_SUITE_P(Blocks, suite, ::testing::ValuesIn(::quiz::test::loadBlocks(file)),             \
                             [](const auto &info) { return ::quiz::test::testName(info.param.name); })

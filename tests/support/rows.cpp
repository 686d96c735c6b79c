#include "support/rows.h"

#include <fstream>
#include <stdexcept>

#ifndef QUIZ_TEST_DATA
#error "QUIZ_TEST_DATA must be defined"
#endif

namespace quiz::test
{

namespace
{

std::string trim(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

} // namespace

const std::string &Row::operator[](size_t i) const
{
    static const std::string empty;
    return i < cells.size() ? cells[i] : empty;
}

std::vector<std::string> Row::list(size_t i, char separator) const
{
    return splitTrimmed((*this)[i], separator);
}

std::vector<std::string> splitTrimmed(const std::string &text, char separator)
{
    std::vector<std::string> out;
    if (trim(text).empty())
        return out;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        out.push_back(trim(text.substr(start, at - start)));
    out.push_back(trim(text.substr(start)));
    return out;
}

std::vector<float> Row::floats(size_t i) const
{
    std::vector<float> out;
    for (const std::string &v : list(i))
        out.push_back(std::stof(v));
    return out;
}

std::string dataPath(const std::string &relative)
{
    return std::string(QUIZ_TEST_DATA) + "/" + relative;
}

std::string unescapeCell(const std::string &cell)
{
    std::string out;
    for (size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] != '\\' || i + 1 == cell.size()) {
            out += cell[i];
            continue;
        }
        const char c = cell[++i];
        if (c == 'x' && i + 2 < cell.size()) {
            out += static_cast<char>(std::stoi(cell.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'r'                ? "\r"
                   : c == 'n'              ? "\n"
                   : c == 't'              ? "\t"
                   : c == 's'              ? " "
                   : c == '|' || c == '\\' ? std::string(1, c)
                                           : std::string{'\\', c};
        }
    }
    return out;
}

std::vector<std::string> splitCells(const std::string &line)
{
    std::vector<std::string> cells;
    std::string cell;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            cell += line.substr(i++, 2);
        } else if (line[i] == '|') {
            cells.push_back(unescapeCell(trim(cell)));
            cell.clear();
        } else {
            cell += line[i];
        }
    }
    cells.push_back(unescapeCell(trim(cell)));
    return cells;
}

std::vector<Row> loadRows(const std::string &relative)
{
    std::ifstream in(dataPath(relative), std::ios::binary);
    if (!in)
        throw std::runtime_error("no row file " + relative);
    std::vector<Row> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (trim(line).empty() || trim(line)[0] == '#')
            continue;
        const std::vector<std::string> cells = splitCells(line);
        rows.push_back(Row{relative, number, cells[0], {cells.begin() + 1, cells.end()}});
    }
    return rows;
}

std::vector<Block> loadBlocks(const std::string &relative)
{
    std::ifstream in(dataPath(relative), std::ios::binary);
    if (!in)
        throw std::runtime_error("no block file " + relative);
    Block shared{relative, "", {}};
    std::vector<Block> blocks;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("=== ", 0) == 0) {
            blocks.push_back(shared);
            blocks.back().name = line.substr(4);
        } else if (const auto colon = line.find(':'); colon != std::string::npos && line[0] != '#') {
            auto &target = blocks.empty() ? shared : blocks.back();
            target.lines.push_back({line.substr(0, colon), splitCells(line.substr(colon + 1))});
        } else if (line.find_first_not_of(" \t") != std::string::npos && line[0] != '#') {
            // A misspelt directive must not pass as a line nobody reads.
            throw std::runtime_error(relative + ": a line without a directive: " + line);
        }
    }
    if (blocks.empty())
        blocks.push_back(shared);
    return blocks;
}

void PrintTo(const Block &block, std::ostream *out)
{
    *out << block.file << " (" << block.name << ")";
}

std::string testName(std::string name)
{
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.file << ":" << row.line << " (" << row.name << ")";
}

} // namespace quiz::test

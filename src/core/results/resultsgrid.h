#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quiz
{

// Cell alignment codes of the results grids: left, centre or right, each
// top, centre or bottom, then "general" (text left, numbers right).
enum class CellAlign : std::uint8_t {
    LeftTop = 0,
    LeftCenter = 1,
    LeftBottom = 2,
    CenterTop = 3,
    CenterCenter = 4,
    CenterBottom = 5,
    RightTop = 6,
    RightCenter = 7,
    RightBottom = 8,
    General = 9,
};

// Cell colour marks. Green is the background 0xFF00 of a right answer, the
// button face the background of an option a question does not offer, blue
// the foreground 0xFF0000 of the raw scores.
enum CellMark : std::uint8_t {
    MarkGreen = 1,
    MarkButtonFace = 2,
    MarkBlue = 4,
};

inline constexpr std::uint32_t gridGreen = 0x00FF00; // blue-green-red
inline constexpr std::uint32_t gridBlue = 0xFF0000;  // blue-green-red
inline constexpr int gridDefaultColumnTwips = 960;
inline constexpr int gridDefaultRowTwips = 240;

// One cell: four bytes. Texts live once in the grid's text pool (answers,
// counts and scores repeat across thousands of cells); a cell keeps its
// text's number, a small code.
struct GridCell {
    static constexpr std::uint32_t columnAlign = 15; // the column's alignment
    static constexpr std::uint32_t maxTexts = 1u << 24;
    std::uint32_t text : 24 = 0;           // 0: empty, else the text's place in the pool
    std::uint32_t align : 4 = columnAlign; // a CellAlign, or columnAlign
    std::uint32_t marks : 4 = 0;           // CellMark bits
};
static_assert(sizeof(GridCell) == 4);

// A results grid: row 0 is the header. Sizes are in twips.
class ResultsGrid
{
  public:
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    // Growing keeps every cell; shrinking drops the cells past the end.
    void setRows(int rows);
    void setCols(int cols);
    void ensureRows(int rows)
    {
        if (rows > rows_)
            setRows(rows);
    }
    // Removes rows [first, first + count); the rows below move up.
    void removeRows(int first, int count);
    // Removes column c; the columns to its right move one place left.
    void removeCol(int c);

    const std::string &text(int r, int c) const { return pool_[cell(r, c).text]; }
    void setText(int r, int c, std::string_view text);
    CellAlign align(int r, int c) const;
    void setAlign(int r, int c, CellAlign a) { cell(r, c).align = static_cast<std::uint32_t>(a); }
    bool marked(int r, int c, CellMark m) const { return cell(r, c).marks & m; }
    void mark(int r, int c, CellMark m) { cell(r, c).marks = cell(r, c).marks | m; }

    CellAlign colAlign(int c) const { return colAlign_[c]; }
    void setColAlign(int c, CellAlign a) { colAlign_[c] = a; }
    int colWidth(int c) const { return colWidth_[c]; }
    void setColWidth(int c, int twips) { colWidth_[c] = twips; }
    int rowHeight(int r) const { return rowHeight_[r]; }
    void setRowHeight(int r, int twips) { rowHeight_[r] = twips; }
    bool headerWordWrap() const { return headerWordWrap_; }
    void setHeaderWordWrap(bool on) { headerWordWrap_ = on; }

    // The first column c from 1 to cols() - 1 whose header contains text; 0 when none does.
    int FindColumnByHeader(std::string_view text) const;
    // Different texts held (the pool's size, empty text included); at most
    // GridCell::maxTexts (setText throws std::length_error past it).
    std::size_t distinctTexts() const { return pool_.size(); }

  private:
    GridCell &cell(int r, int c) { return cells_[static_cast<std::size_t>(r) * cols_ + c]; }
    const GridCell &cell(int r, int c) const { return cells_[static_cast<std::size_t>(r) * cols_ + c]; }
    std::uint32_t intern(std::string_view text);

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    int rows_ = 0;
    int cols_ = 0;
    std::vector<GridCell> cells_;
    std::vector<CellAlign> colAlign_;
    std::vector<int> colWidth_;
    std::vector<int> rowHeight_;
    bool headerWordWrap_ = false;
    std::deque<std::string> pool_{std::string()}; // a deque: texts handed out stay where they are
    // Texts of one or two characters (most answers and counts) by their bytes,
    // so that they are found without hashing; 0 where not yet held.
    std::vector<std::uint32_t> shortIds_;
    std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> index_{{std::string(), 0}};
};

// The three grids of the results window.
struct ResultsGrids {
    ResultsGrid keypadResults;   // "Individual Results"
    ResultsGrid questionResults; // "Results by Question"
    ResultsGrid questionFull;    // "Results with Text"
};

} // namespace quiz

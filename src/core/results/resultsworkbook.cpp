#include "core/results/resultsworkbook.h"

#include "core/workbook/autofit.h"

#include <algorithm>

namespace quiz
{

namespace
{

enum Bits : unsigned {
    kLeft = 1u << static_cast<int>(Edge::Left),
    kTop = 1u << static_cast<int>(Edge::Top),
    kRight = 1u << static_cast<int>(Edge::Right),
    kBottom = 1u << static_cast<int>(Edge::Bottom),
    kHeader = 1u << 4,
    kGreen = 1u << 5,
    kBandOdd = 1u << 6,
    kBandEven = 1u << 7,
    kBold = 1u << 8,
    kLeftCentred = 1u << 9,
    kCentred = 1u << 10,
};

const Border kMedium{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt};
const Border kRowLine{BorderStyle::Dot, BorderWeight::Thin, kRowLineColour};

// The edges of a cell on the outline of rows r0..r1, columns c0..c1.
unsigned outline(int row, int column, int r0, int c0, int r1, int c1)
{
    return (column == c0 ? kLeft : 0u) | (row == r0 ? kTop : 0u) | (column == c1 ? kRight : 0u) |
           (row == r1 ? kBottom : 0u);
}

void setEdges(CellFormat &f, unsigned bits, const Border &border)
{
    for (Edge edge : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom})
        if (bits & (1u << static_cast<int>(edge)))
            f.border(edge) = border;
}

CellFormat baseFormat(unsigned key)
{
    CellFormat f;
    if (key & kBandOdd)
        f.fill = kBandOddFill;
    if (key & kBandEven)
        f.fill = kBandEvenFill;
    if (key & kGreen)
        f.fill = kGreenFill;
    if (key & kBold)
        f.font.bold = true;
    if (key & kCentred) {
        f.horizontal = HorizontalAlignment::Centre;
        f.vertical = VerticalAlignment::Centre;
    }
    if (key & kLeftCentred) {
        f.horizontal = HorizontalAlignment::Left;
        f.vertical = VerticalAlignment::Centre;
    }
    return f;
}

// A grid text as the first two worksheets hold it: every CR a blank.
std::string withoutCr(const std::string &text)
{
    std::string out = text;
    std::replace(out.begin(), out.end(), '\r', ' ');
    return out;
}

void write(RowWriter &out, int column, const std::string &text, const CellFormat *format)
{
    if (text.empty()) {
        if (format)
            out.blank(column, format);
    } else {
        writeTyped(out, column, text, format);
    }
}

} // namespace

KeypadResultsSheet::KeypadResultsSheet(const ResultsGrid &grid, std::function<void()> yield)
    : GridSheet(grid, std::move(yield))
{
}

std::map<int, double> KeypadResultsSheet::columnWidths() const
{
    std::map<int, double> widths{{1, 9}, {2, 9}, {3, 9}};
    if (grid_.rows() > 0 && grid_.cols() > 0 && grid_.text(0, 0) == "Participant Name")
        widths[1] = 16;
    return widths;
}

void KeypadResultsSheet::writeRow(int row, RowWriter &out)
{
    if (yield_)
        yield_();
    const int columns = grid_.cols();
    for (int column = 1; column <= columns; ++column) {
        unsigned key = 0;
        if (row == 1) {
            key = kHeader | kCentred | outline(row, column, 1, 1, 1, columns);
        } else {
            key = (row % 2 ? kBandOdd : kBandEven) | kTop | kBottom;
            if (column == 1 || column >= 4)
                key |= kLeft;
            if (column == columns || column >= 4)
                key |= kRight;
        }
        if (grid_.marked(row - 1, column - 1, MarkGreen))
            key |= kGreen;
        const CellFormat *format = formats_.get(key, [](unsigned k) {
            CellFormat f = baseFormat(k);
            if (k & kHeader) {
                f.wrap = true;
                setEdges(f, k, kMedium);
            } else {
                setEdges(f, k, kRowLine);
            }
            return f;
        });
        write(out, column, withoutCr(grid_.text(row - 1, column - 1)), format);
    }
}

QuestionResultsSheet::QuestionResultsSheet(const ResultsGrid &grid, std::function<void()> yield)
    : GridSheet(grid, std::move(yield))
{
}

std::map<int, double> QuestionResultsSheet::columnWidths() const
{
    double width = 0;
    for (int r = 0; r < grid_.rows() && grid_.cols() > 0; ++r)
        width = std::max(width, fittedWidth(withoutCr(grid_.text(r, 0)), CellFormat{}));
    if (width == 0)
        return {};
    return {{1, width}};
}

void QuestionResultsSheet::writeRow(int row, RowWriter &out)
{
    if (yield_)
        yield_();
    const int columns = grid_.cols();
    const int rows = grid_.rows();
    for (int column = 1; column <= columns; ++column) {
        unsigned key = 0;
        if (row == 1 && column >= 2)
            key = kCentred | outline(row, column, 1, 2, 1, columns);
        else if (row >= 2)
            key = outline(row, column, 2, 1, rows, columns);
        if (grid_.marked(row - 1, column - 1, MarkGreen))
            key |= kGreen;
        const CellFormat *format = key ? formats_.get(key,
                                                      [](unsigned k) {
                                                          CellFormat f = baseFormat(k);
                                                          setEdges(f, k, kMedium);
                                                          return f;
                                                      })
                                       : nullptr;
        write(out, column, withoutCr(grid_.text(row - 1, column - 1)), format);
    }
}

QuestionFullSheet::QuestionFullSheet(const ResultsGrid &grid, std::function<void()> yield)
    : GridSheet(grid, std::move(yield))
{
}

std::map<int, double> QuestionFullSheet::columnWidths() const
{
    std::map<int, double> widths;
    for (int c = 3; c <= std::min(4, grid_.cols()); ++c) {
        double width = 0;
        for (int r = 0; r < grid_.rows(); ++r) {
            CellFormat format;
            format.font.bold = r == 0;
            width = std::max(width, fittedWidth(grid_.text(r, c - 1) + " ", format));
        }
        widths[c] = width;
    }
    widths[1] = 40;
    widths[2] = 50;
    return widths;
}

void QuestionFullSheet::writeRow(int row, RowWriter &out)
{
    if (yield_)
        yield_();
    const int columns = grid_.cols();
    const int rows = grid_.rows();
    unsigned rowKey = row == 1 ? kBold : kLeftCentred;
    if (row >= 2) {
        // The question's block: rows whose first column holds the same text.
        const std::string &question = grid_.text(row - 1, 0);
        const bool first = row == 2 || grid_.text(row - 2, 0) != question;
        const bool last = row == rows || grid_.text(row, 0) != question;
        rowKey |= (first ? kTop : 0u) | (last ? kBottom : 0u);
    }
    for (int column = 1; column <= columns; ++column) {
        unsigned key = rowKey;
        if (row >= 2)
            key |= (column == 1 ? kLeft : 0u) | (column == columns ? kRight : 0u);
        const CellFormat *format = formats_.get(key, [](unsigned k) {
            CellFormat f = baseFormat(k);
            setEdges(f, k, kMedium);
            return f;
        });
        out.text(column, grid_.text(row - 1, column - 1) + " ", format);
    }
}

} // namespace quiz

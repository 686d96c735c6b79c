#include "adapters/xlsx/sheetxml.h"

#include "adapters/xlsx/xlsxstyles.h"
#include "adapters/xlsx/xmltext.h"
#include "core/workbook/celladdress.h"

#include <cmath>

namespace quiz
{

namespace
{

// The file keeps a column's width with the cell padding, in 1/256 of a
// character of 7 pixels (the standard font's digit) plus 5 pixels.
double fileColumnWidth(double characters)
{
    const double pixels =
        characters < 1 ? std::floor(characters * 12 + 0.5) : std::floor(characters * 7 + 0.5) + 5;
    return std::floor(pixels / 7 * 256) / 256;
}

void appendCellReference(std::string &out, const std::string &letters, const std::string &row)
{
    out += "<c r=\"";
    out += letters;
    out += row;
    out += '"';
}

bool needsPreservedSpace(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return blank(text.front()) || blank(text.back());
}

} // namespace

SheetXml::SheetXml(XlsxStyles &styles, Out out) : styles_(styles), out_(std::move(out)) {}

const std::string &SheetXml::columnLetters(int column)
{
    while (static_cast<int>(columns_.size()) < column)
        columns_.push_back(quiz::columnLetters(static_cast<int>(columns_.size()) + 1));
    return columns_[column - 1];
}

bool SheetXml::handOn(bool whatever)
{
    if (!failed_ && (whatever || xml_.size() >= pieceBytes)) {
        failed_ = !out_(std::move(xml_));
        xml_.clear();
        xml_.reserve(pieceBytes + pieceBytes / 8);
    }
    return !failed_;
}

void SheetXml::openRow()
{
    if (rowOpen_)
        return;
    rowOpen_ = true;
    xml_ += "<row r=\"";
    xml_ += rowNumber_;
    xml_ += '"';
    if (const auto height = heights_.find(row_); height != heights_.end()) {
        xml_ += " ht=\"";
        appendNumber(xml_, height->second);
        xml_ += "\" customHeight=\"1\"";
    }
    xml_ += '>';
}

void SheetXml::startCell(int column, unsigned style)
{
    openRow();
    appendCellReference(xml_, columnLetters(column), rowNumber_);
    if (style != 0) {
        xml_ += " s=\"";
        appendNumber(xml_, static_cast<long long>(style));
        xml_ += '"';
    }
}

void SheetXml::text(int column, std::string_view text, const CellFormat *format)
{
    if (text.empty())
        return blank(column, format);
    startCell(column, styles_.styleOf(format));
    xml_ += needsPreservedSpace(text) ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">"
                                      : " t=\"inlineStr\"><is><t>";
    appendXmlText(xml_, text);
    xml_ += "</t></is></c>";
}

void SheetXml::number(int column, double value, const CellFormat *format)
{
    startCell(column, styles_.styleOf(format));
    if (!std::isfinite(value)) {
        xml_ += " t=\"e\"><v>#NUM!</v></c>";
        return;
    }
    xml_ += "><v>";
    appendNumber(xml_, value);
    xml_ += "</v></c>";
}

void SheetXml::blank(int column, const CellFormat *format)
{
    // A blank cell of the standard format is no cell at all.
    if (const unsigned style = styles_.styleOf(format)) {
        startCell(column, style);
        xml_ += "/>";
    }
}

std::string SheetXml::write(SheetSource &sheet, bool active)
{
    heights_ = sheet.rowHeights();
    xml_.reserve(pieceBytes + pieceBytes / 8);
    xml_ = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "relationships\"><sheetViews><sheetView";
    if (active)
        xml_ += " tabSelected=\"1\"";
    xml_ += " workbookViewId=\"0\"";
    const CellRef selected = sheet.selected();
    if (selected.row == 1 && selected.column == 1) {
        xml_ += "/>";
    } else {
        std::string cell = quiz::columnLetters(selected.column) + std::to_string(selected.row);
        xml_ += "><selection activeCell=\"" + cell + "\" sqref=\"" + cell + "\"/></sheetView>";
    }
    xml_ += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    const std::map<int, double> widths = sheet.columnWidths();
    if (!widths.empty()) {
        xml_ += "<cols>";
        for (const auto &[column, width] : widths) {
            xml_ += "<col min=\"";
            appendNumber(xml_, static_cast<long long>(column));
            xml_ += "\" max=\"";
            appendNumber(xml_, static_cast<long long>(column));
            xml_ += "\" width=\"";
            appendNumber(xml_, width > 0 ? fileColumnWidth(width) : 0.0);
            xml_ += width > 0 ? "\" customWidth=\"1\"/>" : "\" hidden=\"1\" customWidth=\"1\"/>";
        }
        xml_ += "</cols>";
    }
    xml_ += "<sheetData>";
    const int rowCount = sheet.rowCount();
    // Rows with a height but no cells, also past the last row of cells.
    const int lastRow = heights_.empty() ? rowCount : std::max(rowCount, heights_.rbegin()->first);
    for (row_ = 1; row_ <= lastRow && !failed_; ++row_) {
        rowNumber_.clear();
        appendNumber(rowNumber_, static_cast<long long>(row_));
        rowOpen_ = false;
        if (heights_.count(row_))
            openRow();
        if (row_ <= rowCount)
            sheet.writeRow(row_, *this);
        if (rowOpen_)
            xml_ += "</row>";
        handOn(false);
    }
    xml_ += "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
            "footer=\"0.3\"/></worksheet>";
    handOn(true);
    return failed_ ? "cannot write the sheet \"" + sheet.name() + "\"" : std::string{};
}

} // namespace quiz

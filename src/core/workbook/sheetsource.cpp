#include "core/workbook/sheetsource.h"

#include "ports/workbookwriter.h"

#include <charconv>

namespace quiz
{

ModelSheetSource::ModelSheetSource(const Sheet &sheet) : sheet_(sheet), next_(sheet.cells().begin()) {}

int ModelSheetSource::rowCount() const
{
    return sheet_.cells().empty() ? 0 : sheet_.cells().rbegin()->first.first;
}

void ModelSheetSource::writeRow(int row, RowWriter &out)
{
    const auto end = sheet_.cells().end();
    while (next_ != end && next_->first.first < row)
        ++next_;
    for (; next_ != end && next_->first.first == row; ++next_)
        writeCell(out, next_->first.second, next_->second);
}

bool readsAsNumber(std::string_view text, double &number)
{
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    return !text.empty() && result.ec == std::errc() && result.ptr == end && numberText(number) == text;
}

void writeTyped(RowWriter &out, int column, std::string_view text, const CellFormat *format)
{
    double number = 0;
    if (readsAsNumber(text, number))
        out.number(column, number, format);
    else
        out.text(column, text, format);
}

void writeCell(RowWriter &out, int column, const Cell &cell)
{
    const CellFormat *format = cell.format == CellFormat{} ? nullptr : &cell.format;
    if (const auto *text = std::get_if<std::string>(&cell.value)) {
        if (text->empty())
            out.blank(column, format);
        else
            out.text(column, *text, format);
    } else if (const auto *number = std::get_if<double>(&cell.value)) {
        out.number(column, *number, format);
    } else if (format) {
        out.blank(column, format);
    }
}

namespace
{

class ModelRowWriter : public RowWriter
{
  public:
    ModelRowWriter(Sheet &sheet, int row) : sheet_(sheet), row_(row) {}
    void text(int column, std::string_view text, const CellFormat *format) override
    {
        Cell &c = put(column, format);
        c.value = std::string(text);
    }
    void number(int column, double value, const CellFormat *format) override
    {
        put(column, format).value = value;
    }
    void blank(int column, const CellFormat *format) override { put(column, format); }

  private:
    Cell &put(int column, const CellFormat *format)
    {
        Cell &c = sheet_.cellAt(row_, column);
        c.format = format ? *format : CellFormat{};
        return c;
    }
    Sheet &sheet_;
    int row_;
};

} // namespace

Workbook collectWorkbook(const std::vector<SheetSource *> &sources, std::size_t activeSheet)
{
    Workbook book;
    for (SheetSource *source : sources) {
        Sheet &sheet = book.addSheet(source->name());
        for (const auto &[column, width] : source->columnWidths())
            sheet.setColumnWidth(column, width);
        for (const auto &[row, height] : source->rowHeights())
            sheet.setRowHeight(row, height);
        const CellRef selected = source->selected();
        sheet.select(selected.row, selected.column);
        const int rows = source->rowCount();
        for (int row = 1; row <= rows; ++row) {
            ModelRowWriter out(sheet, row);
            source->writeRow(row, out);
        }
    }
    book.setActiveSheet(activeSheet);
    return book;
}

// The port's default: the sheets read whole into a model, written at once.
std::string WorkbookWriter::writeSheets(const std::vector<SheetSource *> &sheets, std::size_t activeSheet,
                                        const std::string &path)
{
    return write(collectWorkbook(sheets, activeSheet), path);
}

} // namespace quiz

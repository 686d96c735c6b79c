#include "adapters/xlsx/xlsxworkbookwriter.h"

#include "core/workbook/sheetsource.h"
#include "core/workbook/workbook.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace quiz
{

namespace
{

lxw_color_t lxwColour(Rgb rgb)
{
    // 0 means "no colour" to the library; black has its own value.
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : static_cast<lxw_color_t>(rgb);
}

std::uint8_t lxwBorder(const Border &border)
{
    const bool heavy = border.weight == BorderWeight::Medium || border.weight == BorderWeight::Thick;
    switch (border.style) {
    case BorderStyle::None:
        return LXW_BORDER_NONE;
    case BorderStyle::Continuous:
        switch (border.weight) {
        case BorderWeight::Hairline:
            return LXW_BORDER_HAIR;
        case BorderWeight::Thin:
            return LXW_BORDER_THIN;
        case BorderWeight::Medium:
            return LXW_BORDER_MEDIUM;
        case BorderWeight::Thick:
            return LXW_BORDER_THICK;
        }
        break;
    case BorderStyle::Dash:
        return heavy ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case BorderStyle::Dot:
        return border.weight == BorderWeight::Hairline ? LXW_BORDER_HAIR : LXW_BORDER_DOTTED;
    case BorderStyle::DashDot:
        return heavy ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
    case BorderStyle::DashDotDot:
        return heavy ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
    case BorderStyle::Double:
        return LXW_BORDER_DOUBLE;
    }
    return LXW_BORDER_THIN;
}

std::uint8_t lxwHorizontal(HorizontalAlignment a)
{
    switch (a) {
    case HorizontalAlignment::General:
        return LXW_ALIGN_NONE;
    case HorizontalAlignment::Left:
        return LXW_ALIGN_LEFT;
    case HorizontalAlignment::Centre:
        return LXW_ALIGN_CENTER;
    case HorizontalAlignment::Right:
        return LXW_ALIGN_RIGHT;
    }
    return LXW_ALIGN_NONE;
}

std::uint8_t lxwVertical(VerticalAlignment a)
{
    switch (a) {
    case VerticalAlignment::Bottom:
        return LXW_ALIGN_VERTICAL_BOTTOM;
    case VerticalAlignment::Centre:
        return LXW_ALIGN_VERTICAL_CENTER;
    case VerticalAlignment::Top:
        return LXW_ALIGN_VERTICAL_TOP;
    }
    return LXW_ALIGN_VERTICAL_BOTTOM;
}

std::string colourKey(const std::optional<Rgb> &c)
{
    return c ? std::to_string(*c) : "auto";
}

// One text per distinct format, so that equal formats share one style.
std::string formatKey(const CellFormat &f)
{
    std::ostringstream key;
    key << f.font.name << '|' << f.font.size << '|' << f.font.bold << f.font.italic << '|'
        << colourKey(f.font.colour) << '|' << colourKey(f.fill) << '|';
    for (const auto &b : f.borders)
        key << static_cast<int>(b.style) << ',' << static_cast<int>(b.weight) << ',' << colourKey(b.colour)
            << ';';
    key << '|' << static_cast<int>(f.horizontal) << static_cast<int>(f.vertical) << f.wrap << '|'
        << f.rotation << '|' << f.numberFormat;
    return key.str();
}

class FormatCache
{
  public:
    explicit FormatCache(lxw_workbook *book) : book_(book) {}

    lxw_format *get(const CellFormat *f)
    {
        if (!f)
            return nullptr;
        // Sources hand the same few formats again and again: the pointer is
        // looked up first, the format's text only for a pointer not seen yet.
        if (const auto it = byPointer_.find(f); it != byPointer_.end())
            return it->second;
        lxw_format *format = get(*f);
        byPointer_.emplace(f, format);
        return format;
    }

  private:
    lxw_format *get(const CellFormat &f)
    {
        if (f == CellFormat{})
            return nullptr;
        const std::string key = formatKey(f);
        if (const auto it = formats_.find(key); it != formats_.end())
            return it->second;
        lxw_format *format = workbook_add_format(book_);
        format_set_font_name(format, f.font.name.c_str());
        format_set_font_size(format, f.font.size);
        if (f.font.bold)
            format_set_bold(format);
        if (f.font.italic)
            format_set_italic(format);
        if (f.font.colour)
            format_set_font_color(format, lxwColour(*f.font.colour));
        if (f.fill) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, lxwColour(*f.fill));
        }
        const Border &left = f.border(Edge::Left), &top = f.border(Edge::Top), &right = f.border(Edge::Right),
                     &bottom = f.border(Edge::Bottom);
        format_set_left(format, lxwBorder(left));
        format_set_top(format, lxwBorder(top));
        format_set_right(format, lxwBorder(right));
        format_set_bottom(format, lxwBorder(bottom));
        if (left.colour)
            format_set_left_color(format, lxwColour(*left.colour));
        if (top.colour)
            format_set_top_color(format, lxwColour(*top.colour));
        if (right.colour)
            format_set_right_color(format, lxwColour(*right.colour));
        if (bottom.colour)
            format_set_bottom_color(format, lxwColour(*bottom.colour));
        if (f.horizontal != HorizontalAlignment::General)
            format_set_align(format, lxwHorizontal(f.horizontal));
        if (f.vertical != VerticalAlignment::Bottom)
            format_set_align(format, lxwVertical(f.vertical));
        if (f.wrap)
            format_set_text_wrap(format);
        if (f.rotation != 0)
            format_set_rotation(format, static_cast<int16_t>(f.rotation));
        if (!f.numberFormat.empty())
            format_set_num_format(format, f.numberFormat.c_str());
        formats_.emplace(key, format);
        return format;
    }

    lxw_workbook *book_;
    std::map<std::string, lxw_format *> formats_;
    std::unordered_map<const CellFormat *, lxw_format *> byPointer_;
};

std::string describe(lxw_error error, const std::string &what)
{
    return what + ": " + lxw_strerror(error);
}

// Hands one row's cells to the library; the first failure is kept.
class LxwRowWriter : public RowWriter
{
  public:
    LxwRowWriter(lxw_worksheet *ws, FormatCache &formats) : ws_(ws), formats_(formats) {}
    void startRow(int row) { row_ = static_cast<lxw_row_t>(row - 1); }
    void text(int column, std::string_view text, const CellFormat *format) override
    {
        if (text.empty())
            return blank(column, format);
        buffer_.assign(text);
        check(worksheet_write_string(ws_, row_, col(column), buffer_.c_str(), formats_.get(format)), column);
    }
    void number(int column, double value, const CellFormat *format) override
    {
        check(worksheet_write_number(ws_, row_, col(column), value, formats_.get(format)), column);
    }
    void blank(int column, const CellFormat *format) override
    {
        if (format)
            check(worksheet_write_blank(ws_, row_, col(column), formats_.get(format)), column);
    }
    const std::string &error() const { return error_; }

  private:
    static lxw_col_t col(int column) { return static_cast<lxw_col_t>(column - 1); }
    void check(lxw_error error, int column)
    {
        if (error != LXW_NO_ERROR && error_.empty())
            error_ = describe(error, "cell " + columnLetters(column) + std::to_string(row_ + 1));
    }
    lxw_worksheet *ws_;
    FormatCache &formats_;
    lxw_row_t row_ = 0;
    std::string buffer_;
    std::string error_;
};

// Streams the sources into the library's workbook; "" when every call succeeded.
std::string fill(lxw_workbook *out, const std::vector<SheetSource *> &sheets, std::size_t activeSheet)
{
    FormatCache formats(out);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        SheetSource &sheet = *sheets[i];
        const std::string name = sheet.name();
        const lxw_error nameCheck = workbook_validate_sheet_name(out, name.c_str());
        if (nameCheck != LXW_NO_ERROR)
            return describe(nameCheck, "sheet name \"" + name + "\"");
        lxw_worksheet *ws = workbook_add_worksheet(out, name.c_str());
        if (!ws)
            return "cannot add the sheet \"" + name + "\"";
        for (const auto &[column, width] : sheet.columnWidths())
            worksheet_set_column(ws, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1),
                                 width, nullptr);
        const std::map<int, double> heights = sheet.rowHeights();
        auto height = heights.begin();
        LxwRowWriter rows(ws, formats);
        const int rowCount = sheet.rowCount();
        for (int row = 1; row <= rowCount; ++row) {
            // A row's height goes before its cells: finished rows are on disk.
            for (; height != heights.end() && height->first <= row; ++height)
                if (height->first == row)
                    worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), height->second, nullptr);
            rows.startRow(row);
            sheet.writeRow(row, rows);
            if (!rows.error().empty())
                return rows.error();
        }
        for (; height != heights.end(); ++height)
            worksheet_set_row(ws, static_cast<lxw_row_t>(height->first - 1), height->second, nullptr);
        const CellRef sel = sheet.selected();
        worksheet_set_selection(ws, static_cast<lxw_row_t>(sel.row - 1),
                                static_cast<lxw_col_t>(sel.column - 1), static_cast<lxw_row_t>(sel.row - 1),
                                static_cast<lxw_col_t>(sel.column - 1));
        if (i == activeSheet)
            worksheet_activate(ws);
    }
    return {};
}

} // namespace

std::string XlsxWorkbookWriter::write(const Workbook &book, const std::string &path)
{
    std::vector<ModelSheetSource> models;
    for (std::size_t i = 0; i < book.sheetCount(); ++i)
        models.emplace_back(book.sheet(i));
    std::vector<SheetSource *> sheets;
    for (ModelSheetSource &model : models)
        sheets.push_back(&model);
    return writeSheets(sheets, book.activeSheet(), path);
}

std::string XlsxWorkbookWriter::writeSheets(const std::vector<SheetSource *> &sheets, std::size_t activeSheet,
                                            const std::string &path)
{
    namespace fs = std::filesystem;
    if (sheets.empty())
        return "the workbook has no sheet";
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return "cannot write in " + folder.string();
    // mkstemp makes the file private; give it the mode a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);

    // Rows go to a temporary file beside the target as they come (the
    // system's temporary folder may be held in memory).
    std::string tmpdir = folder.string();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tmpdir.data();
    lxw_workbook *out = workbook_new_opt(temp.c_str(), &options);
    if (!out) {
        std::remove(temp.c_str());
        return "cannot create " + path;
    }
    std::string error = fill(out, sheets, activeSheet);
    const lxw_error closed = workbook_close(out);
    if (error.empty() && closed != LXW_NO_ERROR)
        error = describe(closed, "cannot write " + path);
    if (!error.empty()) {
        std::remove(temp.c_str());
        return error;
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::remove(temp.c_str());
        return "cannot replace " + path + ": " + ec.message();
    }
    return {};
}

} // namespace quiz

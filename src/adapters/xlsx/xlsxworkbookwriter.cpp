#include "adapters/xlsx/xlsxworkbookwriter.h"

#include "core/workbook/workbook.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quiz {

namespace {

lxw_color_t lxwColour(Rgb rgb)
{
    // 0 means "no colour" to the library; black has its own value.
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : static_cast<lxw_color_t>(rgb);
}

std::uint8_t lxwBorder(const Border &border)
{
    const bool heavy = border.weight == BorderWeight::Medium || border.weight == BorderWeight::Thick;
    switch (border.style) {
    case BorderStyle::None: return LXW_BORDER_NONE;
    case BorderStyle::Continuous:
        switch (border.weight) {
        case BorderWeight::Hairline: return LXW_BORDER_HAIR;
        case BorderWeight::Thin: return LXW_BORDER_THIN;
        case BorderWeight::Medium: return LXW_BORDER_MEDIUM;
        case BorderWeight::Thick: return LXW_BORDER_THICK;
        }
        break;
    case BorderStyle::Dash: return heavy ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case BorderStyle::Dot: return border.weight == BorderWeight::Hairline ? LXW_BORDER_HAIR : LXW_BORDER_DOTTED;
    case BorderStyle::DashDot: return heavy ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
    case BorderStyle::DashDotDot: return heavy ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
    case BorderStyle::Double: return LXW_BORDER_DOUBLE;
    }
    return LXW_BORDER_THIN;
}

std::uint8_t lxwHorizontal(HorizontalAlignment a)
{
    switch (a) {
    case HorizontalAlignment::General: return LXW_ALIGN_NONE;
    case HorizontalAlignment::Left: return LXW_ALIGN_LEFT;
    case HorizontalAlignment::Centre: return LXW_ALIGN_CENTER;
    case HorizontalAlignment::Right: return LXW_ALIGN_RIGHT;
    }
    return LXW_ALIGN_NONE;
}

std::uint8_t lxwVertical(VerticalAlignment a)
{
    switch (a) {
    case VerticalAlignment::Bottom: return LXW_ALIGN_VERTICAL_BOTTOM;
    case VerticalAlignment::Centre: return LXW_ALIGN_VERTICAL_CENTER;
    case VerticalAlignment::Top: return LXW_ALIGN_VERTICAL_TOP;
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
        key << static_cast<int>(b.style) << ',' << static_cast<int>(b.weight) << ',' << colourKey(b.colour) << ';';
    key << '|' << static_cast<int>(f.horizontal) << static_cast<int>(f.vertical) << f.wrap << '|' << f.rotation
        << '|' << f.numberFormat;
    return key.str();
}

class FormatCache {
public:
    explicit FormatCache(lxw_workbook *book) : book_(book) {}

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

private:
    lxw_workbook *book_;
    std::map<std::string, lxw_format *> formats_;
};

std::string describe(lxw_error error, const std::string &what)
{
    return what + ": " + lxw_strerror(error);
}

// Fills the library's workbook from the model; "" when every call succeeded.
std::string fill(lxw_workbook *out, const Workbook &book)
{
    FormatCache formats(out);
    for (std::size_t i = 0; i < book.sheetCount(); ++i) {
        const Sheet &sheet = book.sheet(i);
        const lxw_error nameCheck = workbook_validate_sheet_name(out, sheet.name().c_str());
        if (nameCheck != LXW_NO_ERROR)
            return describe(nameCheck, "sheet name \"" + sheet.name() + "\"");
        lxw_worksheet *ws = workbook_add_worksheet(out, sheet.name().c_str());
        if (!ws)
            return "cannot add the sheet \"" + sheet.name() + "\"";
        for (const auto &[column, width] : sheet.columnWidths())
            worksheet_set_column(ws, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1), width,
                                 nullptr);
        for (const auto &[row, height] : sheet.rowHeights())
            worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), height, nullptr);
        for (const auto &[key, cell] : sheet.cells()) {
            const auto row = static_cast<lxw_row_t>(key.first - 1);
            const auto col = static_cast<lxw_col_t>(key.second - 1);
            lxw_format *format = formats.get(cell.format);
            lxw_error error = LXW_NO_ERROR;
            if (const auto *text = std::get_if<std::string>(&cell.value))
                error = text->empty() ? worksheet_write_blank(ws, row, col, format)
                                      : worksheet_write_string(ws, row, col, text->c_str(), format);
            else if (const auto *number = std::get_if<double>(&cell.value))
                error = worksheet_write_number(ws, row, col, *number, format);
            else if (format)
                error = worksheet_write_blank(ws, row, col, format);
            if (error != LXW_NO_ERROR)
                return describe(error, "cell " + columnLetters(key.second) + std::to_string(key.first));
        }
        const CellRef sel = sheet.selected();
        worksheet_set_selection(ws, static_cast<lxw_row_t>(sel.row - 1), static_cast<lxw_col_t>(sel.column - 1),
                                static_cast<lxw_row_t>(sel.row - 1), static_cast<lxw_col_t>(sel.column - 1));
        if (i == book.activeSheet())
            worksheet_activate(ws);
    }
    return {};
}

} // namespace

std::string XlsxWorkbookWriter::write(const Workbook &book, const std::string &path)
{
    namespace fs = std::filesystem;
    if (book.sheetCount() == 0)
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

    lxw_workbook *out = workbook_new(temp.c_str());
    if (!out) {
        std::remove(temp.c_str());
        return "cannot create " + path;
    }
    std::string error = fill(out, book);
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

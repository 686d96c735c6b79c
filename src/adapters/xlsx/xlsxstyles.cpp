#include "adapters/xlsx/xlsxstyles.h"

#include "adapters/xlsx/xmltext.h"

#include <algorithm>
#include <cstdio>

namespace quiz
{

namespace
{

constexpr unsigned firstOwnNumberFormat = 164; // below are the spreadsheet's built-in ones
constexpr unsigned firstOwnFill = 2;           // 0 and 1 are reserved: none and gray125

const char *borderStyle(const Border &border)
{
    const bool heavy = border.weight == BorderWeight::Medium || border.weight == BorderWeight::Thick;
    switch (border.style) {
    case BorderStyle::None:
        return nullptr;
    case BorderStyle::Continuous:
        switch (border.weight) {
        case BorderWeight::Hairline:
            return "hair";
        case BorderWeight::Thin:
            return "thin";
        case BorderWeight::Medium:
            return "medium";
        case BorderWeight::Thick:
            return "thick";
        }
        break;
    case BorderStyle::Dash:
        return heavy ? "mediumDashed" : "dashed";
    case BorderStyle::Dot:
        return border.weight == BorderWeight::Hairline ? "hair" : "dotted";
    case BorderStyle::DashDot:
        return heavy ? "mediumDashDot" : "dashDot";
    case BorderStyle::DashDotDot:
        return heavy ? "mediumDashDotDot" : "dashDotDot";
    case BorderStyle::Double:
        return "double";
    }
    return "thin";
}

void appendColour(std::string &out, const char *element, Rgb rgb)
{
    char text[48];
    std::snprintf(text, sizeof text, "<%s rgb=\"FF%06X\"/>", element, static_cast<unsigned>(rgb & 0xFFFFFF));
    out += text;
}

template <typename T> unsigned indexIn(std::vector<T> &list, const T &value)
{
    const auto it = std::find(list.begin(), list.end(), value);
    if (it != list.end())
        return static_cast<unsigned>(it - list.begin());
    list.push_back(value);
    return static_cast<unsigned>(list.size() - 1);
}

void appendCount(std::string &out, const char *element, std::size_t count)
{
    out += '<';
    out += element;
    out += " count=\"";
    appendNumber(out, static_cast<long long>(count));
    out += "\">";
}

void appendAttribute(std::string &out, const char *name, long long value)
{
    out += ' ';
    out += name;
    out += "=\"";
    appendNumber(out, value);
    out += '"';
}

void appendFont(std::string &out, const CellFont &font)
{
    out += "<font>";
    if (font.bold)
        out += "<b/>";
    if (font.italic)
        out += "<i/>";
    out += "<sz val=\"";
    appendNumber(out, font.size);
    out += "\"/>";
    if (font.colour)
        appendColour(out, "color", *font.colour);
    out += "<name val=\"";
    appendXmlText(out, font.name);
    out += "\"/><family val=\"2\"/></font>";
}

void appendBorder(std::string &out, const std::array<Border, 4> &borders)
{
    out += "<border>";
    // The file's order of the edges.
    for (const auto &[edge, element] : {std::pair{Edge::Left, "left"}, std::pair{Edge::Right, "right"},
                                        std::pair{Edge::Top, "top"}, std::pair{Edge::Bottom, "bottom"}}) {
        const Border &border = borders[static_cast<int>(edge)];
        out += '<';
        out += element;
        if (const char *style = borderStyle(border)) {
            out += " style=\"";
            out += style;
            out += "\">";
            if (border.colour)
                appendColour(out, "color", *border.colour);
            else
                out += "<color auto=\"1\"/>";
            out += "</";
            out += element;
            out += '>';
        } else {
            out += "/>";
        }
    }
    out += "<diagonal/></border>";
}

// 0-90 turn the text up; the file keeps a downward turn as 91-180.
int fileRotation(int degrees)
{
    return degrees >= 0 ? degrees : 90 - degrees;
}

} // namespace

XlsxStyles::XlsxStyles()
{
    fonts_.push_back(CellFont{});
    borders_.push_back({});
    formats_.push_back(CellFormat{});
    styles_.push_back({0, 0, 0, 0});
    byPointer_.emplace(nullptr, 0);
}

unsigned XlsxStyles::add(const CellFormat *format)
{
    const auto same = std::find(formats_.begin(), formats_.end(), *format);
    if (same != formats_.end()) {
        const auto style = static_cast<unsigned>(same - formats_.begin());
        byPointer_.emplace(format, style);
        return style;
    }
    Style style{0, indexIn(fonts_, format->font), 0, indexIn(borders_, format->borders)};
    if (format->fill)
        style.fill = firstOwnFill + indexIn(fills_, *format->fill);
    if (!format->numberFormat.empty()) {
        const auto code =
            numberFormats_.emplace(format->numberFormat, firstOwnNumberFormat + numberFormats_.size());
        style.numberFormat = code.first->second;
    }
    formats_.push_back(*format);
    styles_.push_back(style);
    const auto number = static_cast<unsigned>(styles_.size() - 1);
    byPointer_.emplace(format, number);
    return number;
}

std::string XlsxStyles::xml() const
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!numberFormats_.empty()) {
        appendCount(out, "numFmts", numberFormats_.size());
        for (const auto &[code, id] : numberFormats_) {
            out += "<numFmt";
            appendAttribute(out, "numFmtId", id);
            out += " formatCode=\"";
            appendXmlText(out, code);
            out += "\"/>";
        }
        out += "</numFmts>";
    }
    appendCount(out, "fonts", fonts_.size());
    for (const CellFont &font : fonts_)
        appendFont(out, font);
    out += "</fonts>";
    appendCount(out, "fills", firstOwnFill + fills_.size());
    out +=
        "<fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill>";
    for (const Rgb fill : fills_) {
        out += "<fill><patternFill patternType=\"solid\">";
        appendColour(out, "fgColor", fill);
        out += "<bgColor indexed=\"64\"/></patternFill></fill>";
    }
    out += "</fills>";
    appendCount(out, "borders", borders_.size());
    for (const auto &border : borders_)
        appendBorder(out, border);
    out += "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
           "</cellStyleXfs>";
    appendCount(out, "cellXfs", styles_.size());
    for (std::size_t i = 0; i < styles_.size(); ++i) {
        const Style &style = styles_[i];
        out += "<xf";
        appendAttribute(out, "numFmtId", style.numberFormat);
        appendAttribute(out, "fontId", style.font);
        appendAttribute(out, "fillId", style.fill);
        appendAttribute(out, "borderId", style.border);
        out += " xfId=\"0\"";
        if (style.numberFormat)
            out += " applyNumberFormat=\"1\"";
        if (style.font)
            out += " applyFont=\"1\"";
        if (style.fill)
            out += " applyFill=\"1\"";
        if (style.border)
            out += " applyBorder=\"1\"";
        const CellFormat *f = &formats_[i];
        if (f->horizontal == HorizontalAlignment::General && f->vertical == VerticalAlignment::Bottom &&
            !f->wrap && f->rotation == 0) {
            out += "/>";
            continue;
        }
        out += " applyAlignment=\"1\"><alignment";
        static const char *const horizontal[] = {nullptr, "left", "center", "right"};
        static const char *const vertical[] = {nullptr, "center", "top"};
        if (const char *h = horizontal[static_cast<int>(f->horizontal)]) {
            out += " horizontal=\"";
            out += h;
            out += '"';
        }
        if (const char *v = vertical[static_cast<int>(f->vertical)]) {
            out += " vertical=\"";
            out += v;
            out += '"';
        }
        if (f->rotation != 0)
            appendAttribute(out, "textRotation", fileRotation(f->rotation));
        if (f->wrap)
            out += " wrapText=\"1\"";
        out += "/></xf>";
    }
    out += "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
           "builtinId=\"0\"/></cellStyles>"
           "<dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";
    return out;
}

} // namespace quiz

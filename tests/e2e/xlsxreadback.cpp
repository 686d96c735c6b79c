#include "xlsxreadback.h"

#include "support/testfolder.h"

#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>

#include <vector>

namespace quiz::test
{

namespace
{

struct Font {
    bool bold = false;
    double size = 11;
    std::string colour;
};

struct Xf {
    int font = 0, fill = 0, border = 0;
    std::string horizontal;
    int rotation = 0;
    bool wrap = false;
};

QByteArray readAll(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::string attr(const QXmlStreamReader &xml, const char *name)
{
    return xml.attributes().value(QLatin1String(name)).toString().toStdString();
}

std::vector<std::string> sharedStrings(const QByteArray &data)
{
    std::vector<std::string> strings;
    QXmlStreamReader xml(data);
    std::string current;
    bool inSi = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            inSi = true;
            current.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("t") && inSi) {
            current += xml.readElementText().toStdString();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("si")) {
            strings.push_back(current);
            inSi = false;
        }
    }
    return strings;
}

void styles(const QByteArray &data, std::vector<Font> &fonts, std::vector<std::string> &fills,
            std::vector<std::map<std::string, std::string>> &borders, std::vector<Xf> &xfs)
{
    QXmlStreamReader xml(data);
    std::string section;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QString name = xml.name().toString();
        if (name == "fonts" || name == "fills" || name == "borders" || name == "cellXfs" ||
            name == "cellStyleXfs") {
            section = name.toStdString();
        } else if (section == "fonts" && name == "font") {
            fonts.emplace_back();
        } else if (section == "fonts" && name == "b") {
            fonts.back().bold = true;
        } else if (section == "fonts" && name == "sz") {
            fonts.back().size = std::stod(attr(xml, "val"));
        } else if (section == "fonts" && name == "color") {
            fonts.back().colour = attr(xml, "rgb");
        } else if (section == "fills" && name == "fill") {
            fills.emplace_back();
        } else if (section == "fills" && name == "fgColor") {
            fills.back() = attr(xml, "rgb");
        } else if (section == "borders" && name == "border") {
            borders.emplace_back();
        } else if (section == "borders" &&
                   (name == "left" || name == "right" || name == "top" || name == "bottom")) {
            const std::string style = attr(xml, "style");
            if (!style.empty())
                borders.back()[name.toStdString()] = style;
        } else if (section == "cellXfs" && name == "xf") {
            Xf xf;
            xf.font = std::stoi(attr(xml, "fontId"));
            xf.fill = std::stoi(attr(xml, "fillId"));
            xf.border = std::stoi(attr(xml, "borderId"));
            xfs.push_back(xf);
        } else if (section == "cellXfs" && name == "alignment") {
            xfs.back().horizontal = attr(xml, "horizontal");
            const std::string rotation = attr(xml, "textRotation");
            xfs.back().rotation = rotation.empty() ? 0 : std::stoi(rotation);
            xfs.back().wrap = attr(xml, "wrapText") == "1";
        }
    }
}

} // namespace

const ReadCell &ReadSheet::at(const std::string &ref) const
{
    static const ReadCell none;
    const auto it = cells.find(ref);
    return it == cells.end() ? none : it->second;
}

std::string ReadSheet::text(const std::string &ref) const
{
    return at(ref).text;
}

ReadSheet readWorkbook(const std::string &path)
{
    ReadSheet sheet;
    TestFolder unpacked;
    QProcess unzip;
    unzip.start("python3", {"-m", "zipfile", "-e", QString::fromStdString(path),
                            QString::fromStdString(unpacked.str())});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0) {
        sheet.error = "cannot unzip " + path + ": " + unzip.readAllStandardError().toStdString();
        return sheet;
    }
    const std::string root = unpacked.str() + "/xl/";
    const std::vector<std::string> strings = sharedStrings(readAll(root + "sharedStrings.xml"));
    std::vector<Font> fonts;
    std::vector<std::string> fills;
    std::vector<std::map<std::string, std::string>> borders;
    std::vector<Xf> xfs;
    styles(readAll(root + "styles.xml"), fonts, fills, borders, xfs);

    const QByteArray data = readAll(root + "worksheets/sheet1.xml");
    if (data.isEmpty()) {
        sheet.error = "no first sheet in " + path;
        return sheet;
    }
    QXmlStreamReader xml(data);
    std::string ref, type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QString name = xml.name().toString();
        if (name == "col") {
            for (int c = std::stoi(attr(xml, "min")); c <= std::stoi(attr(xml, "max")); ++c)
                sheet.columnWidths[c] = std::stod(attr(xml, "width"));
        } else if (name == "row") {
            const std::string height = attr(xml, "ht");
            if (!height.empty())
                sheet.rowHeights[std::stoi(attr(xml, "r"))] = std::stod(height);
        } else if (name == "c") {
            ref = attr(xml, "r");
            type = attr(xml, "t");
            ReadCell &cell = sheet.cells[ref];
            const std::string s = attr(xml, "s");
            const size_t index = s.empty() ? 0 : std::stoul(s);
            if (index < xfs.size()) {
                const Xf &xf = xfs[index];
                if (static_cast<size_t>(xf.font) < fonts.size()) {
                    cell.bold = fonts[xf.font].bold;
                    cell.fontSize = fonts[xf.font].size;
                    cell.fontColour = fonts[xf.font].colour;
                }
                if (static_cast<size_t>(xf.fill) < fills.size())
                    cell.fill = fills[xf.fill];
                if (static_cast<size_t>(xf.border) < borders.size())
                    cell.borders = borders[xf.border];
                cell.horizontal = xf.horizontal;
                cell.rotation = xf.rotation;
                cell.wrap = xf.wrap;
            }
        } else if (name == "v") {
            const std::string value = xml.readElementText().toStdString();
            ReadCell &cell = sheet.cells[ref];
            if (type == "s") {
                const size_t i = std::stoul(value);
                cell.text = i < strings.size() ? strings[i] : "";
            } else {
                cell.text = value;
                cell.isNumber = true;
            }
        }
    }
    if (xml.hasError())
        sheet.error = "bad sheet XML: " + xml.errorString().toStdString();
    return sheet;
}

} // namespace quiz::test

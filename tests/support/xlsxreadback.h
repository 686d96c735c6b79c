#pragma once

// Reads an .xlsx file back for tests, through xlsxdump.py beside this file.

#include <QProcess>
#include <QStringList>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quiz::test
{

struct ReadCell {
    std::string kind; // "s", "n" or "blank"
    std::string value;
    std::string fontName, fontSize, bold, fontColour, fill;
    std::string left, top, right, bottom; // style/colour
    std::string horizontal, vertical, wrap, rotation;
};

struct ReadSheet {
    std::string name;
    std::string selected;
    std::map<std::string, ReadCell> cells; // by reference, "A1"
    std::map<int, std::string> columnWidths;
    std::map<int, std::string> rowHeights;
};

struct ReadBook {
    bool ok = false;
    std::string error;
    int activeSheet = 0;
    std::vector<ReadSheet> sheets;
};

// One field of a read cell by its name ("kind", "value", "bold", "fill", "left", ...).
inline std::string cellField(const ReadCell &c, const std::string &field)
{
    const std::map<std::string, std::string> fields{
        {"kind", c.kind},         {"value", c.value},   {"fontName", c.fontName},
        {"fontSize", c.fontSize}, {"bold", c.bold},     {"fontColour", c.fontColour},
        {"fill", c.fill},         {"left", c.left},     {"top", c.top},
        {"right", c.right},       {"bottom", c.bottom}, {"horizontal", c.horizontal},
        {"vertical", c.vertical}, {"wrap", c.wrap},     {"rotation", c.rotation}};
    return fields.count(field) ? fields.at(field) : "no field " + field;
}

inline std::string xlsxDumpScript()
{
    // Not __FILE__: ccache builds see relative source paths.
    return std::string(QUIZ_TESTS_DIR) + "/support/xlsxdump.py";
}

inline std::vector<std::string> tabFields(const std::string &line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

inline std::string unescapeDump(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

inline ReadBook readXlsx(const std::string &path)
{
    ReadBook book;
    QProcess python;
    python.start("python3", {QString::fromStdString(xlsxDumpScript()), QString::fromStdString(path)});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        book.error = python.readAllStandardError().toStdString();
        return book;
    }
    const QList<QByteArray> lines = python.readAllStandardOutput().split('\n');
    for (const QByteArray &raw : lines) {
        const auto f = tabFields(raw.toStdString());
        if (f[0] == "book") {
            book.activeSheet = std::stoi(f[1]);
        } else if (f[0] == "sheet") {
            book.sheets.push_back({f[2], f[3], {}, {}, {}});
        } else if (f[0] == "col") {
            for (int c = std::stoi(f[2]); c <= std::stoi(f[3]); ++c)
                book.sheets.at(std::stoi(f[1])).columnWidths[c] = f[4];
        } else if (f[0] == "row") {
            book.sheets.at(std::stoi(f[1])).rowHeights[std::stoi(f[2])] = f[3];
        } else if (f[0] == "cell" && f.size() >= 18) {
            ReadCell c{f[3],  unescapeDump(f[4]),
                       f[5],  f[6],
                       f[7],  f[8],
                       f[9],  f[10],
                       f[11], f[12],
                       f[13], f[14],
                       f[15], f[16],
                       f[17]};
            book.sheets.at(std::stoi(f[1])).cells[f[2]] = c;
        }
    }
    book.ok = true;
    return book;
}

} // namespace quiz::test

#pragma once

// Reads an .xlsx file back for tests, through xlsxdump.py beside this file.

#include <QProcess>
#include <QStringList>

#include "support/rows.h"

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

// The fields of a read cell in the order the dump writes them, by name.
inline const std::vector<std::pair<std::string, std::string ReadCell::*>> readCellFields{
    {"kind", &ReadCell::kind},         {"value", &ReadCell::value},   {"fontName", &ReadCell::fontName},
    {"fontSize", &ReadCell::fontSize}, {"bold", &ReadCell::bold},     {"fontColour", &ReadCell::fontColour},
    {"fill", &ReadCell::fill},         {"left", &ReadCell::left},     {"top", &ReadCell::top},
    {"right", &ReadCell::right},       {"bottom", &ReadCell::bottom}, {"horizontal", &ReadCell::horizontal},
    {"vertical", &ReadCell::vertical}, {"wrap", &ReadCell::wrap},     {"rotation", &ReadCell::rotation}};

// One field of a read cell by its name ("kind", "value", "bold", "fill", "left", ...).
inline std::string cellField(const ReadCell &c, const std::string &field)
{
    for (const auto &[name, member] : readCellFields)
        if (name == field)
            return c.*member;
    return "no field " + field;
}

inline ReadBook readXlsx(const std::string &path)
{
    ReadBook book;
    QProcess python; // not __FILE__ for the script: ccache builds see relative source paths
    python.start("python3", {QUIZ_TESTS_DIR "/support/xlsxdump.py", QString::fromStdString(path)});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        book.error = python.readAllStandardError().toStdString();
        return book;
    }
    for (const QByteArray &line : python.readAllStandardOutput().split('\n')) {
        std::vector<std::string> f;
        for (const QByteArray &field : line.split('\t'))
            f.push_back(field.toStdString());
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
            ReadCell &c = book.sheets.at(std::stoi(f[1])).cells[f[2]];
            for (std::size_t i = 0; i < readCellFields.size(); ++i)
                c.*readCellFields[i].second = f[3 + i];
            c.value = unescapeCell(c.value); // escaped by the dump as row cells are
        }
    }
    book.ok = true;
    return book;
}

} // namespace quiz::test

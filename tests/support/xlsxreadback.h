#pragma once

// Reads an .xlsx file back for tests, through xlsxdump.py beside this file.

#include <QProcess>
#include <QStringList>

#include <map>
#include <string>
#include <vector>

namespace quiz::test
{

// A cell's fields by name: "kind" ("s", "n" or "blank"), "value", "fontName",
// "fontSize", "bold", "fontColour", "fill", the borders "left", "top", "right",
// "bottom" (style/colour), "horizontal", "vertical", "wrap", "rotation".
using ReadCell = std::map<std::string, std::string>;

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

inline std::string cellField(const ReadCell &c, const std::string &field)
{
    return c.count(field) ? c.at(field) : "no field " + field;
}

inline std::vector<std::string> tabFields(const std::string &line)
{
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
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
        const char c = text[i] == '\\' && i + 1 < text.size() ? text[++i] : '\0';
        out += c == '\0' ? text[i] : c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

inline ReadBook readXlsx(const std::string &path)
{
    // Not __FILE__: ccache builds see relative source paths.
    const QString script = QString(QUIZ_TESTS_DIR) + "/support/xlsxdump.py";
    ReadBook book;
    QProcess python;
    python.start("python3", {script, QString::fromStdString(path)});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        book.error = python.readAllStandardError().toStdString();
        return book;
    }
    static const char *names[] = {"kind",       "value",      "fontName", "fontSize", "bold",
                                  "fontColour", "fill",       "left",     "top",      "right",
                                  "bottom",     "horizontal", "vertical", "wrap",     "rotation"};
    for (const QByteArray &raw : python.readAllStandardOutput().split('\n')) {
        const auto f = tabFields(raw.toStdString());
        if (f[0] == "book")
            book.activeSheet = std::stoi(f[1]);
        else if (f[0] == "sheet")
            book.sheets.push_back({f[2], f[3], {}, {}, {}});
        else if (f[0] == "col")
            for (int c = std::stoi(f[2]); c <= std::stoi(f[3]); ++c)
                book.sheets.at(std::stoi(f[1])).columnWidths[c] = f[4];
        else if (f[0] == "row")
            book.sheets.at(std::stoi(f[1])).rowHeights[std::stoi(f[2])] = f[3];
        else if (f[0] == "cell" && f.size() >= 18) {
            ReadCell &cell = book.sheets.at(std::stoi(f[1])).cells[f[2]];
            for (std::size_t i = 0; i < std::size(names); ++i)
                cell[names[i]] = i == 1 ? unescapeDump(f[4]) : f[3 + i];
        }
    }
    book.ok = true;
    return book;
}

} // namespace quiz::test

#include "adapters/printer/qtprinter.h"
#include "support/testfolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

std::string run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000))
        return {};
    return process.readAllStandardOutput().toStdString();
}

int pageCount(const std::string &pdf)
{
    std::smatch m;
    const std::string info = run("pdfinfo", {QString::fromStdString(pdf)});
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : -1;
}

PrintDocument numberedLines(int count)
{
    PrintDocument doc;
    doc.title = "Test";
    for (int i = 1; i <= count; ++i)
        doc.lines.push_back(
            PrintLine{{{0, "line" + std::to_string(i)}, {28, std::to_string(i) + "%"}, {40, "x/y"}}});
    return doc;
}

// One page, column order and the errors are end-to-end scenarios (print-summary,
// print-errors); here the page breaks and the file replaced whole.
TEST(QtPrinter, ReplacesThePdfWithOneHoldingEveryLineOverPages)
{
    test::TestFolder folder;
    const std::string pdf = folder.write("out.pdf", "not a pdf").string();
    EXPECT_EQ(QtPrinter().print(numberedLines(200), PrintTarget{"", pdf}), "");
    EXPECT_GE(pageCount(pdf), 3);
    const std::string text = run("pdftotext", {QString::fromStdString(pdf), "-"});
    EXPECT_NE(text.find("line1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("line200"), std::string::npos) << text;
    // Only the PDF is left: no temporary file beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 1);
}

} // namespace
} // namespace quiz

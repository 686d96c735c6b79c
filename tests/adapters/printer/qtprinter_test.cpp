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

TEST(QtPrinter, ReplacesThePdfWithOneHoldingEveryLineInColumnOrderOverPages)
{
    test::TestFolder folder;
    const std::string pdf = folder.write("out.pdf", "not a pdf").string();
    EXPECT_EQ(QtPrinter().print(numberedLines(3), PrintTarget{"", pdf}), "");
    const std::string text = std::regex_replace(
        run("pdftotext", {"-layout", QString::fromStdString(pdf), "-"}), std::regex("[ \\t]+"), " ");
    EXPECT_NE(text.find("line1 1% x/y"), std::string::npos) << text;
    EXPECT_NE(text.find("line3 3% x/y"), std::string::npos) << text;
    EXPECT_EQ(pageCount(pdf), 1);
    // Only the PDF is left: no temporary file beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 1);

    EXPECT_EQ(QtPrinter().print(numberedLines(200), PrintTarget{"", pdf}), "");
    EXPECT_GE(pageCount(pdf), 3);
    EXPECT_NE(run("pdftotext", {QString::fromStdString(pdf), "-"}).find("line200"), std::string::npos);
}

TEST(QtPrinter, AMissingFolderOrAnUnknownPrinterIsAnErrorAndWritesNothing)
{
    test::TestFolder folder;
    const std::string pdf = folder.str() + "/missing/out.pdf";
    EXPECT_NE(QtPrinter().print(numberedLines(2), PrintTarget{"", pdf}), "");
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_EQ(QtPrinter().print(numberedLines(1), PrintTarget{"no-such-printer-here", ""}),
              "no printer named no-such-printer-here");
}

} // namespace
} // namespace quiz

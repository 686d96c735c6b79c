#include "adapters/printer/qtprinter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <QDir>

#include <filesystem>
#include <sys/stat.h>

namespace quiz
{

namespace
{

// Draws the lines page by page; "" when the painter took every page.
std::string paint(QPrinter &printer, const PrintDocument &document)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return "the printer cannot start the document";
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(document.fontSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const double columnWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const double lineHeight = metrics.lineSpacing();
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();

    double baseline = metrics.ascent();
    for (const PrintLine &line : document.lines) {
        if (baseline + metrics.descent() > pageHeight) {
            if (!printer.newPage()) {
                painter.end();
                return "the printer cannot start a new page";
            }
            baseline = metrics.ascent();
        }
        for (const PrintPiece &piece : line.pieces)
            painter.drawText(QPointF(piece.column * columnWidth, baseline),
                             QString::fromStdString(piece.text));
        baseline += lineHeight;
    }
    if (!painter.end())
        return "the printer did not finish the document";
    return {};
}

std::string printToPdf(const PrintDocument &document, const std::string &path)
{
    const QString target = QString::fromStdString(path);
    const QFileInfo info(target);
    QTemporaryFile temp(
        info.absoluteDir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".XXXXXX")));
    if (!temp.open())
        return "cannot write in " + info.absolutePath().toStdString();
    temp.close();

    std::string error;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(temp.fileName());
        printer.setDocName(QString::fromStdString(document.title));
        error = paint(printer, document);
    }
    if (!error.empty())
        return error;
    // The temporary file is private; give the PDF the mode a new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(temp.fileName().toLocal8Bit().constData(), 0666 & ~mask);
    std::error_code ec;
    std::filesystem::rename(temp.fileName().toStdString(), path, ec);
    if (ec)
        return "cannot write " + path + ": " + ec.message();
    temp.setAutoRemove(false);
    return {};
}

} // namespace

std::string QtPrinter::print(const PrintDocument &document, const PrintTarget &target)
{
    if (!target.pdfPath.empty())
        return printToPdf(document, target.pdfPath);

    QPrinter printer(QPrinter::HighResolution);
    if (!target.printerName.empty()) {
        if (QPrinterInfo::printerInfo(QString::fromStdString(target.printerName)).isNull())
            return "no printer named " + target.printerName;
        printer.setPrinterName(QString::fromStdString(target.printerName));
    }
    if (!printer.isValid())
        return "no printer is available";
    printer.setDocName(QString::fromStdString(document.title));
    return paint(printer, document);
}

} // namespace quiz

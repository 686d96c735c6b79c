#pragma once

#include <QImage>
#include <QString>

namespace quiz
{

// Pictures that go to a file only to be read back at once (the slide show's
// capture, the chart's background): uncompressed BMP, written and read a
// row at a time instead of a pixel at a time.

// Writes the image as a 24-bit BMP (rows from the bottom, as Windows writes
// them). False when the file cannot be written; the file is then removed.
bool writeBmpQuickly(const QImage &image, const QString &path);

// Reads an uncompressed 24- or 32-bit BMP row by row; any other picture file
// goes through Qt's readers. A null image when the file cannot be read.
QImage readImageQuickly(const QString &path);

} // namespace quiz

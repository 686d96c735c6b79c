#include "qtsupport/pngwriter.h"

#include <QIODevice>
#include <QImage>

#include <png.h>
#include <zlib.h>

#include <csetjmp>

namespace quiz
{

namespace
{

void writeToDevice(png_structp png, png_bytep data, png_size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (device->write(reinterpret_cast<const char *>(data), static_cast<qint64>(length)) !=
        static_cast<qint64>(length))
        png_error(png, "write failed");
}

void flushDevice(png_structp) {}

// The writer's state lives outside the function that may long-jump.
bool writeRows(png_structp png, png_infop info, const QImage &rows, bool alpha)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(rows.width()), static_cast<png_uint_32>(rows.height()),
                 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (rows.dotsPerMeterX() > 0 && rows.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, static_cast<png_uint_32>(rows.dotsPerMeterX()),
                     static_cast<png_uint_32>(rows.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_write_info(png, info);
    for (int y = 0; y < rows.height(); ++y)
        png_write_row(png, const_cast<png_bytep>(rows.constScanLine(y)));
    png_write_end(png, info);
    return true;
}

} // namespace

bool writePngQuickly(const QImage &image, QIODevice &device)
{
    if (image.isNull())
        return false;
    const bool alpha = image.hasAlphaChannel();
    const QImage rows = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    bool written = false;
    if (info) {
        png_set_write_fn(png, &device, writeToDevice, flushDevice);
        written = writeRows(png, info, rows, alpha);
    }
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return written;
}

} // namespace quiz

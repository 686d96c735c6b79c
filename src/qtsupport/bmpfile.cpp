#include "qtsupport/bmpfile.h"

#include <QFile>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace quiz
{

namespace
{

constexpr int kFileHeader = 14;
constexpr int kInfoHeader = 40;

void put16(unsigned char *at, std::uint16_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char *at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t get32(const unsigned char *at)
{
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

std::uint16_t get16(const unsigned char *at)
{
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

} // namespace

bool writeBmpQuickly(const QImage &image, const QString &path)
{
    if (image.isNull())
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width(), height = rgb.height();
    const qsizetype rowBytes = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    QByteArray bytes(kFileHeader + kInfoHeader + rowBytes * height, '\0');
    auto *out = reinterpret_cast<unsigned char *>(bytes.data());
    out[0] = 'B';
    out[1] = 'M';
    put32(out + 2, static_cast<std::uint32_t>(bytes.size()));
    put32(out + 10, kFileHeader + kInfoHeader);
    unsigned char *info = out + kFileHeader;
    put32(info, kInfoHeader);
    put32(info + 4, static_cast<std::uint32_t>(width));
    put32(info + 8, static_cast<std::uint32_t>(height));
    put16(info + 12, 1);
    put16(info + 14, 24);
    put32(info + 20, static_cast<std::uint32_t>(rowBytes * height));
    put32(info + 24, static_cast<std::uint32_t>(rgb.dotsPerMeterX()));
    put32(info + 28, static_cast<std::uint32_t>(rgb.dotsPerMeterY()));
    unsigned char *rows = info + kInfoHeader;
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        unsigned char *row = rows + rowBytes * (height - 1 - y);
        // A pixel's blue, green and red are the low three bytes of its value
        // (this byte order): four are stored and the next pixel overwrites the
        // fourth; the last pixel of a row is stored byte by byte.
        static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
        for (int x = 0; x + 1 < width; ++x)
            std::memcpy(row + 3 * x, &in[x], 4);
        const QRgb last = in[width - 1];
        row[3 * (width - 1)] = static_cast<unsigned char>(qBlue(last));
        row[3 * (width - 1) + 1] = static_cast<unsigned char>(qGreen(last));
        row[3 * (width - 1) + 2] = static_cast<unsigned char>(qRed(last));
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
        file.flush())
        return true;
    file.close();
    file.remove();
    return false;
}

QImage readImageQuickly(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    // Other pictures are read as Qt reads a file (its name's suffix may name the format).
    const auto others = [&] { return QImage(path); };
    if (size < kFileHeader + kInfoHeader || in[0] != 'B' || in[1] != 'M')
        return others();
    const std::uint32_t offset = get32(in + 10);
    const unsigned char *info = in + kFileHeader;
    const auto width = static_cast<std::int32_t>(get32(info + 4));
    const auto rawHeight = static_cast<std::int32_t>(get32(info + 8));
    const int bits = get16(info + 14);
    const std::uint32_t compression = get32(info + 16);
    // Plain rows only: BI_RGB, 24 or 32 bits, a size that fits.
    if (get32(info) < kInfoHeader || compression != 0 || (bits != 24 && bits != 32) || width <= 0 ||
        rawHeight == 0 || rawHeight == INT32_MIN || width > 32768 || std::abs(rawHeight) > 32768)
        return others();
    const int height = std::abs(rawHeight);
    const int pixelBytes = bits / 8;
    const qsizetype rowBytes = (qsizetype(width) * pixelBytes + 3) & ~qsizetype(3);
    if (offset > size || qsizetype(offset) + rowBytes * height > size)
        return others();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const bool bottomUp = rawHeight > 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = in + offset + rowBytes * (bottomUp ? height - 1 - y : y);
        auto *outRow = reinterpret_cast<QRgb *>(image.scanLine(y));
        // Four bytes read at a pixel are blue, green, red and one more (this
        // byte order): the fourth is replaced by an opaque alpha. The last
        // pixel of a row is read byte by byte, so nothing past the file is read.
        for (int x = 0; x + 1 < width; ++x) {
            std::uint32_t value;
            std::memcpy(&value, row + qsizetype(x) * pixelBytes, 4);
            outRow[x] = value | 0xFF000000u;
        }
        const unsigned char *p = row + qsizetype(width - 1) * pixelBytes;
        outRow[width - 1] = qRgb(p[2], p[1], p[0]);
    }
    image.setDotsPerMeterX(static_cast<int>(get32(info + 24)));
    image.setDotsPerMeterY(static_cast<int>(get32(info + 28)));
    return image;
}

} // namespace quiz

#include "adapters/phone/qrcode.h"

#include <QBuffer>

#include <qrencode.h>

namespace quiz
{

QImage qrCodeImage(const QString &text, int scale)
{
    const QByteArray utf8 = text.toUtf8();
    QRcode *code = QRcode_encodeString8bit(utf8.constData(), 0, QR_ECLEVEL_M);
    if (!code)
        return {};
    constexpr int quiet = 4;
    const int modules = code->width + 2 * quiet;
    QImage image(modules * scale, modules * scale, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if (!(code->data[y * code->width + x] & 1))
                continue;
            for (int dy = 0; dy < scale; ++dy) {
                uchar *line = image.scanLine((y + quiet) * scale + dy);
                std::fill(line + (x + quiet) * scale, line + (x + quiet + 1) * scale, uchar(0));
            }
        }
    }
    QRcode_free(code);
    return image;
}

QByteArray qrCodePng(const QString &text, int scale)
{
    const QImage image = qrCodeImage(text, scale);
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace quiz

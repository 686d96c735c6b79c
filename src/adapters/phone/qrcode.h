#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace quiz
{

// The QR code of a text (libqrencode, error correction M) as a black-on-white
// image with a quiet zone of four modules, each module `scale` pixels; a null
// image when the text cannot be encoded.
QImage qrCodeImage(const QString &text, int scale = 8);
// The same as PNG bytes; empty on failure.
QByteArray qrCodePng(const QString &text, int scale = 8);

} // namespace quiz

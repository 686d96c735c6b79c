#pragma once

class QIODevice;
class QImage;

namespace quiz
{

// Writes the image as PNG to the device, quickly: rows unfiltered and
// compressed at zlib's fastest level (a picture of the display is written
// once and read by tools or pasted, so a larger file is the better trade).
// Transparent pixels stay transparent. False when the device refuses a write.
bool writePngQuickly(const QImage &image, QIODevice &device);

} // namespace quiz

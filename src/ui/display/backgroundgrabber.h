#pragma once

#include "ports/geometry.h"

#include <QImage>

#include <string>

class QLabel;
class QWidget;

namespace quiz
{

struct RunContext;
class ChartCanvas;

// The picture of the slide-show window taken once per run; null until a
// capture succeeded.
const QImage &slidePicture();
void setSlidePicture(const QImage &picture);

// The slide-show window's rectangle in pixels: the first entry of
// showWindows, else the host's word. May throw HostError.
PixelRect showWindowRect(RunContext &ctx);

// Takes a picture of the slide-show window, at the window's size, as the
// slide picture. Without a slide show the picture stays as it was.
void CaptureSlideShow(RunContext &ctx);

// The folder "bcktemp.bmp" is written to: the add-in folder when it is a
// writable folder, else the system's temporary folder.
std::string backgroundTempFolder(const std::string &addinFolder);

// Cuts the part of the slide picture that lies under the window's chart and
// loads it as the chart's background image (through "bcktemp.bmp", which is
// removed again). picture1 shows the cut-out. Any failure leaves the chart's
// background as it was.
void GrabBackground(RunContext &ctx, QWidget *window, ChartCanvas *chart, QLabel *picture1,
                    bool isLayoutEditor);

} // namespace quiz

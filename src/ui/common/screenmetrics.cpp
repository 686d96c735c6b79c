#include "ui/common/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace quiz
{

namespace
{
int twipsPerPixel(double dpi)
{
    return dpi > 0 ? static_cast<int>(1440.0 / dpi) : 15;
}
QScreen *primary()
{
    return QGuiApplication::primaryScreen();
}
} // namespace

int twipsPerPixelX()
{
    return primary() ? twipsPerPixel(primary()->logicalDotsPerInchX()) : 15;
}

int twipsPerPixelY()
{
    return primary() ? twipsPerPixel(primary()->logicalDotsPerInchY()) : 15;
}

int screenWidthTwips()
{
    return primary() ? primary()->geometry().width() * twipsPerPixelX() : 1024 * 15;
}

int screenHeightTwips()
{
    return primary() ? primary()->geometry().height() * twipsPerPixelY() : 768 * 15;
}

} // namespace quiz

#include "ui/display/chartwindowparts.h"

#include "ui/display/chartcanvas.h"

#include <QLabel>
#include <QPushButton>

namespace quiz
{

ChartWindowParts addChartWindowParts(QWidget *window)
{
    ChartWindowParts parts;
    parts.window = window;
    parts.chart = new ChartCanvas(window);
    parts.chart->setObjectName("TChart");
    parts.picture1 = new QLabel(window);
    parts.picture1->setObjectName("Picture1");
    parts.picture1->hide();
    parts.focusButton = new QPushButton(window);
    parts.focusButton->setObjectName("cmdFocus");
    parts.focusButton->move(-1000, 0); // keeps the focus out of sight
    parts.focusButton->installEventFilter(window);
    return parts;
}

} // namespace quiz

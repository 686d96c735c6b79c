#include "qtsupport/widgetlinkform.h"

#include <QWidget>

#include <cmath>

namespace quiz
{

WidgetLinkForm::WidgetLinkForm(QWidget *widget, int twipsPerPixelX, int twipsPerPixelY)
    : widget_(widget), tx_(twipsPerPixelX), ty_(twipsPerPixelY)
{
}

double WidgetLinkForm::left() const
{
    return double(widget_->frameGeometry().x()) * tx_;
}

double WidgetLinkForm::top() const
{
    return double(widget_->frameGeometry().y()) * ty_;
}

double WidgetLinkForm::width() const
{
    return double(widget_->frameGeometry().width()) * tx_;
}

double WidgetLinkForm::height() const
{
    return double(widget_->frameGeometry().height()) * ty_;
}

void WidgetLinkForm::moveTo(double left, double top)
{
    widget_->move(static_cast<int>(std::nearbyint(left / tx_)), static_cast<int>(std::nearbyint(top / ty_)));
}

void WidgetLinkForm::show()
{
    widget_->show();
}

} // namespace quiz

#pragma once

#include "core/presentationlink/presentationlink.h"

class QWidget;

namespace quiz
{

// A widget as the window link places it: its frame position and size in
// twips at the given twips per pixel.
class WidgetLinkForm : public LinkForm
{
  public:
    WidgetLinkForm(QWidget *widget, int twipsPerPixelX, int twipsPerPixelY);
    double left() const override;
    double top() const override;
    double width() const override;
    double height() const override;
    void moveTo(double left, double top) override;
    void show() override;

  private:
    QWidget *widget_;
    int tx_, ty_;
};

} // namespace quiz

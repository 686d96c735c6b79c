#pragma once

#include "core/display/chartmodel.h"

#include <QImage>
#include <QWidget>

#include <string>

class QPainter;

namespace quiz
{

// The chart the display and the layout editor draw on: annotation tools
// painted over a background image. Annotations are addressed by their index
// (the order they were added in). The canvas takes no focus by itself; the
// window gives it the focus when it is clicked into (chartFocused).
class ChartCanvas : public QWidget
{
    Q_OBJECT
  public:
    explicit ChartCanvas(QWidget *parent = nullptr);

    // Annotations.
    int addAnnotation(const Annotation &annotation = {});
    int annotationCount() const { return model_.count(); }
    // Throw std::out_of_range for an index that is not a tool.
    const Annotation &annotation(int index) const { return model_.annotation(index); }
    void setAnnotation(int index, const Annotation &annotation);
    void setAnnotationText(int index, const std::string &text);
    void setAnnotationPosition(int index, double left, double top);
    void setAnnotationFont(int index, const AnnotationFont &font);
    void setAnnotationActive(int index, bool active);
    void setHighlightVisible(int index, bool visible);
    void setAnnotationTransparent(int index, bool transparent);
    void clearAnnotations();
    const ChartModel &model() const { return model_; }

    // The box an annotation takes on the chart, in pixels (its text and margin).
    QRectF annotationRect(int index) const;
    // The first active annotation under the point; -1 when none.
    int annotationAt(const QPointF &point) const;

    // Background image, drawn unscaled from the chart's top-left corner.
    // Loading an unreadable file keeps the previous image and answers false.
    bool loadBackgroundImage(const QString &path);
    void setBackgroundImage(const QImage &image);
    void clearBackgroundImage();
    const QImage &backgroundImage() const { return background_; }

    // Colour shown on screen where no background image lies.
    void setPanelColour(const QColor &colour);

    // The chart's picture at its size: the background image (transparent
    // where there is none) with the active annotations on it.
    QImage picture() const;
    void copyPictureToClipboard() const;
    // Writes the picture as PNG through a temporary file beside the target.
    bool savePicture(const QString &pngPath) const;

    static QFont qtFont(const AnnotationFont &font);
    static QColor qtColour(std::uint32_t blueGreenRed);

  signals:
    void chartFocused(); // clicked into
    void chartClicked(); // a click (press and release) on the chart
    void chartKeyDown(int keyCode, int chartShift);
    void chartMouseDown(int button, int chartShift, double x, double y);
    void chartMouseMove(int chartShift, double x, double y);
    void chartMouseUp(int button, int chartShift, double x, double y);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void paintChart(QPainter &painter, bool transparentPanel) const;
    void paintAnnotation(QPainter &painter, const Annotation &annotation) const;
    void changed();

    ChartModel model_;
    QImage background_;
    QColor panel_{Qt::white};
    bool pressed_ = false;
};

} // namespace quiz

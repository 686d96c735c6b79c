#include "ui/display/chartcanvas.h"

#include "qtsupport/bmpfile.h"
#include "qtsupport/dialogconversions.h"
#include "qtsupport/pngwriter.h"

#include "ui/display/keycodes.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace quiz
{

namespace
{

int alphaOf(int transparencyPercent)
{
    const int t = std::clamp(transparencyPercent, 0, 100);
    return (100 - t) * 255 / 100;
}

int mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

QRectF toQt(const RectD &r)
{
    return QRectF(r.left, r.top, r.width, r.height);
}

} // namespace

ChartCanvas::ChartCanvas(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int ChartCanvas::addAnnotation(const Annotation &annotation)
{
    const int index = model_.addAnnotation(annotation);
    changed();
    return index;
}

void ChartCanvas::setAnnotation(int index, const Annotation &annotation)
{
    model_.annotation(index) = annotation;
    changed();
}

void ChartCanvas::setAnnotationText(int index, const std::string &text)
{
    model_.annotation(index).text = text;
    changed();
}

void ChartCanvas::setAnnotationPosition(int index, double left, double top)
{
    Annotation &a = model_.annotation(index);
    a.left = left;
    a.top = top;
    changed();
}

void ChartCanvas::setAnnotationFont(int index, const AnnotationFont &font)
{
    model_.annotation(index).font = font;
    changed();
}

void ChartCanvas::setAnnotationActive(int index, bool active)
{
    model_.annotation(index).active = active;
    changed();
}

void ChartCanvas::setHighlightVisible(int index, bool visible)
{
    model_.annotation(index).highlight.visible = visible;
    changed();
}

void ChartCanvas::setAnnotationTransparent(int index, bool transparent)
{
    model_.annotation(index).transparent = transparent;
    changed();
}

void ChartCanvas::clearAnnotations()
{
    model_.clear();
    changed();
}

QFont ChartCanvas::qtFont(const AnnotationFont &font)
{
    return qFontFromChoice(font);
}

QColor ChartCanvas::qtColour(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QRectF ChartCanvas::annotationRect(int index) const
{
    const Annotation &a = model_.annotation(index);
    // Measured for the paint device of the picture, so that screen and export agree.
    const QFontMetricsF metrics(qtFont(a.font), const_cast<ChartCanvas *>(this));
    const QSizeF text = metrics.size(0, QString::fromStdString(a.text));
    Annotation rounded = a;
    rounded.left = std::round(a.left);
    rounded.top = std::round(a.top);
    return toQt(annotationBox(rounded, text.width(), text.height()));
}

int ChartCanvas::annotationAt(const QPointF &point) const
{
    std::vector<RectD> boxes;
    boxes.reserve(static_cast<std::size_t>(model_.count()));
    for (int i = 0; i < model_.count(); ++i) {
        const QRectF r = annotationRect(i);
        boxes.push_back(RectD{r.left(), r.top(), r.width(), r.height()});
    }
    return quiz::annotationAt(model_.annotations(), boxes, point.x(), point.y());
}

bool ChartCanvas::loadBackgroundImage(const QString &path)
{
    const QImage image = readImageQuickly(path);
    if (image.isNull())
        return false;
    setBackgroundImage(image);
    return true;
}

void ChartCanvas::setBackgroundImage(const QImage &image)
{
    background_ = image;
    update();
}

void ChartCanvas::clearBackgroundImage()
{
    background_ = QImage();
    update();
}

void ChartCanvas::setPanelColour(const QColor &colour)
{
    panel_ = colour;
    update();
}

QImage ChartCanvas::picture() const
{
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintChart(painter, true);
    return image;
}

void ChartCanvas::copyPictureToClipboard() const
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(picture());
}

bool ChartCanvas::savePicture(const QString &pngPath) const
{
    QSaveFile file(pngPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writePngQuickly(picture(), file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void ChartCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintChart(painter, false);
}

void ChartCanvas::paintChart(QPainter &painter, bool transparentPanel) const
{
    const QRect all(QPoint(0, 0), size());
    if (!transparentPanel)
        painter.fillRect(all, panel_);
    if (!background_.isNull())
        painter.drawImage(QPoint(0, 0), background_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int i = 0; i < model_.count(); ++i) {
        const Annotation &a = model_.annotation(i);
        if (!a.active)
            continue;
        painter.save();
        paintAnnotation(painter, a);
        painter.restore();
    }
}

void ChartCanvas::paintAnnotation(QPainter &painter, const Annotation &a) const
{
    const QFont font = qtFont(a.font);
    const QFontMetricsF metrics(font, const_cast<ChartCanvas *>(this));
    const QString text = QString::fromStdString(a.text);
    const QSizeF textSize = metrics.size(0, text);
    Annotation rounded = a;
    rounded.left = std::round(a.left);
    rounded.top = std::round(a.top);
    const QRectF box = toQt(annotationBox(rounded, textSize.width(), textSize.height()));

    if (!a.transparent) {
        const int shadowAlpha = alphaOf(a.shadowTransparency);
        if (shadowAlpha > 0)
            painter.fillRect(box.translated(annotationShadowOffset, annotationShadowOffset),
                             QColor(128, 128, 128, shadowAlpha));
        const int boxAlpha = alphaOf(a.boxTransparency);
        if (boxAlpha > 0) {
            painter.setPen(QColor(0, 0, 0, boxAlpha));
            painter.setBrush(QColor(255, 255, 255, boxAlpha));
            painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }

    const QRectF textRect =
        box.adjusted(annotationMargin, annotationMargin, -annotationMargin, -annotationMargin);
    painter.setFont(font);
    const int textShadowAlpha = alphaOf(a.font.shadowTransparency);
    if (textShadowAlpha > 0) {
        painter.setPen(QColor(128, 128, 128, textShadowAlpha));
        painter.drawText(textRect.translated(1, 1), Qt::AlignLeft | Qt::AlignTop, text);
    }
    painter.setPen(qtColour(a.font.colour));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, text);

    if (a.highlight.visible && a.highlight.width > 0) {
        QPen pen(QColor(0, 120, 215, alphaOf(a.highlight.transparency)));
        pen.setWidthF(a.highlight.width);
        pen.setStyle(a.highlight.style == 1   ? Qt::DashLine
                     : a.highlight.style == 2 ? Qt::DotLine
                                              : Qt::SolidLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const double inset = a.highlight.width / 2.0;
        painter.drawRect(box.adjusted(inset, inset, -inset, -inset));
    }
}

void ChartCanvas::changed()
{
    update();
}

void ChartCanvas::mousePressEvent(QMouseEvent *event)
{
    pressed_ = true;
    emit chartFocused();
    emit chartMouseDown(mouseButton(event->button()), chartShiftState(event->modifiers()),
                        event->position().x(), event->position().y());
}

void ChartCanvas::mouseMoveEvent(QMouseEvent *event)
{
    emit chartMouseMove(chartShiftState(event->modifiers()), event->position().x(), event->position().y());
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    emit chartMouseUp(mouseButton(event->button()), chartShiftState(event->modifiers()),
                      event->position().x(), event->position().y());
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit chartClicked();
}

void ChartCanvas::keyPressEvent(QKeyEvent *event)
{
    emit chartKeyDown(virtualKeyCode(event->key()), chartShiftState(event->modifiers()));
    event->accept();
}

} // namespace quiz

#include "core/display/chartmodel.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quiz
{

int ChartModel::addAnnotation()
{
    return addAnnotation(Annotation{});
}

int ChartModel::addAnnotation(Annotation annotation)
{
    annotations_.push_back(std::move(annotation));
    return count() - 1;
}

Annotation &ChartModel::annotation(int index)
{
    if (index < 0 || index >= count())
        throw std::out_of_range("no annotation tool " + std::to_string(index));
    return annotations_[static_cast<std::size_t>(index)];
}

const Annotation &ChartModel::annotation(int index) const
{
    return const_cast<ChartModel *>(this)->annotation(index);
}

RectD annotationBox(const Annotation &annotation, double textWidth, double textHeight)
{
    return RectD{annotation.left, annotation.top, textWidth + 2 * annotationMargin,
                 textHeight + 2 * annotationMargin};
}

int annotationAt(const std::vector<Annotation> &annotations, const std::vector<RectD> &boxes, double x,
                 double y)
{
    const std::size_t n = std::min(annotations.size(), boxes.size());
    for (std::size_t i = 0; i < n; ++i)
        if (annotations[i].active && boxes[i].contains(x, y))
            return static_cast<int>(i);
    return -1;
}

} // namespace quiz
